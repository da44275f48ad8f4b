// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/map_view_state.h"

#include <QColor>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>
#include <functional>

class QPageLayout;
class QWebEngineLoadingInfo;

namespace orbisk {

// The map browser: navigates with a POST body, reads the visible map back
// from the page's hidden fields, reports the end of a load or a failed one,
// prints, and while placing a marker turns a click on the map into a signal.
// It keeps no history: nothing the user can reach navigates back to an old page.
class MapWebPage;

class CExplorer1 : public QWebEngineView {
    Q_OBJECT
public:
    enum PlacingMode { Placing = 0, Normal = 2 };

    explicit CExplorer1(QWidget* parent = nullptr);

    // The colour the view shows until its first page has loaded.
    void ShowPlaceholder(const QColor& ground);

    void NavigateWithPost(const QString& address, const QByteArray& body);
    // A page of the program's own words in place of the map; it counts as no
    // map page loaded.
    void ShowNotice(const QString& title, const QString& text);
    // mailto: addresses go to the desktop's handler; false when none could be started.
    bool NavigateTo(const QString& address);
    // Updates `view` from the page's inputs, then calls `done` on the window
    // thread, never before returning: when the page answers, or after a short
    // while without an answer (fields the page lacks keep their values).
    // Nothing is called or written once `context` is gone, and an answer
    // after the time-out changes nothing.
    void ReadMapView(MapViewState& view, QObject* context, std::function<void()> done);
    // Whether a read has neither been answered nor timed out yet.
    bool ReadingView() const { return pendingReads_ > 0; }
    // The coordinates of a point of the browser area in `view`.
    std::pair<std::string, std::string> PixelToLatLng(QPoint point, const MapViewState& view) const;

    // The map's own moves from the keyboard: a zoom step in or out (+1, -1),
    // a pan of a quarter of the view in each direction (-1, 0, 1).
    void Zoom(int steps);
    void Pan(int east, int south);
    // A marker at the centre of the view, as a click there would add it.
    void AddMarkerAtCentre();

    void Print();
    void PrintPreview();
    void PageSetup();
    // Scales the map to fill the paper of `layout`, with room for the place
    // above it and the scale below, then calls `then` (unless `context` is gone).
    void FitToPaper(const QPageLayout& layout, QObject* context, std::function<void()> then);

    // A page that has not loaded after this long counts as a failed load, so a
    // server that accepts and never answers cannot keep the window busy.
    static constexpr int kDefaultLoadTimeoutMs = 60'000;
    void setLoadTimeout(int milliseconds) { loadTimer_.setInterval(milliseconds); }

    int placingMode() const { return placingMode_; }
    void setPlacingMode(int mode) { placingMode_ = mode; }

signals:
    void downloadComplete();
    void documentComplete();
    void navigateError();
    // A left click on the map while placing, or "Add Marker Here" of the
    // map's menu, in the view's coordinates.
    void mapClicked(QPoint position);
    // The engine made a new widget that takes the view's keyboard focus.
    void rendererReplaced();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);
    void WatchRenderWidget();
    void OfferEscape();
    void OnLoadTimeout();
    void StartPrinting();
    void ShowPreview(const QByteArray& pdf);
    // The map's own menu in place of the browser's Back, Reload and page source.
    void ShowMapMenu(QPoint position);

    MapWebPage* page_ = nullptr;
    int placingMode_ = Normal;
    bool printing_ = false; // a print job is with the engine
    int pendingReads_ = 0;
    QPointer<QObject> watched_;
    QTimer loadTimer_;
    QTimer printTimer_;
    bool loaded_ = false; // a page has loaded since the view was made
};

} // namespace orbisk
