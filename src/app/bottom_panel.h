// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/core/main_layout.h"

#include <QObject>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace orbisk {

// The bottom panel: the local search group (icon, keyword, ">", "<" and the
// status line) and the "My Markers" group (icon and five buttons). Its
// controls live in the window's client area; every click is a command.
class BottomPanel : public QObject {
    Q_OBJECT
public:
    explicit BottomPanel(QWidget* client);

    // What the captions, the status line and the buttons need in their fonts.
    TextWidths Widths() const;
    void Place(const MainLayout& layout);
    void SetVisible(bool visible);
    // Busy greys every command; "<" and ">" follow the status line when idle.
    void SetBusy(bool busy);
    void ShowStatus(const QString& text, bool previousEnabled, bool nextEnabled);
    void SetKeyword(const QString& keyword);
    QString KeywordText() const;
    void FocusKeyword();

    QLineEdit* KeywordField() const { return keyword_; }
    QLabel* Status() const { return status_; }
    QPushButton* Next() const { return next_; }
    QPushButton* Previous() const { return previous_; }

signals:
    void command(int id);
    // Enter in the keyword field.
    void keywordEntered();

protected:
    // Enter in the keyword field searches; everywhere else it means Go.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* Button(const QString& text, int id);
    QToolButton* IconButton(int icon, int id);
    void CreateTooltips();

    QWidget* client_;
    QGroupBox* searchGroup_;
    QGroupBox* markersGroup_;
    QToolButton* searchIcon_ = nullptr;
    QLabel* searchLabel_ = nullptr;
    QLineEdit* keyword_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* previous_ = nullptr;
    QLabel* status_ = nullptr;
    QToolButton* markerIcon_ = nullptr;
    QLabel* markersLabel_ = nullptr;
    QPushButton* markerButtons_[5] = {};
    bool busy_ = false;
};

} // namespace orbisk
