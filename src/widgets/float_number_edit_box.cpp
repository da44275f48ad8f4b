// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/float_number_edit_box.h"

namespace orbisk {

QValidator::State FloatNumberValidator::validate(QString& input, int&) const {
    if (input.count(',') == 1 && !input.contains('.'))
        input.replace(',', '.');
    bool point = false;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c.isDigit() && c.unicode() < 0x80)
            continue;
        if (c == '-' && i == 0)
            continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        return Invalid;
    }
    return Acceptable;
}

CFloatNumberEditBox::CFloatNumberEditBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new FloatNumberValidator(this));
}

} // namespace orbisk
