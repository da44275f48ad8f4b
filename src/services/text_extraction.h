// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/service_definitions.h"

#include <string>
#include <vector>

namespace orbisk {

// A paragraph cut out of an answer by ParagraphID, BeginingString,
// BeginingStringOffset and EndingString.
struct Paragraph {
    bool found = false;
    std::string value;
    long long end = 0; // where the next search of a list starts
};

Paragraph FindParagraph(const std::string& answer, const ResultDefinition& definition,
                        long long start);

struct NameValuePairs {
    std::vector<std::string> names;
    std::vector<std::string> values;
    bool Found() const { return !names.empty(); }
};

// "name=value&name=value" after "%20" became a blank and "&amp;" became "&".
// Empty pieces and pieces without "=" are skipped.
NameValuePairs ParseNameValuePairs(std::string text);

// Applies one result definition to an answer: 15 output texts, or in list mode
// (SeparatedFields only) one group of 15 per record plus a last empty group.
// Never fails as such; throws ServiceCallError for a split mark at the very
// start of the answer. Cost stays linear in the answer's length.
std::vector<std::string> ExtractRecord(const std::string& answer,
                                       const ResultDefinition& definition, bool listMode);

} // namespace orbisk
