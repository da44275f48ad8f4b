// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/ui/dialog_update_progress.h"

#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace orbisk {

CDialogUpdateProgress::CDialogUpdateProgress(const QString& name, const QString& downloadAddress,
                                             QWidget* parent)
    : QDialog(parent), downloadAddress_(downloadAddress) {
    setWindowTitle(tr("Update"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(":/icons/128.svg").pixmap(48, 48));
    auto* form = new QFormLayout;
    auto* nameText = new QLabel(name, this);
    auto* addressText = new QLabel(downloadAddress, this);
    nameText->setTextFormat(Qt::PlainText);
    addressText->setTextFormat(Qt::PlainText);
    form->addRow(tr("Name:"), nameText);
    form->addRow(tr("Download:"), addressText);
    auto* text = new QVBoxLayout;
    text->addWidget(
        new QLabel(tr("A newer version of Orbisk is available for you to download now."), this));
    text->addLayout(form);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text);
    auto* check =
        new QPushButton(tr("Check", "opens the page the newer version is downloaded from"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    check->setDefault(true);
    connect(check, &QPushButton::clicked, this, &CDialogUpdateProgress::Check);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(check);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

void CDialogUpdateProgress::Check() {
    QDesktopServices::openUrl(QUrl(downloadAddress_));
    accept();
}

} // namespace orbisk
