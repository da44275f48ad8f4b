// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace orbisk {

// Accepts only a signed decimal number: digits, one leading minus sign, one
// decimal point. Pasted text is held to the same rule, not only typing. A
// decimal comma, as many keyboards and locales write it, is taken as the
// point: dropping it made "40,7" the latitude 407.
class FloatNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// The latitude and longitude fields.
class CFloatNumberEditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CFloatNumberEditBox(QWidget* parent = nullptr);
};

} // namespace orbisk
