// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

class FixedStrings;

// The question asked before a loaded set replaces one with unsaved changes.
std::string ReplaceUnsavedQuestion();
// The question asked before saving when `outside` of `total` markers are off screen.
std::string OutOfScreenQuestion(int total, int outside);

// The information shown by Send; its first sentence only when the file was written.
std::string SendInformationText(bool written, const std::string& path);

// "mailto:?subject=...&body=..." for sending the set titled `title`.
std::string SendMailLink(const std::string& title, const FixedStrings& strings);

} // namespace orbisk
