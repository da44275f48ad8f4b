// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/html_text.h"

#include "common/text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <string_view>

namespace orbisk {
namespace {

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::string Utf8(unsigned long code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// The character a reference names, or nothing when it names none we know.
std::string Reference(std::string_view name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        unsigned long code = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
        return error == std::errc() && end == digits.data() + digits.size() ? Utf8(code) : "";
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kNamed{{
        {"amp", "&"},
        {"lt", "<"},
        {"gt", ">"},
        {"quot", "\""},
        {"apos", "'"},
        {"nbsp", " "},
        {"eacute", "\xC3\xA9"},
        {"egrave", "\xC3\xA8"},
        {"agrave", "\xC3\xA0"},
        {"ccedil", "\xC3\xA7"},
        {"copy", "\xC2\xA9"},
        {"ndash", "\xE2\x80\x93"},
    }};
    for (const auto& [known, text] : kNamed)
        if (name == known)
            return std::string(text);
    return "";
}

// The tag's name in lower case, without "/" and attributes.
std::string TagName(std::string_view tag) {
    size_t at = tag.find_first_not_of("/ ");
    std::string name;
    while (at < tag.size() &&
           (IsLetter(tag[at]) || std::isdigit(static_cast<unsigned char>(tag[at]))))
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[at++])));
    return name;
}

bool IsBlock(const std::string& name) {
    static const std::array<std::string_view, 13> kBlocks{
        "p", "div", "li", "tr", "h1", "h2", "h3", "h4", "h5", "h6", "ul", "ol", "table"};
    return std::find(kBlocks.begin(), kBlocks.end(), name) != kBlocks.end();
}

void EndLine(std::string& text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    text += '\n';
}

// Appends text, making every run of white space one space.
void AppendText(std::string& out, std::string_view text) {
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank && (out.empty() || out.back() == ' ' || out.back() == '\n'))
            continue;
        out += blank ? ' ' : c;
    }
}

} // namespace

bool LooksLikeHtml(const std::string& text) {
    for (size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] == '<' &&
            (IsLetter(text[at + 1]) || text[at + 1] == '/' || text[at + 1] == '!'))
            return true;
        const size_t semicolon = text[at] == '&' ? text.find(';', at) : std::string::npos;
        if (semicolon != std::string::npos && semicolon - at <= 10 &&
            !Reference(std::string_view(text).substr(at + 1, semicolon - at - 1)).empty())
            return true;
    }
    return false;
}

std::vector<std::string> HtmlToLines(const std::string& html) {
    std::string text;
    size_t at = 0;
    while (at < html.size()) {
        const char c = html[at];
        if (c == '<' && at + 1 < html.size() &&
            (IsLetter(html[at + 1]) || html[at + 1] == '/' || html[at + 1] == '!')) {
            const size_t close = html.find('>', at);
            if (close == std::string::npos)
                break;
            const std::string name = TagName(std::string_view(html).substr(at + 1, close - at - 1));
            at = close + 1;
            if ((name == "script" || name == "style") && html[at - 2] != '/') {
                const size_t end = html.find('>', html.find("</" + name, at));
                at = end == std::string::npos ? html.size() : end + 1;
                continue;
            }
            // A line break always ends a line; a block only ends one that has begun.
            if (name == "br" || (IsBlock(name) && !text.empty() && text.back() != '\n'))
                EndLine(text);
            else if (name == "td" || name == "th")
                AppendText(text, " ");
            continue;
        }
        if (c == '&') {
            const size_t semicolon = html.find(';', at);
            if (semicolon != std::string::npos && semicolon - at <= 10) {
                const std::string decoded =
                    Reference(std::string_view(html).substr(at + 1, semicolon - at - 1));
                if (!decoded.empty()) {
                    text += decoded;
                    at = semicolon + 1;
                    continue;
                }
            }
        }
        AppendText(text, std::string_view(&html[at], 1));
        ++at;
    }
    std::vector<std::string> lines;
    for (const std::string& line : Split(text, '\n'))
        lines.push_back(Trimmed(line));
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    lines.erase(lines.begin(),
                std::find_if(lines.begin(), lines.end(), [](const auto& l) { return !l.empty(); }));
    return lines;
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

} // namespace orbisk
