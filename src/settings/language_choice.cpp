// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/language_choice.h"

#include "common/text.h"
#include "settings/registry_key.h"

namespace orbisk {
namespace {

constexpr const char* kKeyPath = "Software\\Brevant Solutions\\Orbisk\\Language";
constexpr const char* kValueName = "Choice";

// "fr_CA.UTF-8@euro" is "fr_CA".
std::string LocaleName(const std::string& text) {
    return text.substr(0, text.find_first_of(".@"));
}

std::string LanguageOf(const std::string& locale) {
    return locale.substr(0, locale.find('_'));
}

bool Speaks(const std::string& locale) {
    const std::string language = LanguageOf(locale);
    return language == "en" || language == "fr";
}

// The locale for `language`, with the user's region when the environment
// names one of that language.
std::string WithRegion(const std::string& language, const std::string& environmentLocale) {
    if (LanguageOf(environmentLocale) == language && environmentLocale.size() > language.size())
        return environmentLocale;
    return language == "fr" ? "fr_CA" : "en_US";
}

std::string EnvironmentLocale(const EnvironmentLookup& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const std::string value = environment(name); !value.empty())
            return LocaleName(value);
    return "C";
}

} // namespace

std::string LoadLanguageChoice(const std::filesystem::path& storeFile) {
    RegistryKey key(storeFile);
    std::string choice;
    if (!key.Open(RegistryRoot::CurrentUser, kKeyPath) || !key.ReadString(kValueName, choice))
        return kLanguageFollowsSystem;
    return choice == "en" || choice == "fr" ? choice : kLanguageFollowsSystem;
}

bool SaveLanguageChoice(const std::filesystem::path& storeFile, const std::string& choice) {
    RegistryKey key(storeFile);
    return key.Create(RegistryRoot::CurrentUser, kKeyPath) && key.WriteString(kValueName, choice);
}

std::string ChooseUserLocale(const std::string& choice, const EnvironmentLookup& environment) {
    const std::string locale = EnvironmentLocale(environment);
    if (choice == "en" || choice == "fr")
        return WithRegion(choice, locale);
    if (locale == "C" || locale == "POSIX")
        return "en_US";
    for (const std::string& entry : Split(environment("LANGUAGE"), ':')) {
        const std::string wanted = LocaleName(entry);
        if (Speaks(wanted))
            return WithRegion(LanguageOf(wanted), wanted.size() > 2 ? wanted : locale);
    }
    return Speaks(locale) ? WithRegion(LanguageOf(locale), locale) : "en_US";
}

} // namespace orbisk
