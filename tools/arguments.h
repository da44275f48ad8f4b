// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orbisk::tool {

// Command-line words after the subcommand: positionals and "--name value"
// options (some repeatable); flags take no value.
class Arguments {
public:
    // False, with `error` set, for an unknown option or one without its value.
    bool Parse(const std::vector<std::string>& words, const std::set<std::string>& options,
               const std::set<std::string>& flags, std::string& error);

    const std::vector<std::string>& Positionals() const { return positionals_; }
    std::optional<std::string> Value(const std::string& name) const;
    std::string ValueOr(const std::string& name, const std::string& fallback) const;
    const std::vector<std::string>& Values(const std::string& name) const;
    bool Has(const std::string& name) const { return values_.count(name) > 0; }

private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>> values_;
};

// A whole decimal integer, or nullopt.
std::optional<int> ParseInt(const std::string& text);

} // namespace orbisk::tool
