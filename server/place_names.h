// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace orbisk::server {

// The form in which place names are compared, as people type them: case,
// accents, punctuation, hyphens and extra blanks do not count, and the
// usual abbreviations mean their word ("St." and "St" are "saint", "Ft."
// "fort", "Mt." "mount", "Pt." "point", "N." "north" and so on). Invalid
// UTF-8 counts as blanks; only the first 200 bytes are read.
//   "Trois-Rivières" -> "trois rivieres", "ST. PAUL" -> "saint paul"
std::string PlaceNameKey(std::string_view name);

// How places are indexed: the name's key and the two-letter region code.
std::string PlaceKey(const std::string& name, const std::string& regionCode);

// A state or province as people give it, in one compact form: the key of
// its code, its name or a common abbreviation ("ON", "Ontario", "Ont.";
// "DC", "D.C.") without blanks.
std::string RegionKey(std::string_view region);
// The two-letter code that a common abbreviation of a region stands for
// ("ont" -> "ON", "calif" -> "CA"), given its RegionKey; empty when none.
std::string AbbreviatedRegion(const std::string& key);

} // namespace orbisk::server
