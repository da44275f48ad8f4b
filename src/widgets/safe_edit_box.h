// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace orbisk {

// Refuses "&", "=" and "?", which delimit the parameters that typed values
// are put into unescaped; typed or pasted alike.
class SafeTextValidator : public QValidator {
public:
    explicit SafeTextValidator(QString refused, QObject* parent = nullptr);
    State validate(QString& input, int& position) const override;

private:
    QString refused_;
};

class CSafeEditBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr const char* kRefused = "&=?";
    explicit CSafeEditBox(QWidget* parent = nullptr);
};

} // namespace orbisk
