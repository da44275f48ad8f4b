// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk::server {

// Text for HTML element content or a quoted attribute: & < > " ' escaped.
std::string EscapeHtml(const std::string& text);

// A JSON string literal that is also safe inside a <script> element: "<",
// ">", "&", U+2028 and U+2029 are written as \u escapes.
std::string JsonString(const std::string& text);

// The link itself when it is an http or https address, else empty: nothing
// a request carries may become a javascript: or data: link.
std::string SafeLink(const std::string& url);

// "%XX" and "+" decoded, as in a form value.
std::string DecodeFormValue(const std::string& text);

// A value for a "name=value&..." answer: "&", "=", "%" and blanks escaped.
std::string EncodeFormValue(const std::string& text);

// A value for a URL's query or a form body sent out: every byte but
// letters, digits and - . _ ~ as "%XX".
std::string EncodeQueryValue(const std::string& text);

} // namespace orbisk::server
