// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace orbisk {

// Accepts only a signed decimal number: digits, one leading minus sign, one
// decimal separator. Pasted text is held to the same rule, not only typing.
// The point and the comma are both taken as the separator, written as the
// user's locale writes it: dropping a comma made "40,7" the latitude 407.
class FloatNumberValidator : public QValidator {
public:
    explicit FloatNumberValidator(QChar decimal, QObject* parent = nullptr)
        : QValidator(parent), decimal_(decimal) {}
    State validate(QString& input, int& position) const override;

private:
    QChar decimal_;
};

// The latitude and longitude fields. They show a number in the user's
// locale and give it back with a point, as files and requests carry it.
class CFloatNumberEditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CFloatNumberEditBox(QWidget* parent = nullptr);
    void SetNumberText(const QString& pointText);
    QString NumberText() const;

private:
    QChar decimal_;
};

} // namespace orbisk
