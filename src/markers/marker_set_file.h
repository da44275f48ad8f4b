// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker_set.h"

#include <filesystem>

namespace orbisk {

// Marker set files (.obk): the marker set document, nothing more.
class MarkerSetFile {
public:
    // Files this large are not marker sets; reading them would only waste
    // memory. A full set of MarkerSet::kMaxMarkers with titles and details
    // stays below it.
    static constexpr size_t kMaxFileBytes = 64u * 1024 * 1024;

    // Writes beside the target and renames, so a failed save keeps the old
    // file. A document larger than a read would take is not written: a save
    // must never make a file that cannot be opened again. `error`, when
    // given, says why a write failed.
    bool WriteFile(const MarkerSet& set, const std::filesystem::path& path,
                   std::string* error = nullptr) const;
    // A file that can't be read leaves the set untouched; one that is read but
    // holds no marker set leaves it cleared. `error`, when given, says why.
    bool ReadFile(MarkerSet& set, const std::filesystem::path& path,
                  std::string* error = nullptr) const;
};

} // namespace orbisk
