// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/float_number_edit_box.h"

#include <QDialog>
#include <array>

class QLineEdit;

namespace orbisk {

// The eight texts of one marker as the "Marker Detail" dialog shows them.
struct MarkerDetails {
    QString title;
    QString url;
    std::array<QString, 4> lines;
    QString latitude;
    QString longitude;
};

// "Marker Detail": title, web address, four detail lines and the position.
class CDialogAddNewMarker : public QDialog {
    Q_OBJECT
public:
    explicit CDialogAddNewMarker(const MarkerDetails& details, QWidget* parent = nullptr);
    // The texts as the controls hold them.
    MarkerDetails Details() const;

    QLineEdit* titleEdit() const { return title_; }
    QLineEdit* urlEdit() const { return url_; }
    QLineEdit* latitudeEdit() const { return latitude_; }

private:
    QLineEdit* title_ = nullptr;
    QLineEdit* url_ = nullptr;
    std::array<QLineEdit*, 4> lines_{};
    CFloatNumberEditBox* latitude_ = nullptr;
    CFloatNumberEditBox* longitude_ = nullptr;
};

} // namespace orbisk
