// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace orbisk {

// Aborts the whole service call in progress: a slot index beyond the slots, a
// split mark at the very start of an answer. The geocoder that made the call
// reports not found.
class ServiceCallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orbisk
