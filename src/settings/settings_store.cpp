// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_store.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "settings/registry_key.h"

#include <vector>

namespace orbisk {

SettingsStore::SettingsStore(std::filesystem::path storeFile) : storeFile_(std::move(storeFile)) {}

std::filesystem::path SettingsStore::DefaultStoreFile() {
    return RegistryKey::DefaultStoreFile();
}

void SettingsStore::Load() {
    RegistryKey key(storeFile_);
    if (!key.Open(RegistryRoot::CurrentUser, kKeyPath))
        return;
    std::vector<RegistryValue> values;
    key.EnumerateValues(values);
    for (const RegistryValue& value : values) {
        const int index = LeadingInteger(value.name);
        if (index >= 1 && index <= 5)
            values_[index - 1] = LeadingInteger(value.data);
    }
}

bool SettingsStore::Save() {
    std::vector<RegistryValue> values;
    for (int index = 1; index <= 5; ++index)
        values.push_back({std::to_string(index), std::to_string(values_[index - 1])});
    return RewriteKey(storeFile_, RegistryRoot::CurrentUser, kKeyPath, values);
}

int SettingsStore::Get(int index) const {
    if (index < 1 || index > 5)
        return 0;
    return values_[index - 1];
}

void SettingsStore::Set(int index, int value) {
    if (index >= 1 && index <= 5)
        values_[index - 1] = value;
}

std::string SettingsStore::MapRequestFragment() const {
    return "&MAPT=" + std::to_string(Get(MapTypeIndex)) +
           "&MAPC=" + std::to_string(Get(MapControl)) +
           "&ZOOM=" + std::to_string(Get(DefaultZoom)) + "&VER=" + FormatFixed(kProgramVersion, 2);
}

} // namespace orbisk
