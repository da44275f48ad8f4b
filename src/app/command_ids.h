// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbisk {

// Command ids of the main window: menu items, buttons and icons all reach
// CMapMainDlg::OnCommand with one of these.
enum CommandId : int {
    kIdGo = 1,
    kIdPhoneRadio = 1005,
    kIdZipRadio = 1006,
    kIdStreetRadio = 1007,
    kIdLatLngRadio = 1008,
    kIdCountry = 1039,
    kIdLocateIcon = 1046,
    kIdSearchIcon = 1051,
    kIdNext = 1053,
    kIdPrevious = 1054,
    kIdMarkerIcon = 1057,
    kIdAddMarker = 1059,
    kIdEditMarkers = 1060,
    kIdLoadMarkers = 1061,
    kIdSaveMarkers = 1062,
    kIdSendMarkers = 1063,
    kIdPrint = 32771,
    kIdClose = 32772,
    kIdAddFavorite = 32778,
    kIdPageSetup = 32781,
    kIdPrintPreview = 32782,
    kIdLocatePanel = 32783,
    kIdOrganizeFavorites = 32785,
    kIdUpdate = 32786,
    kIdSettings = 32787,
    kIdAbout = 32788,
    kIdBottomPanel = 32789,
    kIdLoadMarkerSet = 32790,
    kIdSaveMarkerSet = 32791,
    kIdSendMarkerSet = 32792,
    kIdImportMarkers = 32793,
    kIdExportMarkers = 32794,
    // The map from the keyboard: zoom, pan a step each way, a marker at the centre.
    kIdZoomIn = 32795,
    kIdZoomOut = 32796,
    kIdPanNorth = 32797,
    kIdPanSouth = 32798,
    kIdPanWest = 32799,
    kIdPanEast = 32800,
    kIdAddMarkerAtCentre = 32801,
    kIdFirstFavorite = 33000,
    kIdLastFavorite = 33025,
};

} // namespace orbisk
