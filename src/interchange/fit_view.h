// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbisk {

class MarkerSet;

// Centres the set on its markers and takes the closest map zoom that shows
// them all in a window of the default size. A set without markers is left alone.
void FitViewToMarkers(MarkerSet& set);

} // namespace orbisk
