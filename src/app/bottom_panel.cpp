// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bottom_panel.h"

#include "app/command_ids.h"
#include "app/control_helpers.h"
#include "search/local_search_status.h"
#include "widgets/safe_edit_box.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace orbisk {
namespace {

// ">" and "<": normal, pressed, focused and disabled looks.
QIcon ArrowIcon(int normal, int focused, int disabled) {
    QIcon icon;
    icon.addFile(QString(":/icons/%1.svg").arg(normal), QSize(26, 22), QIcon::Normal);
    icon.addFile(QString(":/icons/%1.svg").arg(focused), QSize(26, 22), QIcon::Active);
    icon.addFile(QString(":/icons/%1.svg").arg(disabled), QSize(26, 22), QIcon::Disabled);
    return icon;
}

} // namespace

BottomPanel::BottomPanel(QWidget* client)
    : QObject(client), client_(client), searchGroup_(new QGroupBox(client)),
      markersGroup_(new QGroupBox(client)) {
    searchIcon_ = IconButton(168, kIdSearchIcon);
    searchLabel_ = new QLabel(tr("Local Search:"), client);
    keyword_ = new CSafeEditBox(client);
    keyword_->setObjectName("keyword");
    keyword_->setPlaceholderText(QString::fromStdString(KeywordCueText()));
    keyword_->installEventFilter(this);
    next_ = Button("", kIdNext);
    next_->setObjectName("nextPage");
    // A new keyword can always be searched, even after the last page of the old one.
    connect(keyword_, &QLineEdit::textEdited, this, [this] { next_->setEnabled(!busy_); });
    next_->setIcon(ArrowIcon(171, 173, 175));
    previous_ = Button("", kIdPrevious);
    previous_->setObjectName("previousPage");
    previous_->setIcon(ArrowIcon(179, 178, 177));
    status_ = new QLabel(client); // empty until a local search has answered
    status_->setObjectName("searchStatus");
    markerIcon_ = IconButton(183, kIdMarkerIcon);
    markersLabel_ = new QLabel(tr("My Markers"), client);
    const char* const names[] = {QT_TR_NOOP("&Add"), QT_TR_NOOP("&Edit"), QT_TR_NOOP("&Load"),
                                 QT_TR_NOOP("&Save"), QT_TR_NOOP("Sen&d")};
    for (int i = 0; i < 5; ++i)
        markerButtons_[i] = Button(tr(names[i]), kIdAddMarker + i);
    // The two captions have little room beside their fields.
    for (QLabel* caption : {searchLabel_, markersLabel_}) {
        QFont font = caption->font();
        font.setPixelSize(11);
        caption->setFont(font);
    }
    searchGroup_->lower();
    markersGroup_->lower();
    CreateTooltips();
}

QPushButton* BottomPanel::Button(const QString& text, int id) {
    auto* button = new QPushButton(text, client_);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, id] { emit command(id); });
    return button;
}

QToolButton* BottomPanel::IconButton(int icon, int id) {
    auto* button = new QToolButton(client_);
    button->setIcon(Icon(icon));
    button->setIconSize(QSize(20, 34));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, id] { emit command(id); });
    return button;
}

void BottomPanel::CreateTooltips() {
    const QString addTip =
        tr("Click here, then pick a position on the map to add a new marker there");
    Describe(markerIcon_, tr("Add marker"), addTip);
    Describe(searchIcon_, tr("Restart local search"), tr("Restart local search"));
    Describe(next_, tr("Next results"), tr("Get next local search results"));
    Describe(previous_, tr("Previous results"), tr("Get previous local search results"));
    Describe(keyword_, tr("Local search keyword"), tr("Local search keyword(s)"));
    searchLabel_->setBuddy(keyword_);
    Describe(status_, tr("Local search status"));
    const QString tips[] = {{},
                            tr("Edit current marker set"),
                            tr("Load a saved marker set"),
                            tr("Save current marker set"),
                            tr("Email your marker set(s) to your frients")};
    markerButtons_[0]->setToolTip(addTip);
    markerButtons_[0]->setAccessibleDescription(addTip);
    for (int i = 1; i < 5; ++i) {
        markerButtons_[i]->setToolTip(tips[i]);
        markerButtons_[i]->setAccessibleDescription(tips[i]);
    }
}

TextWidths BottomPanel::Widths() const {
    TextWidths widths;
    const auto room = [](const QWidget* control, const QString& text, int padding) {
        return control->fontMetrics().horizontalAdvance(text) + padding;
    };
    widths.searchLabel = std::max(widths.searchLabel, room(searchLabel_, searchLabel_->text(), 4));
    widths.markersLabel =
        std::max(widths.markersLabel, room(markersLabel_, markersLabel_->text(), 4));
    // The longest texts the status line shows: no search, four-digit counters,
    // and a first page (a search that began again starts at 1) in a new area.
    for (const std::string& text : LongestStatusTexts())
        widths.status = std::max(widths.status, room(status_, QString::fromStdString(text), 4));
    for (int i = 0; i < 5; ++i)
        widths.markerButtons[i] = std::max(widths.markerButtons[i],
                                           room(markerButtons_[i], markerButtons_[i]->text(), 12));
    return widths;
}

void BottomPanel::Place(const MainLayout& layout) {
    orbisk::Place(searchGroup_, layout.searchGroup);
    orbisk::Place(markersGroup_, layout.markersGroup);
    orbisk::Place(searchIcon_, layout.searchIcon);
    orbisk::Place(searchLabel_, layout.searchLabel);
    orbisk::Place(keyword_, layout.keyword);
    orbisk::Place(next_, layout.next);
    orbisk::Place(previous_, layout.previous);
    orbisk::Place(status_, layout.status);
    orbisk::Place(markerIcon_, layout.markerIcon);
    orbisk::Place(markersLabel_, layout.markersLabel);
    for (int i = 0; i < 5; ++i)
        orbisk::Place(markerButtons_[i], layout.markerButtons[i]);
}

void BottomPanel::SetVisible(bool visible) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             searchIcon_, searchLabel_, markersLabel_, keyword_, next_, previous_, status_,
             searchGroup_, markersGroup_, markerIcon_})
        control->setVisible(visible);
    for (QPushButton* button : markerButtons_)
        button->setVisible(visible);
}

bool BottomPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != keyword_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (!busy_)
        emit keywordEntered();
    return true;
}

void BottomPanel::SetBusy(bool busy) {
    busy_ = busy;
    searchIcon_->setIcon(Icon(busy ? 192 : 168));
    markerIcon_->setIcon(Icon(busy ? 185 : 183));
    for (QWidget* control : std::initializer_list<QWidget*>{searchIcon_, markerIcon_, next_})
        control->setEnabled(!busy);
    for (QPushButton* button : markerButtons_)
        button->setEnabled(!busy);
    if (busy)
        previous_->setEnabled(false);
}

// A reason longer than the line is cut to it; the whole of it is the tip.
void BottomPanel::ShowStatus(const QString& text, bool previousEnabled, bool nextEnabled) {
    status_->setText(
        status_->fontMetrics().elidedText(text, Qt::ElideRight, status_->contentsRect().width()));
    status_->setToolTip(status_->text() == text ? QString() : text);
    previous_->setEnabled(previousEnabled);
    next_->setEnabled(nextEnabled && !busy_);
}

void BottomPanel::SetKeyword(const QString& keyword) {
    keyword_->setText(keyword);
}

QString BottomPanel::KeywordText() const {
    return keyword_->text();
}

void BottomPanel::FocusKeyword() {
    keyword_->setFocus();
}

} // namespace orbisk
