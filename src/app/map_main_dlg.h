// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/bottom_panel.h"
#include "app/core/job_state.h"
#include "app/core/main_layout.h"
#include "app/core/resize_settling.h"
#include "app/favorites_controller.h"
#include "app/job_starter.h"
#include "app/locate_controls.h"
#include "app/main_menus.h"
#include "app/settings_controller.h"
#include "markers/marker_set.h"
#include "protocol/map_view_state.h"
#include "services/http_client.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"

#include <QDialog>
#include <QEvent>
#include <QPoint>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace orbisk {

class CExplorer1;
class JobController;
class LocalSearchController;
class LocatePanel;
class MarkerExchangeController;
class MarkerSetController;
class UpdateController;
class UserPrompts;

// The main window: locate panel, map browser and bottom panel, the menus and
// the 100 ms timer. It composes the panels and the flows, runs the jobs and
// shows the job state. Runs as a modal dialog.
class CMapMainDlg : public QDialog, private JobStarter {
    Q_OBJECT
public:
    // Without prompts, the window asks the user with its own dialogs.
    explicit CMapMainDlg(UserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~CMapMainDlg() override;

    // The start-up sequence: environment, favorites, settings, definitions,
    // their update, the inputs, the first layout, then the marker set file of
    // the command line or the first job, and the timer.
    void Initialize(const std::string& commandLinePath);

    // Every menu item, button and icon comes here with its command id.
    void OnCommand(int id);
    // One tick of the 100 ms timer.
    void OnTimer();

    // How long a job waits for an outside service.
    HttpTimeouts serviceTimeouts = HttpTimeouts::ServiceCall();

    // What the window holds, for tests and for the dialogs of other parts;
    // its widgets are found by their object names.
    bool Busy() const override;
    const JobState& State() const { return state_; }
    const MapViewState& MapView() const { return mapView_; }
    const MainLayout& Layout() const { return layout_; }
    const ProgramEnvironment& Environment() const { return environment_; }
    MarkerSet& CurrentMarkerSet() { return currentMarkerSet_; }
    CExplorer1* Browser() const { return browser_; }
    QAction* Action(int id) const { return menus_->Action(id); }
    const FavoritesList& Favorites() const { return favorites_->List(); }
    const SettingsStore& Settings() const { return settings_->Settings(); }
    // The steps of the start-up sequence in the order they ran.
    const std::vector<std::string>& StartUpSteps() const { return startUpSteps_; }

signals:
    // A job's request went out (body and address), for tests and logging.
    void requestSent(const QString& address, const QByteArray& body);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A marker set or marker file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void reject() override;

private:
    using JobStarter::StartJob;
    bool StartJob(int actionCode, int jobCode, const std::function<void()>& prepare) override;
    void StartJobWhenIdle(int actionCode, int jobCode) override;
    void ShowMarkerSet(int actionCode) override;
    LocatePanel* Locate() const { return locate_->Panel(); }
    void Step(const char* name);
    void PlaceControls(bool requestMap);
    TextWidths Widths() const;
    void SetBusyControls(bool busy);
    void OrderTabs();
    void SetLocateModeUi(LocateMode mode);
    void RefreshTitle();
    void UpdateCursor();
    void TogglePanel(bool locatePanel);
    void TogglePlacingMode();
    void OnGo();
    // A marker set file, or a marker file to import; false when none was read.
    bool OpenFile(const QString& path, bool commandLine);

    std::unique_ptr<UserPrompts> ownPrompts_;
    UserPrompts& prompts_;
    ServiceDefinitions definitions_;
    MarkerSet currentMarkerSet_;
    ProgramEnvironment environment_;
    MapViewState mapView_;
    JobState state_;
    bool controlsBusy_ = true; // what the controls last showed; they start greyed
    bool layoutReady_ = false;
    bool closeAllowed_ = false; // the unsaved-markers question allowed it
    bool askingToClose_ = false;
    std::optional<std::pair<int, int>> queuedJob_; // action and job codes
    bool locatePanelVisible_ = true;
    bool bottomPanelVisible_ = true;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    ResizeSettling resizing_;
    MainLayout layout_;
    std::vector<std::string> startUpSteps_;

    MainMenus* menus_ = nullptr;
    QWidget* client_ = nullptr;
    CExplorer1* browser_ = nullptr;
    LocateControls* locate_ = nullptr;
    BottomPanel* bottom_ = nullptr;
    QTimer* timer_ = nullptr;
    JobController* jobs_ = nullptr;
    std::unique_ptr<LocalSearchController> search_;
    std::unique_ptr<FavoritesController> favorites_;
    std::unique_ptr<SettingsController> settings_;
    std::unique_ptr<UpdateController> update_;
    std::unique_ptr<MarkerSetController> markers_;
    std::unique_ptr<MarkerExchangeController> exchange_;
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
