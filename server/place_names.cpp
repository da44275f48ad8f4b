#include "place_names.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <vector>

namespace orbisk::server {
namespace {

constexpr size_t kMaxNameBytes = 200;

// The words people shorten in place names, by their short form.
const std::map<std::string, std::string>& Abbreviations() {
    static const std::map<std::string, std::string> kWords = {
        {"st", "saint"}, {"ste", "sainte"}, {"ft", "fort"},   {"mt", "mount"},
        {"pt", "point"}, {"n", "north"},    {"s", "south"},   {"e", "east"},
        {"w", "west"},   {"no", "north"},   {"so", "south"},  {"mtn", "mountain"},
        {"hts", "heights"}, {"spgs", "springs"}, {"spg", "springs"}, {"jct", "junction"},
        {"twp", "township"}, {"vlg", "village"}, {"ctr", "center"}, {"lk", "lake"},
    };
    return kWords;
}

// Letters and digits without their accents, folded; everything else a blank.
std::string FoldedLetters(std::string_view name) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<int32_t>(std::min(name.size(), kMaxNameBytes))));
    const icu::UnicodeString decomposed = U_SUCCESS(status) ? nfd->normalize(text, status) : text;
    icu::UnicodeString kept;
    for (int32_t i = 0; i < decomposed.length();) {
        const UChar32 c = decomposed.char32At(i);
        i += U16_LENGTH(c);
        if (u_charType(c) == U_NON_SPACING_MARK)
            continue;
        kept.append(u_isalnum(c) ? u_foldCase(c, U_FOLD_CASE_DEFAULT) : UChar32(' '));
    }
    std::string folded;
    kept.toUTF8String(folded);
    return folded;
}

} // namespace

std::string PlaceNameKey(std::string_view name) {
    std::istringstream words(FoldedLetters(name));
    std::string key;
    for (std::string word; words >> word;) {
        const auto full = Abbreviations().find(word);
        key += (key.empty() ? "" : " ") + (full == Abbreviations().end() ? word : full->second);
    }
    return key;
}

std::string RegionKey(std::string_view region) {
    std::string key = FoldedLetters(region);
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    return key;
}

std::string AbbreviatedRegion(const std::string& key) {
    // The abbreviations of style guides and the post before two-letter codes.
    static const std::map<std::string, std::string> kRegions = {
        {"ala", "AL"},   {"ariz", "AZ"},  {"ark", "AR"},    {"calif", "CA"}, {"cal", "CA"},
        {"colo", "CO"},  {"conn", "CT"},  {"del", "DE"},    {"fla", "FL"},   {"ga", "GA"},
        {"ill", "IL"},   {"ind", "IN"},   {"kan", "KS"},    {"kans", "KS"},  {"ky", "KY"},
        {"la", "LA"},    {"md", "MD"},    {"mass", "MA"},   {"mich", "MI"},  {"minn", "MN"},
        {"miss", "MS"},  {"mo", "MO"},    {"mont", "MT"},   {"neb", "NE"},   {"nebr", "NE"},
        {"nev", "NV"},   {"okla", "OK"},  {"ore", "OR"},    {"oreg", "OR"},  {"pa", "PA"},
        {"penn", "PA"},  {"tenn", "TN"},  {"tex", "TX"},    {"vt", "VT"},    {"va", "VA"},
        {"wash", "WA"},  {"wis", "WI"},   {"wisc", "WI"},   {"wyo", "WY"},   {"washingtondc", "DC"},
        {"alta", "AB"},  {"man", "MB"},   {"nfld", "NL"},   {"newfoundland", "NL"},
        {"ont", "ON"},   {"que", "QC"},   {"pq", "QC"},     {"sask", "SK"},  {"pei", "PE"},
        {"yuk", "YT"},   {"yukonterritory", "YT"},          {"nwt", "NT"},   {"nfl", "NL"},
    };
    const auto found = kRegions.find(key);
    return found == kRegions.end() ? "" : found->second;
}

} // namespace orbisk::server
