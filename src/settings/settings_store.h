// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/version.h"

#include <array>
#include <filesystem>
#include <string>

namespace orbisk {

enum class UpdatePreference { ApplyWithoutInterrupting = 0, Notify = 1, Disabled = 2 };
enum class MapControlKind { Large = 0, Small = 1, None = 2 };
enum class MapType { MapOnly = 0, MapAndSatellite = 1 };

// The five integer settings, addressed 1 to 5, kept in the store under
// "Software\Brevant Solutions\Orbisk\Settings" as texts named "1" to "5".
class SettingsStore {
public:
    enum Index {
        MaxFavorites = 1,
        UpdatePreferenceIndex = 2,
        MapControl = 3,
        MapTypeIndex = 4,
        DefaultZoom = 5,
    };
    static constexpr const char* kKeyPath = "Software\\Brevant Solutions\\Orbisk\\Settings";

    explicit SettingsStore(std::filesystem::path storeFile = DefaultStoreFile());

    static std::filesystem::path DefaultStoreFile();

    // Keeps the current values when the key is missing or unreadable.
    void Load();
    // Replaces the key's values with exactly the five settings, atomically.
    bool Save();

    // Index 1 to 5; anything else gives 0.
    int Get(int index) const;
    void Set(int index, int value);

    // "&MAPT=%i&MAPC=%i&ZOOM=%i&VER=%2.2f", appended to every map request.
    std::string MapRequestFragment() const;

private:
    std::filesystem::path storeFile_;
    std::array<int, 5> values_{10, 1, 0, 1, 6};
};

} // namespace orbisk
