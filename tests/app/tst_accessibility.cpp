// SPDX-License-Identifier: GPL-3.0-or-later
// The window for a screen reader and the keyboard alone: every control named,
// every one reached by Tab in reading order, every menu item by its letter,
// and the map's own actions from the keyboard. Runs offscreen.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/translations.h"
#include "map_window_fixture.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

using namespace orbisk;
using namespace orbisk::test;

class TestAccessibility : public QObject, private MapWindowFixture {
    Q_OBJECT

    // WCAG 2.1's contrast ratio of two colours, from 1 to 21.
    static double Contrast(const QColor& a, const QColor& b) {
        const auto luminance = [](const QColor& colour) {
            const auto channel = [](double c) {
                return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
                   0.0722 * channel(colour.blueF());
        };
        const double lighter = std::max(luminance(a), luminance(b));
        const double darker = std::min(luminance(a), luminance(b));
        return (lighter + 0.05) / (darker + 0.05);
    }

    // The controls a user acts on, as the accessibility tree shows them.
    static void Collect(QAccessibleInterface* node, QList<QAccessibleInterface*>& found) {
        static const QList<QAccessible::Role> acted = {
            QAccessible::PushButton, QAccessible::RadioButton, QAccessible::EditableText,
            QAccessible::ComboBox, QAccessible::CheckBox};
        if (!node || node->state().invisible)
            return;
        if (acted.contains(node->role()))
            found << node;
        for (int i = 0; i < node->childCount(); ++i)
            Collect(node->child(i), found);
    }

    // Tab reaches a group's checked radio button and the arrows the others;
    // the map's engine takes the keyboard in its renderer.
    static QWidget* Reached(QWidget* widget) {
        if (auto* radio = qobject_cast<QRadioButton*>(widget))
            for (auto* sibling : radio->parentWidget()->findChildren<QRadioButton*>())
                if (sibling->isChecked())
                    return sibling;
        return widget->focusProxy() ? widget->focusProxy() : widget;
    }

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void everyControlIsNamedAndReachedInReadingOrder() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer(); // the controls come back after the first map
        QList<QAccessibleInterface*> controls;
        Collect(QAccessible::queryAccessibleInterface(&window), controls);
        QVERIFY(controls.size() >= 12);
        QList<QWidget*> chain;
        for (QWidget* at = window.nextInFocusChain(); at != &window; at = at->nextInFocusChain())
            if (at->isVisibleTo(&window) && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
                chain << at;
        for (QAccessibleInterface* control : controls) {
            QWidget* widget = qobject_cast<QWidget*>(control->object());
            const QString what = widget ? widget->metaObject()->className() : "?";
            QVERIFY2(!control->text(QAccessible::Name).remove('&').trimmed().isEmpty(),
                     qPrintable(what + " has no accessible name"));
            // The icon beside Go does what Go does; Go has the keyboard.
            if (widget && widget->isEnabled() && widget->focusPolicy() == Qt::NoFocus)
                QVERIFY2(control->text(QAccessible::Name) ==
                             QCoreApplication::translate("orbisk::LocateControls",
                                                         "Find a new location"),
                         qPrintable(control->text(QAccessible::Name) + " cannot be reached"));
            else if (widget && widget->isEnabled())
                QVERIFY2(chain.contains(Reached(widget)),
                         qPrintable(control->text(QAccessible::Name) + " is not in the Tab order"));
        }
        const auto at = [&](QWidget* widget) { return chain.indexOf(widget); };
        QWidget* phone = window.findChild<QWidget*>("locatePanel")->findChild<QAbstractButton*>();
        QVERIFY(at(phone) >= 0);
        QVERIFY(at(phone) < at(GoButton(window)));
        QVERIFY(at(GoButton(window)) < at(Reached(window.Browser())));
        QVERIFY(at(Reached(window.Browser())) < at(KeywordField(window)));
    }

    // Each menu opens with Alt and its letter, and each item has a letter of
    // its own (or a key) unique within its menu.
    void everyMenuItemHasItsLetter() {
        CMapMainDlg& window = Start();
        QMenuBar* bar = window.findChild<QMenuBar*>();
        QVERIFY(bar);
        for (QAction* top : bar->actions()) {
            QVERIFY2(top->text().contains('&'), qPrintable(top->text()));
            QSet<QChar> letters;
            for (QAction* item : top->menu()->actions()) {
                if (item->isSeparator() || item->text().isEmpty())
                    continue;
                const int amp = item->text().indexOf('&');
                QVERIFY2(amp >= 0 || !item->shortcut().isEmpty(), qPrintable(item->text()));
                if (amp < 0)
                    continue;
                const QChar letter = item->text().at(amp + 1).toLower();
                QVERIFY2(!letters.contains(letter), qPrintable(item->text() + " repeats a letter"));
                letters << letter;
            }
        }
    }

    // The window speaks its locale's language, and asks the map page in it:
    // its French runs would prove nothing if the translation had not loaded.
    void theWindowSpeaksItsLocalesLanguage() {
        CMapMainDlg& window = Start();
        QTRY_VERIFY_WITH_TIMEOUT(!server_->Languages().empty(), 20000);
        QCOMPARE(QString::fromStdString(server_->Languages().front()).left(2),
                 QString(QLocale().language() == QLocale::French ? "fr" : "en"));
        const bool french = QLocale().language() == QLocale::French;
        const QList<QAction*> menus = window.findChild<QMenuBar*>()->actions();
        QCOMPARE(menus.first()->text(), QString(french ? "&Fichier" : "&File"));
        QCOMPARE(window.findChild<QPushButton*>("go")->text(), QString(french ? "Alle&r" : "&Go"));
    }

    // Every text keeps a contrast of 4.5 to 1 with its ground (WCAG 2.1,
    // 1.4.3), in the default palette and in a high-contrast one, where light
    // text lies on black: the locate remark's own colour too.
    void everyTextStandsOutInEachPalette() {
        const QPalette before = QApplication::palette();
        QPalette high;
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            high.setColor(role, Qt::black);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            high.setColor(role, Qt::white);
        high.setColor(QPalette::Highlight, Qt::yellow);
        high.setColor(QPalette::HighlightedText, Qt::black);
        for (const QPalette& palette : {before, high}) {
            QApplication::setPalette(palette);
            CMapMainDlg& window = Start();
            LocatePanelOf(window)->ShowRemark("No telephone number given");
            QStringList faint;
            for (QWidget* widget : window.findChildren<QWidget*>()) {
                const bool field = qobject_cast<QLineEdit*>(widget);
                // A control that cannot be used is exempt, as WCAG has it.
                if (!widget->isVisible() || !widget->isEnabled() ||
                    !(field || qobject_cast<QLabel*>(widget) ||
                      qobject_cast<QAbstractButton*>(widget)))
                    continue;
                const QPalette& own = widget->palette();
                const double ratio =
                    field ? Contrast(own.color(QPalette::Text), own.color(QPalette::Base))
                          : Contrast(own.color(widget->foregroundRole()),
                                     own.color(widget->backgroundRole()));
                if (ratio < 4.5)
                    faint << widget->objectName() + QString(" %1").arg(ratio, 0, 'f', 1);
            }
            TearDown();
            SetUp();
            QVERIFY2(faint.isEmpty(), qPrintable(faint.join(", ")));
        }
        QApplication::setPalette(before);
    }

    // Ctrl+M puts a marker where a click at the view's centre would.
    void aMarkerIsAddedAtTheCentreFromTheKeyboard() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        const size_t before = window.CurrentMarkerSet().Markers().size();
        QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(window.CurrentMarkerSet().Markers().size(), before + 1, 5000);
        const Marker& added = window.CurrentMarkerSet().Markers().back();
        // The stand-in page shows 35..45 north, 80..70 west.
        QVERIFY2(std::abs(std::stod(added.lat) - 40) < 1, added.lat.c_str());
        QVERIFY2(std::abs(std::stod(added.lng) + 75) < 1, added.lng.c_str());
    }
};

int main(int argc, char** argv) {
    PrepareWebEngineForTests();
    QApplication app(argc, argv);
    InstallUserLanguage(""); // the language the environment names, as the program does
    TestAccessibility test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_accessibility.moc"
