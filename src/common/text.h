// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// The text without white space at either end.
std::string Trimmed(const std::string& text);
// ASCII letters in upper case; other bytes unchanged.
std::string Upper(std::string text);
// ASCII letters in lower case; other bytes unchanged.
std::string Lower(std::string text);
// The parts of `text` between the separators; one part when there is none.
std::vector<std::string> Split(const std::string& text, char separator);

// Percent-escapes line feed (as "%0D"), blank and ! " # $ & ' ( ) , . : ; ?
// and nothing else; "%" itself is left alone.
std::string urlEscape(const std::string& text);

} // namespace orbisk
