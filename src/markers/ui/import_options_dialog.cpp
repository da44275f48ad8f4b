// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/ui/import_options_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orbisk {
namespace {

QRadioButton* AddChoice(QGroupBox* box, QButtonGroup* group, const QString& text, int id) {
    auto* button = new QRadioButton(text, box);
    button->setObjectName(QString("importChoice%1_%2").arg(group->objectName()).arg(id));
    group->addButton(button, id);
    box->layout()->addWidget(button);
    return button;
}

QGroupBox* Group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setLayout(new QVBoxLayout);
    return box;
}

} // namespace

ImportOptionsDialog::ImportOptionsDialog(const ImportChoice& choice, QWidget* parent)
    : QDialog(parent), choice_(choice) {
    setWindowTitle(tr("Import Markers"));
    auto* layout = new QVBoxLayout(this);
    const QString markers = tr("%Ln marker(s)", nullptr, int(choice.markers));
    auto* summary = new QLabel(
        choice.paths == 0
            ? tr("The file holds %1.").arg(markers)
            : tr("The file holds %1 and %2 with %3 in all.")
                  .arg(markers, tr("%Ln route(s) or track(s)", nullptr, int(choice.paths)),
                       tr("%Ln point(s)", nullptr, int(choice.pathPoints))),
        this);
    summary->setTextFormat(Qt::PlainText);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    points_ = new QButtonGroup(this);
    points_->setObjectName("Points");
    if (choice.paths > 0) {
        QGroupBox* box = Group(tr("Points of routes and tracks"), this);
        AddChoice(box, points_, tr("Start and end of each"), int(PathPoints::Ends));
        QRadioButton* every = AddChoice(box, points_, tr("Every point"), int(PathPoints::All));
        every->setEnabled(!choice.everyPointTooMany);
        if (choice.everyPointTooMany)
            every->setToolTip(tr("More markers than a marker set can hold"));
        AddChoice(box, points_, tr("None", "no point of the routes and tracks becomes a marker"),
                  int(PathPoints::None));
        points_->button(int(choice.points))->setChecked(true);
        layout->addWidget(box);
    }
    target_ = new QButtonGroup(this);
    target_->setObjectName("Target");
    if (choice.canAppend) {
        QGroupBox* box = Group(tr("Markers"), this);
        AddChoice(box, target_, tr("As a new marker set"), 0)->setChecked(!choice.append);
        AddChoice(box, target_, tr("Added to the current marker set"), 1)
            ->setChecked(choice.append);
        layout->addWidget(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ImportChoice ImportOptionsDialog::Choice() const {
    ImportChoice answer = choice_;
    if (points_->checkedId() >= 0)
        answer.points = static_cast<PathPoints>(points_->checkedId());
    if (target_->checkedId() >= 0)
        answer.append = target_->checkedId() == 1;
    return answer;
}

} // namespace orbisk
