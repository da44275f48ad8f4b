// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_box.h"

#include "common/version.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace orbisk {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Orbisk"));
    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(":/icons/128.svg").pixmap(48, 48));
    auto* text = new QVBoxLayout;
    for (const QString& line :
         QStringList{tr("Orbisk (North America Edition)  Version %1").arg(kVersionText),
                     "Brevant Solutions",
                     tr("Maps and lookups from orbisk-server; see NOTICE for the data it uses."),
                     tr("This copy is freeware, provided \"AS-IS\" without warranty of any kind."),
                     tr("Free software under the GNU General Public License, version 3 or later.")})
        text->addWidget(new QLabel(line, this));
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace orbisk
