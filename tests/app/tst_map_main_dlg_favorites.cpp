// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's favorites, settings sheet, edit boxes, program and
// definition updates, and its store, against a map server stand-in. Runs offscreen.
#include "app/command_ids.h"
#include "app/translations.h"
#include "common/atomic_file.h"
#include "favorites/favorites_store.h"
#include "favorites/ui/add_favorite_dialog.h"
#include "favorites/ui/dialog_edit_favorites.h"
#include "favorites/ui/dialog_rename_favorite.h"
#include "map_window_fixture.h"
#include "protocol/parameter_codec.h"
#include "settings/language_choice.h"
#include "settings/registry_key.h"
#include "settings/ui/property_language.h"
#include "settings/ui/property_sheet_settings.h"
#include "web_engine_test.h"
#include "widgets/float_number_edit_box.h"
#include "widgets/safe_edit_box.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <fstream>

using namespace orbisk;
using namespace orbisk::test;

class TestMapMainDlgFavorites : public QObject, private MapWindowFixture {
    Q_OBJECT

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void addsMirrorsAndReplaysFavorites() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const std::string located = window.State().LastParams();
        prompts_.nameFavorite = [](QString& name) {
            name = "Home & office";
            return true;
        };
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 1);
        QAction* item = window.Action(kIdFirstFavorite);
        QVERIFY(item);
        QCOMPARE(item->iconText(), QString("Home & office")); // as the menu shows it
        FavoritesList stored;
        FavoritesStore(stored, RegistryKey::DefaultStoreFile()).Load();
        QCOMPARE(stored.Count(), 1);
        QCOMPARE(stored.Items()[0].parameters, located);

        window.OnCommand(kIdFirstFavorite + 5);
        QCOMPARE(window.State().JobCode(), 13); // no favorite there: nothing starts
        window.OnTimer();
        item->trigger();
        QCOMPARE(window.State().JobCode(), 32);
        QCOMPARE(window.State().ActionCode(), 1);
        QCOMPARE(window.State().LastCaption(), std::string("Home & office"));
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(2), 20000);
        WaitIdle();

        for (int i = 1; i < 10; ++i)
            window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 10);
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(messages_, QStringList{"Maximum favorites count exceeded."});
        QCOMPARE(window.Favorites().Count(), 10);
        QVERIFY(!window.Action(kIdFirstFavorite + 10));

        prompts_.organizeFavorites = [](FavoritesList& list) {
            while (list.Count() > 1)
                list.RemoveAt(1);
        };
        window.OnCommand(kIdOrganizeFavorites);
        QVERIFY(window.Action(kIdFirstFavorite));
        QVERIFY(!window.Action(kIdFirstFavorite + 1));
    }

    void organizeDeletesAndRenames() {
        FavoritesList list;
        for (const char* title : {"A", "B", "C"})
            list.Add({title, "SH=3"});
        CDialogEditFavorites dialog(list);
        QCOMPARE(dialog.list()->currentRow(), 0);
        dialog.list()->setCurrentRow(1);
        QStringList asked;
        dialog.confirmDelete = [&asked](const QString& name) {
            asked << name;
            return asked.size() > 1; // "No" the first time
        };
        dialog.Delete();
        QCOMPARE(list.Count(), 3);
        dialog.Delete();
        QCOMPARE(asked, (QStringList{"B", "B"}));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items()[1].title, std::string("C"));
        QCOMPARE(dialog.list()->currentRow(), 1);
        dialog.Delete();
        QCOMPARE(list.Count(), 1);
        dialog.askNewName = [](const QString&) { return QString("Renamed"); };
        dialog.list()->setCurrentRow(0);
        dialog.Rename();
        QCOMPARE(list.Items()[0].title, std::string("Renamed"));
        QCOMPARE(dialog.list()->item(0)->text(), QString("Renamed"));
        CDialogRenameFavorite rename("Old");
        rename.nameEdit()->setText("Typed");
        rename.reject();
        QCOMPARE(rename.Name(), QString("Old"));
        CAddFavoriteDialog add("Zip code(postal code): 20502");
        QCOMPARE(add.Name(), QString("Zip code(postal code): 20502"));
    }

    void settingsSheetReadsOnlyPagesThatWereShown() {
        SettingsStore settings(dir_->Path() / "registry.sqlite3");
        settings.Set(SettingsStore::MapControl, 5);
        settings.Set(SettingsStore::DefaultZoom, 20);
        settings.Set(SettingsStore::UpdatePreferenceIndex, 7);
        CPropertySheetSettings sheet(settings);
        sheet.show();
        QCOMPARE(sheet.mapPage->controlList->currentIndex(), -1);
        QCOMPARE(sheet.mapPage->zoomSlider->value(), 16);
        auto* shown = sheet.mapPage->findChild<QLabel*>("trackbarValue");
        QVERIFY(shown);
        QCOMPARE(shown->text(), QString("16"));
        sheet.mapPage->zoomSlider->setValue(9);
        QCOMPARE(shown->text(), QString("9")); // the value follows the slider
        sheet.mapPage->zoomSlider->setValue(16);
        QVERIFY(sheet.updatePage->buttons[2]->isChecked());
        sheet.Apply(settings);
        QCOMPARE(settings.Get(SettingsStore::MapControl), -1);
        QCOMPARE(settings.Get(SettingsStore::DefaultZoom), 16);
        QCOMPARE(settings.Get(SettingsStore::UpdatePreferenceIndex),
                 7); // the Update page was never shown
        sheet.tabs->setCurrentIndex(1);
        sheet.tabs->setCurrentIndex(2);
        sheet.favoritesPage->maximumSlider->setValue(25);
        sheet.Apply(settings);
        QCOMPARE(settings.Get(SettingsStore::UpdatePreferenceIndex), 2);
        QCOMPARE(settings.Get(SettingsStore::MaxFavorites), 25);
    }

    void theOnlinePageKeepsTheServersFile() {
        SettingsStore settings(dir_->Path() / "registry.sqlite3");
        const auto file = dir_->Path() / "server-config" / "orbisk-server.conf";
        const auto open = [&] {
            auto sheet = std::make_unique<CPropertySheetSettings>(settings, nullptr, file);
            sheet->show();
            sheet->tabs->setCurrentWidget(sheet->onlinePage);
            return sheet;
        };
        std::string error;
        auto sheet = open();
        QVERIFY(!sheet->onlinePage->useOnline->isChecked());
        QVERIFY(!sheet->onlinePage->nominatimEdit->isEnabled());
        QCOMPARE(sheet->onlinePage->nominatimEdit->text(), QString(kPublicNominatim));
        QVERIFY(sheet->onlinePage->Save(error));
        QVERIFY2(!std::filesystem::exists(file), "nothing changed, nothing written");
        sheet->onlinePage->useOnline->setChecked(true);
        sheet->onlinePage->nominatimEdit->setText("javascript:alert(1)");
        QVERIFY(!sheet->onlinePage->Save(error));
        QVERIFY(error.find("javascript:alert(1)") != std::string::npos);
        sheet->onlinePage->nominatimEdit->setText("https://geo.example.org");
        QVERIFY2(sheet->onlinePage->Save(error), error.c_str());
        std::string text;
        QVERIFY(ReadWholeFile(file, 4096, text));
        std::vector<std::string> problems;
        QCOMPARE(ParseOnlineSettings(text, problems).nominatim,
                 std::string("https://geo.example.org"));
        QCOMPARE(ParseOnlineSettings(text, problems).overpass, std::string(kPublicOverpass));
        QVERIFY(problems.empty());
        sheet = open();
        QVERIFY(sheet->onlinePage->useOnline->isChecked());
        sheet->onlinePage->useOnline->setChecked(false);
        QVERIFY(sheet->onlinePage->Save(error));
        QVERIFY(ReadWholeFile(file, 4096, text));
        QVERIFY(!ParseOnlineSettings(text, problems).Any());
        sheet = open();
        QCOMPARE(sheet->onlinePage->nominatimEdit->text(), QString("https://geo.example.org"));
    }

    // The language page keeps its choice in the store, for the next start.
    void theLanguagePageKeepsTheChoice() {
        SettingsStore settings(dir_->Path() / "registry.sqlite3");
        const auto store = dir_->Path() / "language.sqlite3";
        for (const char* choice : {"fr", "en", ""}) {
            CPropertySheetSettings sheet(settings, nullptr, dir_->Path() / "server.conf", store);
            sheet.show();
            sheet.tabs->setCurrentWidget(sheet.languagePage);
            QComboBox* list = sheet.languagePage->languageList;
            list->setCurrentIndex(list->findData(QString(choice)));
            sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
            QCOMPARE(LoadLanguageChoice(store), std::string(choice));
        }
    }

    void confirmedSettingsReachTheServer() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        prompts_.editSettings = [](SettingsStore& settings) {
            settings.Set(SettingsStore::MapTypeIndex, 0);
            settings.Set(SettingsStore::DefaultZoom, 9);
            settings.Set(SettingsStore::MaxFavorites, 25);
            return settings.Save();
        };
        window.OnCommand(kIdSettings);
        QCOMPARE(window.State().JobCode(), 8);
        QCOMPARE(window.State().ActionCode(), 2);
        QCOMPARE(window.Favorites().Maximum(), 25);
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(2), 20000);
        std::string w, q;
        QVERIFY(ParameterCodec().Decode(server_->Bodies().back().substr(4), w));
        QVERIFY(ParameterCodec().Decode(w.substr(2, w.find("&L=") - 2), q));
        QVERIFY(q.find("&MAPT=0&MAPC=0&ZOOM=9&VER=1.10") != std::string::npos);
        SettingsStore reloaded(RegistryKey::DefaultStoreFile());
        reloaded.Load();
        QCOMPARE(reloaded.Get(SettingsStore::DefaultZoom), 9);
    }

    void helpUpdateOffersOnlyANewerProgram() {
        CMapMainDlg& window = Start();
        window.OnCommand(kIdUpdate);
        QCOMPARE(messages_, QStringList{"Currently no update is available."});
        QVERIFY(updates_.isEmpty());
        WaitIdle();
        window_.reset();
        CMapMainDlg& newer = Start("", "", "1.2");
        newer.OnCommand(kIdUpdate);
        QCOMPARE(updates_, (QStringList{"Orbisk 2", "http://example.org/get"}));
    }

    // A damaged store is kept aside and named; a save that fails is said,
    // and the favorite stays for the session.
    void tellsWhenTheStoreCannotBeReadOrWritten() {
        const auto store = RegistryKey::DefaultStoreFile();
        std::filesystem::create_directories(store.parent_path());
        std::ofstream(store) << "not a database at all";
        CMapMainDlg& window = Start();
        WaitIdle();
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("cannot be read") &&
                     messages_[0].contains(QString::fromStdString(store.string()) + ".unreadable-"),
                 qPrintable(messages_[0]));
        std::filesystem::remove_all(store);
        std::filesystem::create_directory(store);
        prompts_.nameFavorite = [](QString& name) { return !(name = "Home").isEmpty(); };
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 1);
        QCOMPARE(messages_.size(), 2);
        QVERIFY2(messages_[1].contains("favorites could not be saved"), qPrintable(messages_[1]));
    }

    void startUpDownloadsNewerDefinitionsAndUsesThem() {
        std::string encoded;
        QVERIFY(ParameterCodec().Encode(
            "<Definitions><GeoCoderSetting Ver=\"5\"><MapInitialStatus LocalSearchKey=\"Coffee\" "
            "NPA=\"613\"/>"
            "<KeyStrings><KeyString/><KeyString>" +
                server_->Host() + "</KeyString></KeyStrings></GeoCoderSetting></Definitions>",
            encoded));
        server_->OfferDefinitions("5", encoded);
        CMapMainDlg& window = Start();
        QCOMPARE(window.State().Keyword(), std::string("Coffee"));
        QCOMPARE(window.State().Inputs().npa, std::string("613"));
        std::ifstream file(dir_->Path() / "Map.dat");
        QCOMPARE(std::string(std::istreambuf_iterator<char>(file), {}), encoded);
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 20000);
        std::string w, q;
        QVERIFY(ParameterCodec().Decode(server_->Bodies()[0].substr(4), w));
        QVERIFY(ParameterCodec().Decode(w.substr(2, w.find("&L=") - 2), q));
        QVERIFY(q.find("&DE=5&") != std::string::npos);
    }

    // The number boxes write the locale's separator and give back a point;
    // the French run of this test holds them to the comma.
    void editBoxesRefuseWhatTheyMust() {
        const QString point = QLocale().decimalPoint() == "," ? "," : ".";
        CFloatNumberEditBox number;
        number.SetNumberText("12.5");
        number.setCursorPosition(4);
        QTest::keyClicks(&number, ".a");
        QCOMPARE(number.text(), "12" + point + "5");
        number.setCursorPosition(1);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.text(), "12" + point + "5");
        number.setCursorPosition(0);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.NumberText(), QString("-12.5"));
        number.setCursorPosition(0);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.NumberText(), QString("-12.5"));
        for (const char* typed : {"40,7,1", "40.7.1", "40,7.1"}) {
            CFloatNumberEditBox separator; // either is the separator, once
            QTest::keyClicks(&separator, typed);
            QCOMPARE(separator.text(), "40" + point + "71");
            QCOMPARE(separator.NumberText(), QString("40.71"));
        }

        CSafeEditBox safe;
        QTest::keyClicks(&safe, "a&b=c?d");
        QCOMPARE(safe.text(), QString("abcd"));
        QApplication::clipboard()->setText("x&y");
        safe.paste();
        QCOMPARE(safe.text(), QString("abcd")); // pasted text is held to the same rule
    }
};

int main(int argc, char** argv) {
    PrepareWebEngineForTests();
    QApplication application(argc, argv);
    InstallUserLanguage(""); // the language the environment names, as the program does
    TestMapMainDlgFavorites test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_main_dlg_favorites.moc"
