// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/float_number_edit_box.h"

#include <QLocale>

namespace orbisk {

QValidator::State FloatNumberValidator::validate(QString& input, int&) const {
    const qsizetype separators = input.count('.') + input.count(',');
    if (separators == 1) {
        input.replace('.', decimal_);
        input.replace(',', decimal_);
    }
    bool separator = false;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (c.isDigit() && c.unicode() < 0x80)
            continue;
        if (c == '-' && i == 0)
            continue;
        if (c == decimal_ && !separator) {
            separator = true;
            continue;
        }
        return Invalid;
    }
    return Acceptable;
}

// Only a comma stands in for the point: a locale with another separator
// still reads and writes the point.
CFloatNumberEditBox::CFloatNumberEditBox(QWidget* parent)
    : QLineEdit(parent), decimal_(QLocale().decimalPoint() == "," ? ',' : '.') {
    setValidator(new FloatNumberValidator(decimal_, this));
}

void CFloatNumberEditBox::SetNumberText(const QString& pointText) {
    setText(QString(pointText).replace('.', decimal_));
}

QString CFloatNumberEditBox::NumberText() const {
    return QString(text()).replace(',', '.');
}

} // namespace orbisk
