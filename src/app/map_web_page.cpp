// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/map_web_page.h"

#include "common/socket_owner.h"

#include <QDesktopServices>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>

namespace orbisk {
namespace {

QUrl OriginOf(const QUrl& url) {
    return url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                        QUrl::RemoveUserInfo);
}

// Blocks what the page asks of other origins, since the map needs nothing from
// them, and what it would send to another account's server.
class OriginGuard : public QWebEngineUrlRequestInterceptor {
public:
    explicit OriginGuard(MapWebPage* page) : QWebEngineUrlRequestInterceptor(page), page_(page) {}
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        if (!page_->MayRequest(url) || !MapWebPage::ForeignServerOf(url).isEmpty())
            info.block(true);
    }

private:
    MapWebPage* page_;
};

// A popup's link: it opens in the desktop's browser and this page goes.
class ExternalLinkPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (url.scheme() == "http" || url.scheme() == "https")
            QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

} // namespace

MapWebPage::MapWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    setUrlRequestInterceptor(new OriginGuard(this));
}

void MapWebPage::Expect(const QUrl& url) {
    origin_ = OriginOf(url);
}

bool MapWebPage::MayRequest(const QUrl& url) const {
    const QString scheme = url.scheme();
    if (scheme == "data" || scheme == "blob" || scheme == "about")
        return true;
    if (scheme == "file")
        return origin_.scheme() == "file";
    return OriginOf(url) == origin_;
}

QString MapWebPage::ForeignServerOf(const QUrl& url) {
    if (url.scheme() != "http" && url.scheme() != "https")
        return {};
    const QString host = url.host().contains(':') ? "[" + url.host() + "]" : url.host();
    const int port = url.port(url.scheme() == "https" ? 443 : 80);
    return QString::fromStdString(
        ForeignLoopbackServer((host + ":" + QString::number(port)).toStdString()));
}

bool MapWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    // The program's own loads, and the page moving within its own origin.
    if (type == NavigationTypeTyped || MayRequest(url))
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    const QString scheme = url.scheme();
    if (type == NavigationTypeLinkClicked &&
        (scheme == "http" || scheme == "https" || scheme == "mailto"))
        QDesktopServices::openUrl(url);
    return false;
}

QWebEnginePage* MapWebPage::createWindow(WebWindowType) {
    return new ExternalLinkPage(profile(), this);
}

} // namespace orbisk
