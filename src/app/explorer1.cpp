// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/explorer1.h"

#include "app/map_web_page.h"
#include "settings/locale_paper.h"

#include <QBuffer>
#include <QChildEvent>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <algorithm>
#include <mutex>

namespace orbisk {
namespace {

constexpr int kReadTimeoutMs = 1500;
constexpr int kPrintTimeoutMs = 30'000;

// Screen resolution: a high-resolution printer made one page peak near 800 MB.
// Prints start on the paper of the user's locale: Letter in the United
// States and Canada.
QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::ScreenResolution);
    static std::once_flag sized;
    std::call_once(sized, [] {
        if (const auto paper = LocalePaperMillimetres())
            printer.setPageSize(QPageSize(QSizeF(paper->first, paper->second),
                                          QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch));
    });
    return printer;
}

// Each page of the engine's PDF as a picture on the printer's page, drawn
// at three times the printer's resolution so the preview's own print stays sharp.
void PaintPages(QPdfDocument& document, QPrinter& printer) {
    QPainter painter(&printer);
    const QRect target = painter.viewport();
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0)
            printer.newPage();
        const QImage image = document.render(page, target.size() * 3);
        painter.drawImage(target, image);
    }
}

constexpr int kHttpCacheBytes = 64 * 1024 * 1024;

// One profile for the process, its HTTP cache under the user's cache folder,
// so that a second start takes the map files the first one fetched from disk;
// what pages store stays where the engine keeps it, in the application's data
// folder, Orbisk's own. It is the application's child: every page goes before it.
QWebEngineProfile* MapProfile() {
    static QWebEngineProfile* const profile = [] {
        auto* made = new QWebEngineProfile("orbisk", QCoreApplication::instance());
        made->setCachePath(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           "/orbisk/http");
        made->setHttpCacheMaximumSize(kHttpCacheBytes);
        made->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        // The map page speaks the window's language.
        made->setHttpAcceptLanguage(QLocale().bcp47Name());
        return made;
    }();
    return profile;
}

} // namespace

