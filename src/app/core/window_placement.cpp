// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/window_placement.h"

#include "common/strict_number.h"
#include "settings/registry_key.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace orbisk {
namespace {

constexpr const char* kKeyPath = "Software\\Brevant Solutions\\Orbisk\\Window";
constexpr const char* kValueName = "Placement";
constexpr int kLargest = 100000;

} // namespace

std::optional<Rect> ParseWindowPlacement(const std::string& text) {
    std::vector<int> numbers;
    std::istringstream fields(text);
    for (std::string field; std::getline(fields, field, ',');) {
        const auto number = StrictInteger(field, -kLargest, kLargest);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    if (numbers.size() != 4 || numbers[2] <= 0 || numbers[3] <= 0)
        return std::nullopt;
    return Rect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::string FormatWindowPlacement(const Rect& placement) {
    return std::to_string(placement.x) + "," + std::to_string(placement.y) + "," +
           std::to_string(placement.width) + "," + std::to_string(placement.height);
}

std::optional<Rect> LoadWindowPlacement(const std::filesystem::path& storeFile) {
    RegistryKey key(storeFile);
    std::string text;
    if (!key.Open(RegistryRoot::CurrentUser, kKeyPath) || !key.ReadString(kValueName, text))
        return std::nullopt;
    return ParseWindowPlacement(text);
}

bool SaveWindowPlacement(const std::filesystem::path& storeFile, const Rect& placement) {
    RegistryKey key(storeFile);
    return key.Create(RegistryRoot::CurrentUser, kKeyPath) &&
           key.WriteString(kValueName, FormatWindowPlacement(placement));
}

Rect FirstWindowPlacement(const Rect& available, int minimumWidth, int minimumHeight) {
    const int width =
        std::min(available.width, std::max(minimumWidth, std::min(1280, available.width * 4 / 5)));
    const int height = std::min(available.height,
                                std::max(minimumHeight, std::min(900, available.height * 4 / 5)));
    return {available.x + (available.width - width) / 2,
            available.y + (available.height - height) / 2, width, height};
}

Rect FitWindowPlacement(const Rect& placement, const Rect& available, int minimumWidth,
                        int minimumHeight) {
    Rect fitted = placement;
    fitted.width = std::min(available.width, std::max(minimumWidth, placement.width));
    fitted.height = std::min(available.height, std::max(minimumHeight, placement.height));
    fitted.x = std::clamp(placement.x, available.x,
                          std::max(available.x, available.x + available.width - fitted.width));
    fitted.y = std::clamp(placement.y, available.y,
                          std::max(available.y, available.y + available.height - fitted.height));
    return fitted;
}

} // namespace orbisk
