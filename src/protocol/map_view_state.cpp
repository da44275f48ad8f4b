#include "protocol/map_view_state.h"

#include "common/leading_number.h"
#include "common/number_format.h"

namespace orbisk {

std::string MapViewState::CenterLatitude() const {
    return FormatFixed((LeadingNumber(yMin) + LeadingNumber(yMax)) / 2, 8);
}

std::string MapViewState::CenterLongitude() const {
    return FormatFixed((LeadingNumber(xMin) + LeadingNumber(xMax)) / 2, 8);
}

} // namespace orbisk