CExplorer1::CExplorer1(QWidget* parent) : QWebEngineView(parent) {
    setPage(page_ = new MapWebPage(MapProfile(), this));
    // A file dropped on the map is the window's to open, not a page to go to.
    setAcceptDrops(false);
    connect(page(), &QWebEnginePage::loadingChanged, this, &CExplorer1::OnLoadingChanged);
    loadTimer_.setSingleShot(true);
    loadTimer_.setInterval(kDefaultLoadTimeoutMs);
    connect(&loadTimer_, &QTimer::timeout, this, &CExplorer1::OnLoadTimeout);
    printTimer_.setSingleShot(true);
    connect(&printTimer_, &QTimer::timeout, this, [this] { printing_ = false; });
    WatchRenderWidget();
    setAccessibleName(tr("Map"));
    setAccessibleDescription(tr("The map. With the keyboard in it, the arrow keys pan and plus "
                                "and minus zoom; the View menu does the same from anywhere"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &CExplorer1::ShowMapMenu);
}

void CExplorer1::OnLoadTimeout() {
    stop();
    emit navigateError();
}

// Until the first page has drawn, the view shows the map's ground instead of
// white; pages after it get the usual white behind them.
void CExplorer1::ShowPlaceholder(const QColor& ground) {
    page()->setBackgroundColor(ground);
    connect(
        page(), &QWebEnginePage::loadFinished, this,
        [this] { page()->setBackgroundColor(Qt::white); }, Qt::SingleShotConnection);
}

void CExplorer1::NavigateWithPost(const QString& address, const QByteArray& body) {
    QWebEngineHttpRequest request(QUrl(address), QWebEngineHttpRequest::Post);
    request.setHeader("Content-Type", "application/x-www-form-urlencoded");
    request.setPostData(body);
    page_->Expect(request.url());
    loadTimer_.start();
    load(request);
}

void CExplorer1::ShowNotice(const QString& title, const QString& text) {
    loadTimer_.stop();
    loaded_ = false;
    setHtml("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title.toHtmlEscaped() +
            "</title></head><body style=\"font:14px/1.4 sans-serif;margin:24px\"><h1 "
            "style=\"font-size:18px\">" +
            title.toHtmlEscaped() + "</h1><p>" + text.toHtmlEscaped() + "</p></body></html>");
}

bool CExplorer1::NavigateTo(const QString& address) {
    const QUrl url(address);
    if (url.scheme() == "mailto")
        return QDesktopServices::openUrl(url);
    page_->Expect(url);
    loadTimer_.start();
    load(url);
    return true;
}

void CExplorer1::ReadMapView(MapViewState& view, QObject* context, std::function<void()> done) {
    // One call of `done`, whichever comes first: the answer or the time-out.
    auto pending = std::make_shared<std::function<void()>>(std::move(done));
    const QPointer<QObject> guard(context);
    const QPointer<CExplorer1> self(this);
    ++pendingReads_;
    const auto finish = [pending, guard, self] {
        if (!*pending)
            return;
        const auto call = std::move(*pending);
        *pending = nullptr;
        if (self)
            --self->pendingReads_;
        if (guard)
            call();
    };
    // Before the first page there are no fields, and asking would wait for
    // the browser engine to start its renderer.
    if (!loaded_) {
        QTimer::singleShot(0, context, finish);
        return;
    }
    QTimer::singleShot(kReadTimeoutMs, context, finish);
    page()->runJavaScript(
        "Array.from(document.querySelectorAll('input')).map(e => [e.name, e.value])",
        [pending, guard, finish, target = &view](const QVariant& result) {
            if (!*pending || !guard)
                return;
            for (const QVariant& field : result.toList()) {
                const QVariantList pair = field.toList();
                if (pair.size() == 2)
                    target->ApplyField(pair[0].toString().toStdString(),
                                       pair[1].toString().toStdString());
            }
            finish();
        });
}

// The page offers these moves once it has loaded; before that they do nothing.
void CExplorer1::Zoom(int steps) {
    page()->runJavaScript(QString("window.orbiskMap && window.orbiskMap.zoom(%1)").arg(steps));
}

void CExplorer1::Pan(int east, int south) {
    page()->runJavaScript(QString("window.orbiskMap && window.orbiskMap.pan(%1, %2)")
                              .arg(east * width() / 4)
                              .arg(south * height() / 4));
}

void CExplorer1::AddMarkerAtCentre() {
    if (loaded_)
        emit mapClicked(rect().center());
}

std::pair<std::string, std::string> CExplorer1::PixelToLatLng(QPoint point,
                                                              const MapViewState& view) const {
    return view.PixelToLatLng(point.x(), point.y(), width(), height());
}

void CExplorer1::FitToPaper(const QPageLayout& layout, QObject* context,
                            std::function<void()> then) {
    constexpr double kCssPixelsPerPoint = 96.0 / 72.0;
    constexpr double kHeaderAndFooter = 90; // CSS pixels of the place's lines and the scale
    const QRectF paper = layout.paintRect(QPageLayout::Point);
    const double scale =
        std::min(paper.width() * kCssPixelsPerPoint / std::max(1, width()),
                 (paper.height() * kCssPixelsPerPoint - kHeaderAndFooter) / std::max(1, height()));
    const QPointer<QObject> guard(context);
    page()->runJavaScript(
        QString("document.documentElement.style.setProperty('--print-scale', '%1')")
            .arg(std::max(scale, 0.1), 0, 'f', 3),
        [guard, then = std::move(then)](const QVariant&) {
            if (guard)
                then();
        });
}

// The engine prints on its own; the printer is the process's, so it outlives
// the job, and one job at a time goes to it. A job the engine never reports
// finished frees the printer after the time-out.
void CExplorer1::Print() {
    if (printing_)
        return;
    QPrintDialog dialog(&SharedPrinter(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    StartPrinting();
    connect(
        this, &QWebEngineView::printFinished, this, [this] { printing_ = false; },
        Qt::SingleShotConnection);
    FitToPaper(SharedPrinter().pageLayout(), this, [this] { print(&SharedPrinter()); });
}

// The preview shows the pages the engine makes: the PDF comes first, from
// its callback, and the dialog then paints those pages, so nothing waits
// inside the dialog's paint.
void CExplorer1::PrintPreview() {
    if (printing_)
        return;
    StartPrinting();
    FitToPaper(SharedPrinter().pageLayout(), this, [this] {
        const QPointer<CExplorer1> self(this);
        page()->printToPdf(
            [self](const QByteArray& pdf) {
                if (self)
                    self->ShowPreview(pdf);
            },
            SharedPrinter().pageLayout());
    });
}

void CExplorer1::ShowPreview(const QByteArray& pdf) {
    printing_ = false;
    QBuffer buffer;
    buffer.setData(pdf);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1)
        return;
    QPrintPreviewDialog preview(&SharedPrinter(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&document](QPrinter* printer) { PaintPages(document, *printer); });
    preview.exec();
}

void CExplorer1::StartPrinting() {
    printing_ = true;
    printTimer_.start(kPrintTimeoutMs);
}

void CExplorer1::PageSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), this);
    dialog.exec();
}

