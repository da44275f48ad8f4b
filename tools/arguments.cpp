// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <charconv>

namespace orbisk::tool {

bool Arguments::Parse(const std::vector<std::string>& words, const std::set<std::string>& options,
                      const std::set<std::string>& flags, std::string& error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0 || word.size() == 2) {
            positionals_.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        if (flags.count(name)) {
            values_[name].push_back("");
        } else if (options.count(name)) {
            if (i + 1 >= words.size()) {
                error = "option " + word + " needs a value";
                return false;
            }
            values_[name].push_back(words[++i]);
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    return true;
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end())
        return std::nullopt;
    return found->second.back();
}

std::string Arguments::ValueOr(const std::string& name, const std::string& fallback) const {
    return Value(name).value_or(fallback);
}

const std::vector<std::string>& Arguments::Values(const std::string& name) const {
    static const std::vector<std::string> kNone;
    const auto found = values_.find(name);
    return found == values_.end() ? kNone : found->second;
}

std::optional<int> ParseInt(const std::string& text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace orbisk::tool
