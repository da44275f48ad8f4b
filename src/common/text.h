#pragma once

#include <string>

namespace orbisk {

// The text without white space at either end.
std::string Trimmed(const std::string& text);
// ASCII letters in upper case; other bytes unchanged.
std::string Upper(std::string text);

} // namespace orbisk
