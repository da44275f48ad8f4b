// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/user_text.h"

#include <atomic>
#include <vector>

namespace orbisk {
namespace {

std::atomic<TranslateFunction> installed{nullptr};
std::atomic<char> decimalSeparator{'.'};

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

void InstallTranslation(TranslateFunction translate) {
    installed = translate;
}

std::string Tr(const char* context, const char* source, const char* disambiguation, int n) {
    if (const TranslateFunction translate = installed.load())
        return translate(context, source, disambiguation, n);
    return n < 0 ? std::string(source) : EnglishPlural(source, n);
}

void InstallDecimalSeparator(char separator) {
    decimalSeparator = separator;
}

std::string LocaleNumber(std::string pointText) {
    const char separator = decimalSeparator.load();
    for (char& c : pointText)
        if (c == '.')
            c = separator;
    return pointText;
}

std::string EnglishPlural(std::string_view source, int n) {
    return ReplaceAll(ReplaceAll(std::string(source), "%n", std::to_string(n)), "(s)",
                      n == 1 ? "" : "s");
}

std::string Arg(std::string_view pattern, std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> values(args);
    std::string text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t index = static_cast<size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            text += values[index];
            ++i;
            continue;
        }
        text += pattern[i];
    }
    return text;
}

} // namespace orbisk
