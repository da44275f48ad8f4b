#pragma once

#include "app/main_layout.h"
#include "favorites/favorites_store.h"
#include "markers/marker_set.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "protocol/map_view_state.h"
#include "search/local_search_status.h"
#include "services/http_client.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"
#include "update/update_notice.h"

#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPoint>
#include <functional>
#include <optional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class QToolButton;
class QLineEdit;

namespace orbisk {

class CExplorer1;
class JobRunner;
class LocatePanel;
struct JobResult;
struct MarkerDetails;

// The main window: locate panel, map browser and bottom panel, the menus,
// the 100 ms timer and the state every job reads. Runs as a modal dialog.
class CMapMainDlg : public QDialog {
    Q_OBJECT
public:
    using MessageBoxFunction = std::function<QMessageBox::StandardButton(
        const QString& text, const QString& caption, QMessageBox::Icon icon,
        QMessageBox::StandardButtons buttons)>;

    explicit CMapMainDlg(QWidget* parent = nullptr);
    ~CMapMainDlg() override;

    // The start-up sequence: environment, favorites, settings, definitions,
    // their update, the inputs, the first layout, then the marker set file of
    // the command line or the first job, the tooltips and the timer.
    void Initialize(const std::string& commandLinePath);

    // Every menu item, button and icon comes here with its command id.
    void OnCommand(int id);
    // Starts one job; does nothing while a job runs or the page loads.
    void StartJob(int jobCode);
    // One tick of the 100 ms timer.
    void OnTimer();

    // Messages, file dialogs, the marker detail dialog and the update dialog
    // go through these, so that tests can answer them.
    MessageBoxFunction messageBox;
    std::function<QString(bool save, const QString& initialPath)> fileDialog;
    std::function<bool(MarkerDetails& details)> markerDetails;
    std::function<void(const QString& name, const QString& downloadAddress)> updateDialog;
    std::function<bool(QString& name)> favoriteName;
    std::function<void(FavoritesList& list)> organizeFavorites;
    std::function<bool(SettingsStore& settings)> editSettings;
    std::function<int(CDialogEditMarkerSet& dialog)> runMarkerSetDialog;
    // How long a job waits for an outside service.
    HttpTimeouts serviceTimeouts = HttpTimeouts::ServiceCall();

    // What the window holds, for tests and for the dialogs of other parts.
    bool Busy() const { return busy_; }
    int ActionCode() const { return actionCode_; }
    int JobCode() const { return jobCode_; }
    const LocationInputs& Inputs() const { return inputs_; }
    LocateMode Mode() const { return locateMode_; }
    const std::string& Keyword() const { return keyword_; }
    const std::string& LastCaption() const { return lastCaption_; }
    const std::string& LastParams() const { return lastParams_; }
    const MapViewState& MapView() const { return mapView_; }
    const MainLayout& Layout() const { return layout_; }
    const ProgramEnvironment& Environment() const { return environment_; }
    MarkerSet& CurrentMarkerSet() { return currentMarkerSet_; }
    CExplorer1* Browser() const { return browser_; }
    LocatePanel* Locate() const { return locate_; }
    QLineEdit* KeywordField() const { return keywordField_; }
    QLabel* StatusText() const { return status_; }
    QPushButton* GoButton() const { return go_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* PreviousButton() const { return previous_; }
    QAction* Action(int id) const;
    QMenu* FavoritesMenu() const { return favoritesMenu_; }
    const FavoritesList& Favorites() const { return favoritesList_; }
    const SettingsStore& Settings() const { return settings_; }
    // The steps of the start-up sequence in the order they ran.
    const std::vector<std::string>& StartUpSteps() const { return startUpSteps_; }

signals:
    // A job's request went out (body and address), for tests and logging.
    void requestSent(const QString& address, const QByteArray& body);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateControls();
    void CreateTooltips();
    void Step(const char* name);
    void PlaceControls(bool requestMap);
    void SetBusyControls(bool busy);
    void ReadInputs();
    void ShowInputs();
    void SetLocateModeUi(LocateMode mode);
    void SetTitleCaption(const std::string& caption);
    void RefreshTitle();
    void ShowLocalSearchStatus();
    void AdvanceProgress();
    void UpdateCursor();
    void TogglePanel(bool locatePanel);
    void OnGo();
    void NextResults();
    void PreviousResults();
    void RestartSearch();
    bool AskForKeyword(const QString& text);
    void ClearKeyword();
    bool OpenMarkerSetFile(const std::string& path);
    void AfterMarkerSetLoaded(int action);
    // Marker sets: save, load, send, placing markers.
    void SyncMarkerSetWithView();
    SaveOutcome SaveWithDialog(MarkerSet& set, const MapViewState* view,
                               const std::string& initialPath, std::string& why);
    void SaveMarkerSet();
    void LoadMarkerSet();
    void SendMarkerSet();
    void TogglePlacingMode();
    void EditMarkerSet();
    void AddMarkerAt(QPoint position);
    std::string ProgramFile(int fixedString) const;
    // Updates and the About box.
    void CheckForUpdate();
    // Favorites: the menu mirrors the list.
    void RebuildFavoritesMenu();
    void AddFavorite();
    // Saves the favorites and tells the user when that fails.
    void SaveFavorites();
    void OrganizeFavorites();
    void ReplayFavorite(int position);
    void EditSettings();
    void RunDefinitionUpdate();
    void ApplyJobResult(const std::optional<JobResult>& result);
    void OnNavigateError();
    void ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon);

