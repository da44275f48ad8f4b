// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// Whether a description is HTML: it holds a tag or a character reference.
bool LooksLikeHtml(const std::string& text);
// The text a reader sees of an HTML fragment, as lines: tags gone (line and
// block tags end a line), scripts and styles dropped, character references
// decoded, white space runs made one space, empty lines at either end dropped.
// Nothing of it is ever run or shown as HTML.
std::vector<std::string> HtmlToLines(const std::string& html);
// The text as HTML that shows it as it is: "&", "<" and ">" escaped.
std::string EscapeHtml(const std::string& text);

} // namespace orbisk
