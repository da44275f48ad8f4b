// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace orbisk {

// A failure of the XML layer. Carries a COM-style failure code so that
// readers and writers can report or test it; the message is derived from it.
class XmlError : public std::runtime_error {
public:
    static constexpr uint32_t kPointer = 0x80004003;     // null node used
    static constexpr uint32_t kFail = 0x80004005;        // operation refused
    static constexpr uint32_t kInvalidArg = 0x80070057;  // bad name or text
    static constexpr uint32_t kOutOfMemory = 0x8007000E; // allocation failed

    explicit XmlError(uint32_t code);

    uint32_t Code() const { return code_; }

    static std::string MessageFor(uint32_t code);

private:
    uint32_t code_;
};

} // namespace orbisk
