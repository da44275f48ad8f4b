// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/ui/dialog_add_new_marker.h"

#include "widgets/float_number_edit_box.h"
#include "widgets/safe_edit_box.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace orbisk {

CDialogAddNewMarker::CDialogAddNewMarker(const MarkerDetails& details, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Marker Detail"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    title_ = new CSafeEditBox(this);
    url_ = new QLineEdit(this);
    latitude_ = new CFloatNumberEditBox(this);
    longitude_ = new CFloatNumberEditBox(this);
    auto* form = new QFormLayout;
    form->addRow(tr("Title:"), title_);
    form->addRow(tr("URL:"), url_);
    auto* detailsGroup = new QGroupBox(tr("Details"), this);
    auto* detailsForm = new QFormLayout(detailsGroup);
    for (int i = 0; i < 4; ++i) {
        lines_[i] = new QLineEdit(this);
        detailsForm->addRow(tr("Line %1:").arg(i + 1), lines_[i]);
    }
    auto* position = new QFormLayout;
    position->addRow(tr("Latitude:"), latitude_);
    position->addRow(tr("Longitude:"), longitude_);
    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(":/icons/183.svg").pixmap(20, 34));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picture);
    bottom->addLayout(position);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(detailsGroup);
    layout->addLayout(bottom);
    layout->addWidget(buttons);

    title_->setText(details.title);
    url_->setText(details.url);
    for (int i = 0; i < 4; ++i)
        lines_[i]->setText(details.lines[i]);
    latitude_->SetNumberText(details.latitude);
    longitude_->SetNumberText(details.longitude);
}

MarkerDetails CDialogAddNewMarker::Details() const {
    MarkerDetails details{
        title_->text(), url_->text(), {}, latitude_->NumberText(), longitude_->NumberText()};
    for (int i = 0; i < 4; ++i)
        details.lines[i] = lines_[i]->text();
    return details;
}

} // namespace orbisk
