// SPDX-License-Identifier: GPL-3.0-or-later
#include "xml/xml_error.h"

#include <cstdio>

namespace orbisk {

XmlError::XmlError(uint32_t code) : std::runtime_error(MessageFor(code)), code_(code) {}

std::string XmlError::MessageFor(uint32_t code) {
    switch (code) {
    case kPointer: return "Invalid pointer";
    case kFail: return "Unspecified error";
    case kInvalidArg: return "The parameter is incorrect.";
    case kOutOfMemory:
        return "Not enough memory resources are available to complete this operation.";
    default: break;
    }
    char text[64];
    if (code > 0x80040200u && code <= 0x8004FFFFu)
        std::snprintf(text, sizeof text, "IDispatch error #%d",
                      static_cast<int>(code - 0x80040200u));
    else
        std::snprintf(text, sizeof text, "Unknown error 0x%0lX", static_cast<unsigned long>(code));
    return text;
}

} // namespace orbisk
