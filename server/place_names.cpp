// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_names.h"

#include <algorithm>
#include <cctype>
#include <map>
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
        {"st", "saint"},     {"ste", "sainte"},   {"ft", "fort"},     {"mt", "mount"},
        {"pt", "point"},     {"n", "north"},      {"s", "south"},     {"e", "east"},
        {"w", "west"},       {"no", "north"},     {"so", "south"},    {"mtn", "mountain"},
        {"hts", "heights"},  {"spgs", "springs"}, {"spg", "springs"}, {"jct", "junction"},
        {"twp", "township"}, {"vlg", "village"},  {"ctr", "center"},  {"lk", "lake"},
    };
    return kWords;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Letters and digits without their accents, folded; everything else a blank.
// Most names are ASCII and need no Unicode tables at all.
std::string FoldedLetters(std::string_view name) {
    name = name.substr(0, std::min(name.size(), kMaxNameBytes));
    if (IsAscii(name)) {
        std::string folded(name);
        for (char& c : folded)
            c = std::isalnum(static_cast<unsigned char>(c))
                    ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                    : ' ';
        return folded;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
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
    const std::string folded = FoldedLetters(name);
    std::string key;
    for (size_t start = folded.find_first_not_of(' '); start != std::string::npos;) {
        const size_t end = std::min(folded.find(' ', start), folded.size());
        const std::string word = folded.substr(start, end - start);
        const auto full = Abbreviations().find(word);
        if (!key.empty())
            key += ' ';
        key += full == Abbreviations().end() ? word : full->second;
        start = folded.find_first_not_of(' ', end);
    }
    return key;
}

std::string PlaceKey(const std::string& name, const std::string& regionCode) {
    return PlaceNameKey(name) + "|" + regionCode;
}

std::string RegionKey(std::string_view region) {
    std::string key = FoldedLetters(region);
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    return key;
}

std::string AbbreviatedRegion(const std::string& key) {
    // The abbreviations of style guides and the post before two-letter codes.
    static const std::map<std::string, std::string> kRegions = {
        {"ala", "AL"},
        {"ariz", "AZ"},
        {"ark", "AR"},
        {"calif", "CA"},
        {"cal", "CA"},
        {"colo", "CO"},
        {"conn", "CT"},
        {"del", "DE"},
        {"fla", "FL"},
        {"ga", "GA"},
        {"ill", "IL"},
        {"ind", "IN"},
        {"kan", "KS"},
        {"kans", "KS"},
        {"ky", "KY"},
        {"la", "LA"},
        {"md", "MD"},
        {"mass", "MA"},
        {"mich", "MI"},
        {"minn", "MN"},
        {"miss", "MS"},
        {"mo", "MO"},
        {"mont", "MT"},
        {"neb", "NE"},
        {"nebr", "NE"},
        {"nev", "NV"},
        {"okla", "OK"},
        {"ore", "OR"},
        {"oreg", "OR"},
        {"pa", "PA"},
        {"penn", "PA"},
        {"tenn", "TN"},
        {"tex", "TX"},
        {"vt", "VT"},
        {"va", "VA"},
        {"wash", "WA"},
        {"wis", "WI"},
        {"wisc", "WI"},
        {"wyo", "WY"},
        {"wva", "WV"},
        {"wvirginia", "WV"},
        {"washingtondc", "DC"},
        {"alta", "AB"},
        {"man", "MB"},
        {"nfld", "NL"},
        {"newfoundland", "NL"},
        {"ont", "ON"},
        {"que", "QC"},
        {"pq", "QC"},
        {"sask", "SK"},
        {"pei", "PE"},
        {"yuk", "YT"},
        {"yukonterritory", "YT"},
        {"nwt", "NT"},
        {"nfl", "NL"},
    };
    const auto found = kRegions.find(key);
    return found == kRegions.end() ? "" : found->second;
}

} // namespace orbisk::server
