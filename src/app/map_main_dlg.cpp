#include "app/map_main_dlg.h"

#include "app/about_box.h"
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/job_runner.h"
#include "app/locate_panel.h"
#include "app/startup_trace.h"
#include "app/window_title.h"
#include "favorites/ui/add_favorite_dialog.h"
#include "favorites/ui/dialog_edit_favorites.h"
#include "markers/marker_set_file.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"
#include "settings/ui/property_sheet_settings.h"
#include "settings/ui/safe_edit_box.h"
#include "update/definition_update.h"
#include "update/ui/dialog_update_progress.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

// The icons live in a static library, whose resources must be asked for.
static void InitializeIcons() {
    Q_INIT_RESOURCE(orbisk);
}

namespace orbisk {
namespace {

constexpr int kTimerPeriodMs = 100;
constexpr int kStableTicks = 10;

QIcon Icon(int id) {
    return QIcon(QString(":/icons/%1.svg").arg(id));
}

QPixmap Pixmap(int id, QSize size) {
    return Icon(id).pixmap(size);
}

// ">" and "<": normal, pressed, focused and disabled looks.
QIcon ArrowIcon(int normal, int focused, int disabled) {
    QIcon icon;
    icon.addFile(QString(":/icons/%1.svg").arg(normal), QSize(26, 22), QIcon::Normal);
    icon.addFile(QString(":/icons/%1.svg").arg(focused), QSize(26, 22), QIcon::Active);
    icon.addFile(QString(":/icons/%1.svg").arg(disabled), QSize(26, 22), QIcon::Disabled);
    return icon;
}

void Place(QWidget* widget, const Rect& rect) {
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CMapMainDlg::CMapMainDlg(QWidget* parent)
    : QDialog(parent), currentMarkerSet_([this] {
          QCoreApplication::postEvent(this, new QEvent(kMarkerSetChangedEvent));
      }),
      favoritesStore_(favoritesList_, RegistryKey::DefaultStoreFile()), jobs_(new JobRunner(this)) {
    messageBox = [this](const QString& text, const QString& caption, QMessageBox::Icon icon,
                        QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, caption, text, buttons, this);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    InitializeIcons();
    setWindowIcon(Icon(128));
    fileDialog = [this](bool save, const QString& initialPath) {
        QFileDialog dialog(this, save ? "Save Marker Set" : "Load Marker Set", initialPath,
                           "Marker Set Files (*.obk);;XML files (*.xml);;All Files (*)");
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix("obk");
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    markerDetails = [this](MarkerDetails& details) {
        CDialogAddNewMarker dialog(details, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        details = dialog.Details();
        return true;
    };
    updateDialog = [this](const QString& name, const QString& address) {
        CDialogUpdateProgress(name, address, this).exec();
    };
    favoriteName = [this](QString& name) {
        CAddFavoriteDialog dialog(name, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        name = dialog.Name();
        return true;
    };
    organizeFavorites = [this](FavoritesList& list) { CDialogEditFavorites(list, this).exec(); };
    editSettings = [this](SettingsStore& settings) { return EditWithSheet(settings, this); };
    runMarkerSetDialog = [](CDialogEditMarkerSet& dialog) { return dialog.exec(); };
    setMinimumSize(kMinimumWindowWidth, kMinimumWindowHeight);
    setSizeGripEnabled(true);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    CreateMenus();
    CreateControls();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CMapMainDlg::OnTimer);
    resize(800, 600);
}

CMapMainDlg::~CMapMainDlg() {
    timer_->stop();
    jobs_->Wait();
    delete browser_; // the page goes before the application does
}

QAction* CMapMainDlg::Action(int id) const {
    for (QAction* action : findChildren<QAction*>())
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

void CMapMainDlg::CreateMenus() {
    menuBar_ = new QMenuBar(this);
    const auto add = [this](QMenu* menu, const QString& text, int id) {
        QAction* action = menu->addAction(text);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        return action;
    };
    QMenu* file = menuBar_->addMenu("&File");
    add(file, "&Load Marker Set", kIdLoadMarkerSet);
    add(file, "S&ave Marker Set", kIdSaveMarkerSet);
    add(file, "S&end Marker Set", kIdSendMarkerSet);
    file->addSeparator();
    add(file, "Page &Setup", kIdPageSetup);
    add(file, "P&rint Preview", kIdPrintPreview);
    add(file, "&Print", kIdPrint);
    file->addSeparator();
    add(file, "&Close", kIdClose);
    QMenu* view = menuBar_->addMenu("&View");
    for (QAction* toggle :
         {add(view, "Locate Panel", kIdLocatePanel), add(view, "Bottom Panel", kIdBottomPanel)}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    add(menuBar_->addMenu("&Options"), "S&ettings", kIdSettings);
    favoritesMenu_ = menuBar_->addMenu("Favor&ites");
    add(favoritesMenu_, "&Add to Favorites...", kIdAddFavorite);
    add(favoritesMenu_, "&Organize Favorites...", kIdOrganizeFavorites);
    favoritesMenu_->addSeparator();
    QMenu* help = menuBar_->addMenu("&Help");
    add(help, "A&bout", kIdAbout);
    add(help, "&Update", kIdUpdate);
    // The keys a desktop user tries first; the menus show them.
    const std::pair<int, QKeySequence> keys[] = {
        {kIdLoadMarkerSet, QKeySequence("Ctrl+O")}, {kIdSaveMarkerSet, QKeySequence("Ctrl+S")},
        {kIdPrint, QKeySequence("Ctrl+P")},         {kIdPrintPreview, QKeySequence("Ctrl+Shift+P")},
        {kIdClose, QKeySequence("Ctrl+Q")},         {kIdAbout, QKeySequence("F1")},
        {kIdAddFavorite, QKeySequence("Ctrl+D")}};
    for (const auto& [id, key] : keys)
        Action(id)->setShortcut(key);
}

void CMapMainDlg::CreateControls() {
    client_ = new QWidget(this);
    browser_ = new CExplorer1(client_);
    connect(browser_, &CExplorer1::downloadComplete, this, [this] {
        busy_ = false;
        UpdateCursor();
    });
    connect(browser_, &CExplorer1::documentComplete, this, [this] {
        animationState_ = 0;
        animationFrame_ = 4;
        AdvanceProgress();
    });
    connect(browser_, &CExplorer1::navigateError, this, &CMapMainDlg::OnNavigateError);
    connect(browser_, &CExplorer1::mapClicked, this, [this](QPoint position) {
        QCoreApplication::postEvent(this, new MapClickEvent(position));
        UpdateCursor();
    });

    locate_ = new LocatePanel(client_);
    connect(locate_, &LocatePanel::modeChosen, this,
            [this](LocateMode mode) { OnCommand(kIdPhoneRadio + static_cast<int>(mode)); });
    connect(locate_, &LocatePanel::countryChanged, this, [this] { OnCommand(kIdCountry); });

    const auto button = [this](const QString& text, int id) {
        auto* pushButton = new QPushButton(text, client_);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        return pushButton;
    };
    const auto iconButton = [this](int icon, int id) {
        auto* toolButton = new QToolButton(client_);
        toolButton->setIcon(Icon(icon));
        toolButton->setIconSize(QSize(20, 34));
        toolButton->setAutoRaise(true);
        connect(toolButton, &QToolButton::clicked, this, [this, id] { OnCommand(id); });
        return toolButton;
    };
    go_ = button("Go", kIdGo);
    go_->setDefault(true);
    locateIcon_ = iconButton(170, kIdLocateIcon);
    frameOuter_ = new QGroupBox(client_);
    frameInner_ = new QGroupBox(client_);
    frameOuter_->lower();
    frameInner_->lower();
    progress_ = new QLabel(client_);

    searchGroup_ = new QGroupBox(client_);
    markersGroup_ = new QGroupBox(client_);
    searchIcon_ = iconButton(168, kIdSearchIcon);
    searchLabel_ = new QLabel("Local Search:", client_);
    keywordField_ = new CSafeEditBox(client_);
    keywordField_->setPlaceholderText(kKeywordCueText);
    connect(keywordField_, &QLineEdit::textEdited, this, [this] { next_->setDefault(true); });
    connect(keywordField_, &QLineEdit::returnPressed, this, [this] { OnCommand(kIdNext); });
    next_ = button("", kIdNext);
    next_->setIcon(ArrowIcon(171, 173, 175));
    previous_ = button("", kIdPrevious);
    previous_->setIcon(ArrowIcon(179, 178, 177));
    status_ = new QLabel(client_); // empty until a local search has answered
    markerIcon_ = iconButton(183, kIdMarkerIcon);
    markersLabel_ = new QLabel("My Markers", client_);
    const char* const names[] = {"Add", "Edit", "Load", "Save", "Send"};
    for (int i = 0; i < 5; ++i)
        markerButtons_[i] = button(names[i], kIdAddMarker + i);
    // The two captions have little room beside their fields.
    for (QLabel* caption : {searchLabel_, markersLabel_}) {
        QFont font = caption->font();
        font.setPixelSize(11);
        caption->setFont(font);
    }
    searchGroup_->lower();
    markersGroup_->lower();
}

void CMapMainDlg::CreateTooltips() {
    const QString addTip = "Click here, then pick a position on the map to add a new marker there";
    markerIcon_->setToolTip(addTip);
    searchIcon_->setToolTip("Restart local search");
    locateIcon_->setToolTip("Find a new location");
    go_->setToolTip("Find a new location");
    next_->setToolTip("Get next local search results");
    previous_->setToolTip("Get previous local search results");
    keywordField_->setToolTip("Local search keyword(s)");
    const char* const tips[] = {"", "Edit current marker set", "Load a saved marker set",
                                "Save current marker set",
                                "Email your marker set(s) to your frients"};
    markerButtons_[0]->setToolTip(addTip);
    for (int i = 1; i < 5; ++i)
        markerButtons_[i]->setToolTip(tips[i]);
    progress_->setToolTip("Progress indicator");
}

void CMapMainDlg::Step(const char* name) {
    startUpSteps_.push_back(name);
}

void CMapMainDlg::Initialize(const std::string& commandLinePath) {
    Step("environment");
    const StoreCheck store = SetAsideUnreadableStore(RegistryKey::DefaultStoreFile());
    if (store.unreadable)
        ShowMessage(Text(UnreadableStoreMessage(RegistryKey::DefaultStoreFile(), store)), "Warning",
                    QMessageBox::Warning);
    environment_ = DiscoverEnvironment(RegistryKey::DefaultStoreFile());
    Step("favorites");
    favoritesStore_.Load();
    RebuildFavoritesMenu();
    Step("settings");
    settings_.Load();
    // The ground of the map type the first map will have: no white flash.
    browser_->ShowPlaceholder(settings_.Get(SettingsStore::MapTypeIndex) ==
                                      static_cast<int>(MapType::MapOnly)
                                  ? QColor(0xf4, 0xf1, 0xe8)
                                  : QColor(0x2f, 0x4a, 0x2a));
    favoritesList_.SetMaximum(settings_.Get(SettingsStore::MaxFavorites));
    Step("definitions");
    definitions_.LoadDefinitionFile(environment_.programDirectory,
                                    [this](const std::string& message) {
                                        ShowMessage(Text(message), "Error", QMessageBox::Critical);
                                    });
    Step("definition update");
    RunDefinitionUpdate();
    Step("inputs");
    inputs_ = definitions_.defaultInputs;
    keyword_ = inputs_.localSearchKey;
    locate_->SetCountries({"United States", "Canada"});
    ShowInputs();
    SetLocateModeUi(LocateMode::Phone);
    Step("layout");
    PlaceControls(false);
    actionCode_ = 0;
    Step("first job");
    std::string path = commandLinePath;
    path.erase(std::remove(path.begin(), path.end(), '"'), path.end());
    bool opened = false;
    if (!path.empty() && !QFile::exists(Text(path)))
        ShowMessage(Text("Failed to find marker set file " + path), "Error", QMessageBox::Critical);
    else if (!path.empty())
        opened = OpenMarkerSetFile(path);
    if (!opened) {
        keywordField_->setText(Text(keyword_));
        StartJob(kLocate | kLocalSearch | kSendResults);
    }
    CreateTooltips();
    layoutReady_ = true;
    timer_->start(kTimerPeriodMs);
    animationFrame_ = 4;
    AdvanceProgress();
    RefreshTitle();
}

void CMapMainDlg::RunDefinitionUpdate() {
    DefinitionSource source;
    source.host = definitions_.fixedStrings.At(FixedStrings::ServerHost);
    source.basePath = definitions_.fixedStrings.At(FixedStrings::MapDirectory);
    source.proxy = environment_.proxyServer;
    source.currentVersion = definitions_.definitionVersion;
    if (!DefinitionVersionCheck(source).IsNewer())
        return;
    DefinitionDownloader downloader(source, environment_.programDirectory,
                                    definitions_.fixedStrings.At(FixedStrings::DefinitionFile));
    if (downloader.DownloadAll())
        definitions_.LoadDefinitionFile(
            environment_.programDirectory, [this](const std::string& message) {
                ShowMessage(Text(message), "Error", QMessageBox::Critical);
            });
}

void CMapMainDlg::OnCommand(int id) {
    switch (id) {
    case kIdGo:
    case kIdLocateIcon: OnGo(); break;
    case kIdPhoneRadio:
    case kIdZipRadio:
    case kIdStreetRadio:
    case kIdLatLngRadio: SetLocateModeUi(static_cast<LocateMode>(id - kIdPhoneRadio)); break;
    case kIdCountry: country_ = locate_->Country().toStdString(); break;
    case kIdNext: NextResults(); break;
    case kIdPrevious: PreviousResults(); break;
    case kIdSearchIcon: RestartSearch(); break;
    case kIdLocatePanel: TogglePanel(true); break;
    case kIdBottomPanel: TogglePanel(false); break;
    case kIdPrint: browser_->Print(); break;
    case kIdPrintPreview: browser_->PrintPreview(); break;
    case kIdPageSetup: browser_->PageSetup(); break;
    case kIdClose: close(); break;
    case kIdSaveMarkers:
    case kIdSaveMarkerSet: SaveMarkerSet(); break;
    case kIdLoadMarkers:
    case kIdLoadMarkerSet: LoadMarkerSet(); break;
    case kIdSendMarkers:
    case kIdSendMarkerSet: SendMarkerSet(); break;
    case kIdAddMarker:
    case kIdMarkerIcon: TogglePlacingMode(); break;
    case kIdEditMarkers: EditMarkerSet(); break;
    case kIdUpdate: CheckForUpdate(); break;
    case kIdAbout: AboutBox(this).exec(); break;
    case kIdAddFavorite: AddFavorite(); break;
    case kIdOrganizeFavorites: OrganizeFavorites(); break;
    case kIdSettings: EditSettings(); break;
    default:
        if (id >= kIdFirstFavorite && id <= kIdLastFavorite)
            ReplayFavorite(id - kIdFirstFavorite);
        break;
    }
}

void CMapMainDlg::StartJob(int jobCode) {
    if (busy_)
        return;
    SetBusyControls(true);
    busy_ = true;
    animationState_ = 1;
    UpdateCursor();
    StartupTrace::Mark("job started");
    browser_->ReadMapView(mapView_);
    StartupTrace::Mark("view read");
    jobCode_ = jobCode;

    JobSnapshot job;
    job.jobCode = jobCode;
    job.actionCode = actionCode_;
    job.locateMode = locateMode_;
    job.inputs = inputs_;
    job.keyword = keyword_;
    job.counters = counters_;
    job.browserWidth = layout_.browserWidth;
    job.browserHeight = layout_.browserHeight;
    job.lastCaption = lastCaption_;
    job.lastParams = lastParams_;
    job.localSearchResults = localSearchResults_;
    job.mapView = mapView_;
    job.markerSet = currentMarkerSet_;
    job.definitions = definitions_;
    job.settingsFragment = settings_.MapRequestFragment();
    job.defaultZoom = settings_.Get(SettingsStore::DefaultZoom);
    job.computerName = environment_.computerName;
    job.proxyServer = environment_.proxyServer;
    job.canadian = canadianResult_;
    job.timeouts = serviceTimeouts;
    jobs_->Start(std::move(job),
                 [this](std::optional<JobResult> result) { ApplyJobResult(result); });
}

// On the window thread, in order: the state the job produced, the navigation, the title.
void CMapMainDlg::ApplyJobResult(const std::optional<JobResult>& result) {
    if (!result) {
        busy_ = false;
        UpdateCursor();
        return;
    }
    lastCaption_ = result->lastCaption;
    lastParams_ = result->lastParams;
    localSearchResults_ = result->localSearchResults;
    counters_ = result->counters;
    canadianResult_ = result->canadian;
    currentMarkerSet_.country = result->markerSetCountry;
    const QByteArray body = QByteArray::fromStdString(result->body);
    browser_->NavigateWithPost(Text(result->address), body);
    emit requestSent(Text(result->address), body);
    SetTitleCaption(result->caption);
}

void CMapMainDlg::OnNavigateError() {
    if (animationState_ == 2) {
        busy_ = false;
        UpdateCursor();
        return;
    }
    animationState_ = 2;
    animationFrame_ = 4;
    AdvanceProgress();
    browser_->NavigateTo(QUrl::fromLocalFile(Text(ProgramFilePath(environment_.programDirectory,
                                                                  "\\html\\HomeSiteError.htm")
                                                      .string()))
                             .toString());
}

// A tick that changes nothing touches no widget: an idle window is never repainted.
void CMapMainDlg::OnTimer() {
    if (busy_) {
        if (animationState_ == 1)
            AdvanceProgress();
        return;
    }
    if (controlsBusy_)
        SetBusyControls(false);
    if (updateNotice_.Tick(false, settings_.Get(SettingsStore::UpdatePreferenceIndex),
                           CheckForNewerProgram(definitions_.newUpdate.ver)))
        updateDialog(Text(definitions_.newUpdate.name),
                     Text(definitions_.newUpdate.downloadAddress));
    if (resizeCount_ == 0)
        return;
    if (resizeCount_ != lastResizeCount_) {
        lastResizeCount_ = resizeCount_;
        stableTicks_ = 0;
    } else if (stableTicks_ < kStableTicks) {
        ++stableTicks_;
    } else {
        resizeCount_ = lastResizeCount_ = stableTicks_ = 0;
        actionCode_ = 4;
        StartJob(kSendResults);
    }
}

void CMapMainDlg::AdvanceProgress() {
    progress_->setPixmap(Pixmap(155 + animationFrame_, QSize(32, 32)));
    animationFrame_ = (animationFrame_ + 1) % 4;
}

void CMapMainDlg::SetBusyControls(bool busy) {
    controlsBusy_ = busy;
    if (busy)
        browser_->setPlacingMode(CExplorer1::Normal);
    searchIcon_->setIcon(Icon(busy ? 192 : 168));
    locateIcon_->setIcon(Icon(busy ? 192 : 170));
    markerIcon_->setIcon(Icon(busy ? 185 : 183));
    for (QWidget* control : {static_cast<QWidget*>(searchIcon_), static_cast<QWidget*>(locateIcon_),
                             static_cast<QWidget*>(markerIcon_), static_cast<QWidget*>(next_),
                             static_cast<QWidget*>(go_)})
        control->setEnabled(!busy);
    for (QPushButton* markerButton : markerButtons_)
        markerButton->setEnabled(!busy);
    if (busy)
        previous_->setEnabled(false);
    else
        ShowLocalSearchStatus();
    UpdateCursor();
}

void CMapMainDlg::UpdateCursor() {
    if (browser_->placingMode() == CExplorer1::Placing)
        setCursor(QCursor(Pixmap(106, QSize(32, 32)), 16, 30));
    else if (busy_)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void CMapMainDlg::ReadInputs() {
    locateMode_ = locate_->CheckedMode();
    locate_->ReadInputs(inputs_);
}

void CMapMainDlg::ShowInputs() {
    locate_->ShowInputs(inputs_);
}

void CMapMainDlg::SetLocateModeUi(LocateMode mode) {
    locate_->SetLocateModeUi(mode, locatePanelVisible_);
    for (QWidget* control : {static_cast<QWidget*>(go_), static_cast<QWidget*>(locateIcon_),
                             static_cast<QWidget*>(progress_), static_cast<QWidget*>(frameOuter_),
                             static_cast<QWidget*>(frameInner_)})
        control->setVisible(locatePanelVisible_);
}

void CMapMainDlg::SetTitleCaption(const std::string& caption) {
    titleBase_ = TitleBase(definitions_.fixedStrings.At(FixedStrings::ProductTitle), caption);
    RefreshTitle();
}

void CMapMainDlg::RefreshTitle() {
    if (titleBase_.empty())
        titleBase_ = definitions_.fixedStrings.At(FixedStrings::ProductTitle);
    setWindowTitle(Text(WindowTitle(titleBase_, currentMarkerSet_.IsModified())));
}

void CMapMainDlg::ShowLocalSearchStatus() {
    const LocalSearchStatus status = orbisk::ShowLocalSearchStatus(keyword_, counters_);
    counters_.first = status.first;
    status_->setText(Text(status.text));
    previous_->setEnabled(status.previousEnabled && !busy_);
}

void CMapMainDlg::TogglePanel(bool locatePanel) {
    bool& visible = locatePanel ? locatePanelVisible_ : bottomPanelVisible_;
    visible = !visible;
    Action(locatePanel ? kIdLocatePanel : kIdBottomPanel)->setChecked(visible);
    if (locatePanel) {
        SetLocateModeUi(locate_->CheckedMode());
    } else {
        for (QWidget* control : std::initializer_list<QWidget*>{
                 searchIcon_, searchLabel_, markersLabel_, keywordField_, next_, previous_, status_,
                 searchGroup_, markersGroup_, markerIcon_})
            control->setVisible(visible);
        for (QPushButton* markerButton : markerButtons_)
            markerButton->setVisible(visible);
    }
    PlaceControls(true);
}

void CMapMainDlg::PlaceControls(bool requestMap) {
    layout_ =
        ComputeMainLayout(clientWidth_, clientHeight_, locatePanelVisible_, bottomPanelVisible_);
    Place(browser_, layout_.browser);
    Place(locate_, layout_.locateGroup);
    Place(go_, layout_.go);
    Place(locateIcon_, layout_.locateIcon);
    Place(progress_, layout_.progress);
    Place(frameOuter_, layout_.frameOuter);
    Place(frameInner_, layout_.frameInner);
    Place(searchGroup_, layout_.searchGroup);
    Place(markersGroup_, layout_.markersGroup);
    Place(searchIcon_, layout_.searchIcon);
    Place(searchLabel_, layout_.searchLabel);
    Place(keywordField_, layout_.keyword);
    Place(next_, layout_.next);
    Place(previous_, layout_.previous);
    Place(status_, layout_.status);
    Place(markerIcon_, layout_.markerIcon);
    Place(markersLabel_, layout_.markersLabel);
    for (int i = 0; i < 5; ++i)
        Place(markerButtons_[i], layout_.markerButtons[i]);
    if (requestMap) {
        actionCode_ = 4;
        StartJob(kSendResults);
    }
}

void CMapMainDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), menuHeight);
    client_->setGeometry(0, menuHeight, width(), height() - menuHeight);
    clientWidth_ = client_->width();
    clientHeight_ = client_->height();
    if (!layoutReady_)
        return;
    PlaceControls(false);
    ++resizeCount_;
}

void CMapMainDlg::customEvent(QEvent* event) {
    if (event->type() == kMarkerSetChangedEvent)
        RefreshTitle();
    else if (event->type() == kMapClickEvent)
        AddMarkerAt(static_cast<MapClickEvent*>(event)->position);
}

// Unsaved markers are offered for saving first. The job in flight works on
// its own copy of the set, so saving never races it.
void CMapMainDlg::closeEvent(QCloseEvent* event) {
    if (currentMarkerSet_.IsModified() && !currentMarkerSet_.IsEmpty()) {
        const auto answer = messageBox("You have unsaved marker(s) in your current marker "
                                       "set.\n\nClick \"Yes\" to save the markers before you "
                                       "close the window.\nClick \"No\" to ignore the unsaved "
                                       "markers and close the window.\nClick \"Cancel\" "
                                       "to return to Orbisk.",
                                       "Question", QMessageBox::Question,
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Yes)
            SaveMarkerSet();
    }
    timer_->stop();
    jobs_->Wait();
    event->accept();
}

// Confirmed settings reach the map with a new request, unless a job runs:
// then the next request carries them.
void CMapMainDlg::EditSettings() {
    if (!editSettings(settings_))
        return;
    if (!settings_.Save())
        ShowMessage(Text(SaveFailedMessage("settings", RegistryKey::DefaultStoreFile())), "Error",
                    QMessageBox::Critical);
    if (!busy_) {
        actionCode_ = 2;
        StartJob(kSendResults);
    }
    favoritesList_.SetMaximum(settings_.Get(SettingsStore::MaxFavorites));
}

void CMapMainDlg::OnGo() {
    ReadInputs();
    actionCode_ = 3;
    StartJob(kLocate);
    ClearKeyword();
}

void CMapMainDlg::ClearKeyword() {
    keywordField_->clear();
    keyword_.clear();
    ShowLocalSearchStatus();
}

bool CMapMainDlg::AskForKeyword(const QString& text) {
    if (!IsNoKeyword(text.toStdString()))
        return false;
    ShowMessage("Please type in the keyword(s) you want to\nsearch in current area on the map.",
                "Information", QMessageBox::Information);
    keywordField_->setFocus();
    return true;
}

void CMapMainDlg::NextResults() {
    const QString text = keywordField_->text();
    if (AskForKeyword(text))
        return;
    counters_.first = NextFirst(text.toStdString(), keyword_, counters_);
    keyword_ = text.toStdString();
    actionCode_ = 5;
    StartJob(kLocalSearch | kSendResults);
    go_->setDefault(true);
}

void CMapMainDlg::PreviousResults() {
    const std::string text = keywordField_->text().toStdString();
    counters_.first = PreviousFirst(text, keyword_, counters_);
    keyword_ = text;
    actionCode_ = 6;
    StartJob(kLocalSearch | kSendResults);
}

void CMapMainDlg::RestartSearch() {
    const QString text = keywordField_->text();
    if (AskForKeyword(text))
        return;
    keyword_ = text.toStdString();
    counters_.first = 1;
    actionCode_ = 7;
    StartJob(kLocalSearch | kSendResults);
}

bool CMapMainDlg::OpenMarkerSetFile(const std::string& path) {
    std::string why;
    if (!MarkerSetFile().ReadFile(currentMarkerSet_, path, &why)) {
        ShowMessage(Text("Failed to load marker set from " + path + ":\n" + why), "Error",
                    QMessageBox::Critical);
        return false;
    }
    AfterMarkerSetLoaded(11);
    return true;
}

void CMapMainDlg::AfterMarkerSetLoaded(int action) {
    canadianResult_ = currentMarkerSet_.country == "Canada";
    actionCode_ = action;
    StartJob(kMarkerSetView);
    ClearKeyword();
}

void CMapMainDlg::ShowMessage(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    messageBox(text, caption, icon, QMessageBox::Ok);
}

} // namespace orbisk
