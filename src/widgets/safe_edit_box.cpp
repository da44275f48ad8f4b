// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/safe_edit_box.h"

namespace orbisk {

SafeTextValidator::SafeTextValidator(QString refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State SafeTextValidator::validate(QString& input, int&) const {
    for (const QChar c : input)
        if (refused_.contains(c))
            return Invalid;
    return Acceptable;
}

CSafeEditBox::CSafeEditBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new SafeTextValidator(QString::fromLatin1(kRefused), this));
}

} // namespace orbisk
