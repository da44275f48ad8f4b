// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace orbisk::server {

enum class PageLanguage { English, French };

// The map page's language from the request's Accept-Language: of English
// and French, the one with the higher weight (the first on a tie); English
// when the header names neither.
PageLanguage PageLanguageOf(std::string_view acceptLanguage);

// Everything the map page says in its own words; place names and the lines
// the request carries are shown as they come.
struct PageTexts {
    const char* htmlLanguage;
    const char* title;
    // Notes over the map.
    const char* notFoundOffGlobe;
    const char* notFoundNonGeographic; // %1: the area code
    const char* notFoundOffline;
    const char* streetNotFound;
    const char* onlineUnreachable;
    // Words of the page's script.
    const char* locatedPlace;
    const char* panNorth;
    const char* panSouth;
    const char* panWest;
    const char* panEast;
    const char* zoomIn;
    const char* zoomOut;
    const char* satelliteOffline;
    const char* mapData;
    const char* osmContributors;
    const char* partNotLoaded;
};

const PageTexts& TextsFor(PageLanguage language);

// A line the client composes in English for the page ("Unknown number",
// "Latitute/Longitute: ...", "... (Street not found)") in the page's language.
std::string TranslatedPlaceLine(const std::string& line, PageLanguage language);

} // namespace orbisk::server