    // Core state.
    ServiceDefinitions definitions_;
    MarkerSet currentMarkerSet_;
    FavoritesList favoritesList_;
    FavoritesStore favoritesStore_;
    SettingsStore settings_;
    ProgramEnvironment environment_;
    MapViewState mapView_;
    LocationInputs inputs_ = LocationInputs::BuiltInDefaults();
    LocateMode locateMode_ = LocateMode::Phone;
    std::string country_ = "United States";
    std::string keyword_ = "Pizza";
    LocalSearchCounters counters_{0, 0, 1};
    std::string lastCaption_;
    std::string lastParams_;
    std::string localSearchResults_;
    int actionCode_ = 0;
    int jobCode_ = 0;
    bool busy_ = false;
    bool controlsBusy_ = true; // what the controls last showed; they start greyed
    int animationState_ = 0;
    int animationFrame_ = 0;
    bool layoutReady_ = false;
    bool locatePanelVisible_ = true;
    bool bottomPanelVisible_ = true;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int resizeCount_ = 0;
    int lastResizeCount_ = 0;
    int stableTicks_ = 0;
    bool canadianResult_ = false;
    std::string titleBase_;
    MainLayout layout_;
    std::vector<std::string> startUpSteps_;
    UpdateNotice updateNotice_;

    // Controls.
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    CExplorer1* browser_ = nullptr;
    LocatePanel* locate_ = nullptr;
    QPushButton* go_ = nullptr;
    QToolButton* locateIcon_ = nullptr;
    QLabel* progress_ = nullptr;
    QGroupBox* frameOuter_ = nullptr;
    QGroupBox* frameInner_ = nullptr;
    QGroupBox* searchGroup_ = nullptr;
    QGroupBox* markersGroup_ = nullptr;
    QToolButton* searchIcon_ = nullptr;
    QLabel* searchLabel_ = nullptr;
    QLineEdit* keywordField_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* previous_ = nullptr;
    QLabel* status_ = nullptr;
    QToolButton* markerIcon_ = nullptr;
    QLabel* markersLabel_ = nullptr;
    QPushButton* markerButtons_[5] = {};
    QMenu* favoritesMenu_ = nullptr;
    QTimer* timer_ = nullptr;
    JobRunner* jobs_ = nullptr;
};

// Posted to the main window: a click on the map while placing a marker, and
// a change of the current marker set's unsaved state.
inline const QEvent::Type kMapClickEvent = static_cast<QEvent::Type>(QEvent::User + 0xBC);
inline const QEvent::Type kMarkerSetChangedEvent = static_cast<QEvent::Type>(QEvent::User + 0xBD);

class MapClickEvent : public QEvent {
public:
    explicit MapClickEvent(QPoint position) : QEvent(kMapClickEvent), position(position) {}
    QPoint position; // in the browser's coordinates
};

} // namespace orbisk
