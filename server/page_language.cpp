// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_language.h"

#include "common/strict_number.h"
#include "common/text.h"

#include <utility>

namespace orbisk::server {
namespace {

constexpr PageTexts kEnglish{
    "en",
    "Orbisk map",
    "Not found: latitude must lie from -90 to 90 and longitude from -180 to 180.",
    "Not found: toll-free and other non-geographic numbers (area code %1) belong to no place.",
    "Not found: the place you asked for is not in the offline data.",
    "Street not found: the map shows the city.",
    "OpenStreetMap could not be reached: offline data was used.",
    "Located place",
    "Pan north",
    "Pan south",
    "Pan west",
    "Pan east",
    "Zoom in",
    "Zoom out",
    "Map and satellite: satellite imagery is not available offline",
    "Map data: U.S. Census Bureau, Natural Earth, GeoNames, ",
    "\u00a9 OpenStreetMap contributors",
    "Part of the map could not be loaded from the map server.",
};

// Canadian French: non-breaking spaces before a colon and inside « ».
constexpr PageTexts kFrench{
    "fr",
    "Carte Orbisk",
    "Introuvable\u00a0: la latitude doit aller de -90 \u00e0 90 et la longitude de -180 \u00e0 "
    "180.",
    "Introuvable\u00a0: les num\u00e9ros sans frais et les autres num\u00e9ros non "
    "g\u00e9ographiques (indicatif %1) ne correspondent \u00e0 aucun lieu.",
    "Introuvable\u00a0: le lieu demand\u00e9 n\u2019est pas dans les donn\u00e9es hors ligne.",
    "Rue introuvable\u00a0: la carte montre la ville.",
    "OpenStreetMap est injoignable\u00a0: les donn\u00e9es hors ligne ont servi.",
    "Lieu trouv\u00e9",
    "D\u00e9placer vers le nord",
    "D\u00e9placer vers le sud",
    "D\u00e9placer vers l\u2019ouest",
    "D\u00e9placer vers l\u2019est",
    "Zoom avant",
    "Zoom arri\u00e8re",
    "Carte et satellite\u00a0: l\u2019imagerie satellite n\u2019est pas offerte hors ligne",
    "Donn\u00e9es cartographiques\u00a0: U.S. Census Bureau, Natural Earth, GeoNames, ",
    "\u00a9 les contributeurs d\u2019OpenStreetMap",
    "Une partie de la carte n\u2019a pas pu \u00eatre charg\u00e9e du serveur de cartes.",
};

// A language range's weight: "q=0.5" gives 0.5, none gives 1, a bad one 0.
double Weight(const std::string& parameters) {
    for (const std::string& parameter : Split(parameters, ';')) {
        const std::string trimmed = Trimmed(parameter);
        if (trimmed.size() < 2 || Lower(trimmed.substr(0, 2)) != "q=")
            continue;
        return StrictNumber(trimmed.substr(2), 0, 1).value_or(0);
    }
    return 1;
}

} // namespace

PageLanguage PageLanguageOf(std::string_view acceptLanguage) {
    std::pair<double, PageLanguage> best{0, PageLanguage::English};
    for (const std::string& range : Split(std::string(acceptLanguage.substr(0, 1024)), ',')) {
        const size_t semicolon = range.find(';');
        const std::string tag = Lower(Trimmed(range.substr(0, semicolon)));
        const std::string primary = tag.substr(0, tag.find('-'));
        if (primary != "en" && primary != "fr")
            continue;
        const double weight =
            semicolon == std::string::npos ? 1 : Weight(range.substr(semicolon + 1));
        if (weight > best.first)
            best = {weight, primary == "fr" ? PageLanguage::French : PageLanguage::English};
    }
    return best.second;
}

const PageTexts& TextsFor(PageLanguage language) {
    return language == PageLanguage::French ? kFrench : kEnglish;
}

std::string TranslatedPlaceLine(const std::string& line, PageLanguage language) {
    if (language == PageLanguage::English)
        return line;
    if (line == "Latitute/Longitute: ")
        return "Latitude/longitude\u00a0: ";
    if (line == "Unknown number")
        return "Num\u00e9ro inconnu";
    constexpr std::string_view kStreetNotFound = " (Street not found)";
    if (line.ends_with(kStreetNotFound))
        return line.substr(0, line.size() - kStreetNotFound.size()) + " (rue introuvable)";
    return line;
}

} // namespace orbisk::server
