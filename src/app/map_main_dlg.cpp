// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/map_main_dlg.h"

#include "app/about_box.h"
#include "app/busy_indicator.h"
#include "app/command_ids.h"
#include "app/control_helpers.h"
#include "app/explorer1.h"
#include "app/job_controller.h"
#include "app/local_search_controller.h"
#include "app/local_server_start.h"
#include "app/locate_panel.h"
#include "app/marker_exchange_controller.h"
#include "app/marker_set_controller.h"
#include "app/qt_user_prompts.h"
#include "app/update_controller.h"
#include "services/locate_remark.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <utility>

// The icons live in a static library, whose resources must be asked for.
static void InitializeIcons() {
    Q_INIT_RESOURCE(orbisk);
}

namespace orbisk {
namespace {

constexpr int kTimerPeriodMs = 100;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CMapMainDlg::CMapMainDlg(UserPrompts* prompts, QWidget* parent)
    : QDialog(parent), ownPrompts_(prompts ? nullptr : new QtUserPrompts(this)),
      prompts_(prompts ? *prompts : *ownPrompts_), currentMarkerSet_([this] {
          QCoreApplication::postEvent(this, new QEvent(kMarkerSetChangedEvent));
      }) {
    InitializeIcons();
    setWindowIcon(Icon(128));
    setSizeGripEnabled(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    menus_ = new MainMenus(this);
    connect(menus_, &MainMenus::command, this, &CMapMainDlg::OnCommand);
    client_ = new QWidget(this);
    browser_ = new CExplorer1(client_);
    connect(browser_, &CExplorer1::mapClicked, this, [this](QPoint position) {
        QCoreApplication::postEvent(this, new MapClickEvent(position));
        UpdateCursor();
    });
    locate_ = new LocateControls(this, client_);
    connect(locate_, &LocateControls::command, this, &CMapMainDlg::OnCommand);
    bottom_ = new BottomPanel(client_);
    connect(bottom_, &BottomPanel::command, this, &CMapMainDlg::OnCommand);
    // Room for Go and the progress beside the widest locate mode.
    setMinimumSize(MinimumClientWidth(Widths(), Locate()->NeededWidth() + 45),
                   kMinimumWindowHeight);
    JobStarter& starter = *this;
    search_ = std::make_unique<LocalSearchController>(state_, *bottom_, prompts_, starter);
    connect(bottom_, &BottomPanel::keywordEntered, this, [this] { search_->Enter(); });
    favorites_ = std::make_unique<FavoritesController>(state_, prompts_, *menus_, starter);
    settings_ = std::make_unique<SettingsController>(
        prompts_, starter, [this](int maximum) { favorites_->List().SetMaximum(maximum); });
    update_ = std::make_unique<UpdateController>(definitions_, environment_, settings_->Settings(),
                                                 prompts_);
    markers_ =
        std::make_unique<MarkerSetController>(currentMarkerSet_, mapView_, *browser_, prompts_,
                                              starter, definitions_, environment_, this);
    exchange_ = std::make_unique<MarkerExchangeController>(currentMarkerSet_, prompts_, starter);
    setAcceptDrops(true);
    jobs_ = new JobController(state_, *browser_, locate_->Busy(),
                              {definitions_, currentMarkerSet_, mapView_, Settings(), environment_,
                               layout_, serviceTimeouts},
                              this);
    connect(jobs_, &JobController::requestSent, this, &CMapMainDlg::requestSent);
    connect(jobs_, &JobController::placeChanged, this, &CMapMainDlg::RefreshTitle);
    // The controls grey at once and come back on the next tick, when a
    // queued job may start first.
    connect(jobs_, &JobController::busyChanged, this, [this](bool busy) {
        if (busy) {
            search_->ForgetFailure();
            SetBusyControls(true);
        }
        UpdateCursor();
    });
    connect(jobs_, &JobController::failed, this, [this](const QString& reason) {
        search_->ShowFailure(reason);
        prompts_.Tell(tr("The map could not be prepared:\n%1").arg(reason), tr("Error"),
                      QMessageBox::Critical);
    });
    connect(jobs_, &JobController::serviceFailed, this,
            [this](const QString& reason) { search_->ShowFailure(reason); });
    OrderTabs();
    connect(browser_, &CExplorer1::rendererReplaced, this, &CMapMainDlg::OrderTabs);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CMapMainDlg::OnTimer);
    resize(800, 600);
}

CMapMainDlg::~CMapMainDlg() {
    timer_->stop();
    jobs_->Wait();
    delete browser_; // the page goes before the application does
}

void CMapMainDlg::Step(const char* name) {
    startUpSteps_.push_back(name);
}

void CMapMainDlg::Initialize(const std::string& commandLinePath) {
    Step("environment");
    const StoreCheck store = SetAsideUnreadableStore(RegistryKey::DefaultStoreFile());
    if (store.unreadable)
        prompts_.Tell(Text(UnreadableStoreMessage(RegistryKey::DefaultStoreFile(), store)),
                      tr("Warning"), QMessageBox::Warning);
    environment_ = DiscoverEnvironment(RegistryKey::DefaultStoreFile());
    Step("favorites");
    favorites_->Load();
    Step("settings");
    settings_->Load();
    browser_->ShowPlaceholder(settings_->MapGround());
    Step("definitions");
    update_->LoadDefinitions();
    StartLocalServerWhenAbsent(definitions_.fixedStrings.At(FixedStrings::ServerHost));
    Step("definition update");
    update_->RunDefinitionUpdate();
    Step("inputs");
    state_.StartWith(definitions_.defaultInputs);
    Locate()->SetCountries({QT_TRANSLATE_NOOP("orbisk::LocatePanel", "United States"),
                            QT_TRANSLATE_NOOP("orbisk::LocatePanel", "Canada")});
    Locate()->ShowInputs(state_.Inputs());
    SetLocateModeUi(LocateMode::Phone);
    Step("layout");
    PlaceControls(false);
    Step("first job");
    // Without a readable file of the command line, the first job locates
    // the default place with its local search.
    if (!OpenFile(QString::fromStdString(commandLinePath), true)) {
        bottom_->SetKeyword(Text(state_.Keyword()));
        StartJob(kActionStart, kLocate | kLocalSearch | kSendResults);
    }
    layoutReady_ = true;
    timer_->start(kTimerPeriodMs);
    locate_->Busy().ShowStill();
    RefreshTitle();
}

void CMapMainDlg::OnCommand(int id) {
    switch (id) {
    case kIdGo:
    case kIdLocateIcon: OnGo(); break;
    case kIdPhoneRadio:
    case kIdZipRadio:
    case kIdStreetRadio:
    case kIdLatLngRadio: SetLocateModeUi(static_cast<LocateMode>(id - kIdPhoneRadio)); break;
    case kIdNext: search_->Next(); break;
    case kIdPrevious: search_->Previous(); break;
    case kIdSearchIcon: search_->Restart(); break;
    case kIdLocatePanel: TogglePanel(true); break;
    case kIdBottomPanel: TogglePanel(false); break;
    case kIdZoomIn: browser_->Zoom(1); break;
    case kIdZoomOut: browser_->Zoom(-1); break;
    case kIdPanNorth: browser_->Pan(0, -1); break;
    case kIdPanSouth: browser_->Pan(0, 1); break;
    case kIdPanWest: browser_->Pan(-1, 0); break;
    case kIdPanEast: browser_->Pan(1, 0); break;
    case kIdAddMarkerAtCentre: browser_->AddMarkerAtCentre(); break;
    case kIdPrint: browser_->Print(); break;
    case kIdPrintPreview: browser_->PrintPreview(); break;
    case kIdPageSetup: browser_->PageSetup(); break;
    case kIdClose: close(); break;
    case kIdSaveMarkers:
    case kIdSaveMarkerSet: markers_->Save(); break;
    case kIdLoadMarkers:
    case kIdLoadMarkerSet: markers_->Load(); break;
    case kIdSendMarkers:
    case kIdSendMarkerSet: markers_->Send(); break;
    case kIdImportMarkers: exchange_->Import(); break;
    case kIdExportMarkers: exchange_->Export(); break;
    case kIdAddMarker:
    case kIdMarkerIcon: TogglePlacingMode(); break;
    case kIdEditMarkers: markers_->Edit(); break;
    case kIdUpdate: update_->CheckForUpdate(); break;
    case kIdAbout: AboutBox(this).exec(); break;
    case kIdAddFavorite: favorites_->Add(); break;
    case kIdOrganizeFavorites: favorites_->Organize(); break;
    case kIdSettings: settings_->Edit(); break;
    default:
        if (id >= kIdFirstFavorite && id <= kIdLastFavorite)
            favorites_->Replay(id - kIdFirstFavorite);
        break;
    }
}

bool CMapMainDlg::Busy() const {
    return jobs_->Busy();
}

bool CMapMainDlg::StartJob(int actionCode, int jobCode, const std::function<void()>& prepare) {
    return jobs_->Start(actionCode, jobCode, prepare);
}

void CMapMainDlg::StartJobWhenIdle(int actionCode, int jobCode) {
    if (!StartJob(actionCode, jobCode))
        queuedJob_ = {actionCode, jobCode};
}

// A tick that changes nothing touches no widget: an idle window is never repainted.
void CMapMainDlg::OnTimer() {
    if (Busy()) {
        locate_->Busy().Tick();
        return;
    }
    if (controlsBusy_)
        SetBusyControls(false);
    if (queuedJob_) {
        const auto [actionCode, jobCode] = *std::exchange(queuedJob_, std::nullopt);
        StartJob(actionCode, jobCode);
        return;
    }
    update_->Tick();
    if (resizing_.Tick())
        StartJob(kActionResize, kSendResults);
}

// The keyboard reads the window as the eye does: the locate panel and Go,
// the map (its engine's renderer stands in for the view), the bottom panel.
void CMapMainDlg::OrderTabs() {
    QWidget* map = browser_->focusProxy() ? browser_->focusProxy() : browser_;
    setTabOrder(findChild<QWidget*>("go"), map);
    setTabOrder(map, findChild<QWidget*>("keyword"));
}

void CMapMainDlg::SetBusyControls(bool busy) {
    controlsBusy_ = busy;
    if (busy)
        browser_->setPlacingMode(CExplorer1::Normal);
    locate_->SetBusy(busy);
    bottom_->SetBusy(busy);
    if (!busy)
        search_->ShowStatus();
    UpdateCursor();
}

void CMapMainDlg::UpdateCursor() {
    locate_->Busy().UpdateCursor(browser_->placingMode() == CExplorer1::Placing, Busy());
}

void CMapMainDlg::TogglePlacingMode() {
    browser_->setPlacingMode(browser_->placingMode() == CExplorer1::Placing ? CExplorer1::Normal
                                                                            : CExplorer1::Placing);
    UpdateCursor();
}

void CMapMainDlg::SetLocateModeUi(LocateMode mode) {
    locate_->ShowMode(mode, locatePanelVisible_);
}

void CMapMainDlg::RefreshTitle() {
    setWindowTitle(Text(state_.Title(definitions_.fixedStrings.At(FixedStrings::ProductTitle),
                                     currentMarkerSet_.IsModified())));
}

void CMapMainDlg::TogglePanel(bool locatePanel) {
    bool& visible = locatePanel ? locatePanelVisible_ : bottomPanelVisible_;
    visible = !visible;
    menus_->SetChecked(locatePanel ? kIdLocatePanel : kIdBottomPanel, visible);
    if (locatePanel)
        SetLocateModeUi(Locate()->CheckedMode());
    else
        bottom_->SetVisible(visible);
    PlaceControls(true);
}

TextWidths CMapMainDlg::Widths() const {
    TextWidths widths = bottom_->Widths();
    widths.go = locate_->GoWidth();
    return widths;
}

void CMapMainDlg::PlaceControls(bool requestMap) {
    layout_ = ComputeMainLayout(clientWidth_, clientHeight_, locatePanelVisible_,
                                bottomPanelVisible_, Widths());
    Place(browser_, layout_.browser);
    locate_->Place(layout_);
    bottom_->Place(layout_);
    if (requestMap)
        StartJob(kActionResize, kSendResults);
}

void CMapMainDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int menuHeight = menus_->Bar()->sizeHint().height();
    menus_->Bar()->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
    clientWidth_ = client_->width();
    clientHeight_ = client_->height();
    if (!layoutReady_)
        return;
    PlaceControls(false);
    resizing_.Resized();
}

void CMapMainDlg::customEvent(QEvent* event) {
    if (event->type() == kMarkerSetChangedEvent)
        RefreshTitle();
    else if (event->type() == kMapClickEvent)
        markers_->AddAt(static_cast<MapClickEvent*>(event)->position);
}

// Escape closes the window as Close does, with the same question.
void CMapMainDlg::reject() {
    close();
}

// The question may need the page's view to save, so it is answered after
// this event; the window closes once the answer allows it.
void CMapMainDlg::closeEvent(QCloseEvent* event) {
    if (!closeAllowed_ && markers_->NeedsCloseQuestion()) {
        event->ignore();
        if (!askingToClose_) {
            askingToClose_ = true;
            markers_->AskToClose([this](bool close) {
                askingToClose_ = false;
                closeAllowed_ = close;
                // Possibly still inside this event, where a close is refused.
                if (close)
                    QTimer::singleShot(0, this, &QWidget::close);
            });
        }
        return;
    }
    timer_->stop();
    jobs_->Wait();
    event->accept();
}

void CMapMainDlg::OnGo() {
    StartJob(kActionGo, kLocate, [this] {
        LocationInputs inputs = state_.Inputs();
        Locate()->ReadInputs(inputs);
        state_.Locate(Locate()->CheckedMode(), inputs);
        Locate()->ShowRemark(QString::fromStdString(LocateRemark(state_.Mode(), state_.Inputs())));
        search_->Clear(); // before the job, which would bring the old results back
    });
}

void CMapMainDlg::ShowMarkerSet(int actionCode) {
    StartJob(actionCode, kMarkerSetView, [this] {
        state_.MarkerSetLoaded(currentMarkerSet_.country);
        search_->Clear();
    });
}

bool CMapMainDlg::OpenFile(const QString& path, bool commandLine) {
    if (MarkerExchangeController::Handles(QString(path).remove('"')))
        return exchange_->Import(QString(path).remove('"'));
    if (commandLine)
        return markers_->OpenCommandLine(path.toStdString());
    markers_->Load(path);
    return true;
}

namespace {

// The one local file a drag carries, or empty.
QString DraggedFile(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
}

} // namespace

void CMapMainDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedFile(event->mimeData()).isEmpty() && !Busy())
        event->acceptProposedAction();
}

void CMapMainDlg::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag's source waits for the drop to end: the dialogs come after.
    QTimer::singleShot(0, this, [this, path] { OpenFile(path, false); });
}

} // namespace orbisk
