// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWebEnginePage>

class QWebEngineProfile;

namespace orbisk {

// The page of the map view. It stays on the map server's origin: the page
// cannot navigate the view elsewhere or send requests to other hosts or
// ports, and links the user clicks to other sites open in the desktop's
// browser, as do the links of the map's popups.
class MapWebPage : public QWebEnginePage {
    Q_OBJECT
public:
    MapWebPage(QWebEngineProfile* profile, QObject* parent);

    // The program navigates there next: its origin becomes the page's own.
    void Expect(const QUrl& url);

    // Whether a request of the page may go to `url`: the page's own origin,
    // or what never leaves the process (data:, blob:, the local error page).
    bool MayRequest(const QUrl& url) const;

    // Why the server at `url` must not be sent the user's requests (another
    // account's server on the loopback interface), or "" when it may.
    static QString ForeignServerOf(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    QUrl origin_;
};

} // namespace orbisk