// The page's own status decides nothing: an error page from the server is a
// page. Only a failure to load at all is a navigation error.
void CExplorer1::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
    // Started and stopped say nothing of the outcome; only the load timer stops loads.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus ||
        info.status() == QWebEngineLoadingInfo::LoadStoppedStatus || info.url().scheme() == "data")
        return;
    loadTimer_.stop();
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        history()->clear();
        loaded_ = true;
        emit downloadComplete();
        emit documentComplete();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        history()->clear();
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
            loaded_ = true;
            emit downloadComplete();
            emit documentComplete();
        } else {
            emit navigateError();
        }
        break;
    default: break;
    }
}

void CExplorer1::ShowMapMenu(QPoint position) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("&Add Marker Here"), this, [this, position] { emit mapClicked(position); });
    QAction* copy = menu->addAction(tr("&Copy Coordinates"), this, [this, position] {
        auto view = std::make_shared<MapViewState>();
        ReadMapView(*view, this, [this, position, view] {
            const auto [latitude, longitude] = PixelToLatLng(position, *view);
            QGuiApplication::clipboard()->setText(
                QString::fromStdString(latitude + ", " + longitude));
        });
    });
    copy->setEnabled(loaded_); // before the first map there is nothing to measure
    menu->popup(mapToGlobal(position));
}

// Clicks reach a child that renders the page, and the child is replaced on
// some navigations: watch every new one.
bool CExplorer1::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)
        QTimer::singleShot(0, this, &CExplorer1::WatchRenderWidget);
    return QWebEngineView::event(event);
}

void CExplorer1::WatchRenderWidget() {
    QWidget* renderer = focusProxy();
    if (!renderer || renderer == watched_)
        return;
    renderer->installEventFilter(this);
    watched_ = renderer;
    emit rendererReplaced();
}

// The renderer takes every key, so Escape never reached the window: the page
// is asked first (it closes an open popup), and a key it did not use goes to
// the window, which closes as Close does.
void CExplorer1::OfferEscape() {
    const QPointer<CExplorer1> guard(this);
    page()->runJavaScript(
        "!!(window.orbiskMap && window.orbiskMap.escape && window.orbiskMap.escape())",
        [guard](const QVariant& used) {
            if (guard && !used.toBool() && guard->parentWidget())
                QCoreApplication::postEvent(
                    guard->parentWidget(),
                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
}

bool CExplorer1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        OfferEscape();
        return true;
    }
    if (placingMode_ == Placing && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QWidget* source = qobject_cast<QWidget*>(watched);
            const QPoint position = source ? source->mapTo(this, mouse->position().toPoint())
                                           : mouse->position().toPoint();
            placingMode_ = Normal;
            emit mapClicked(position);
            return true;
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}

} // namespace orbisk
