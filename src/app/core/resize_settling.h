// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbisk {

// A window being resized asks for a new map only once the size has held
// still: for `kStableTicks` ticks of the window's timer after the last resize.
class ResizeSettling {
public:
    static constexpr int kStableTicks = 10;

    void Resized() { ++resizes_; }
    // True once, on the tick that finds the size settled.
    bool Tick();

private:
    int resizes_ = 0;
    int lastResizes_ = 0;
    int stableTicks_ = 0;
};

} // namespace orbisk
