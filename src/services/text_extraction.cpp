// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/text_extraction.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/strict_number.h"
#include "services/service_call_error.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace orbisk {
namespace {

constexpr long long kNotFound = -1;
// A coordinate never needs more characters than this; bounding the run keeps
// the cost linear when the split mark repeats inside a long run of digits.
constexpr size_t kMaxNumberRun = 64;

// The first occurrence at or after `from`; none when `from` lies outside the answer.
long long Find(const std::string& answer, const std::string& needle, long long from) {
    if (from < 0 || from > static_cast<long long>(answer.size()))
        return kNotFound;
    const size_t at = answer.find(needle, static_cast<size_t>(from));
    return at == std::string::npos ? kNotFound : static_cast<long long>(at);
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
        result.append(text, start, at - start);
        result += to;
        start = at + from.size();
    }
    result.append(text, start);
    text = std::move(result);
}

// Fields between separators; runs of separators count as one, so none is empty.
std::vector<std::string> SplitFields(const std::string& value, const std::string& separators) {
    std::vector<std::string> fields;
    if (separators.empty()) {
        if (!value.empty())
            fields.push_back(value);
        return fields;
    }
    size_t start = 0;
    while (start < value.size()) {
        const size_t stop = value.find_first_of(separators, start);
        const size_t end = stop == std::string::npos ? value.size() : stop;
        if (end > start)
            fields.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ' ' || c == '-';
}

// A coordinate run that is not one finite number in range reads as none (0).
double Coordinate(std::string_view run) {
    return StrictNumber(run, -180, 180).value_or(0.0);
}

double NumberBefore(const std::string& answer, size_t mark) {
    size_t begin = mark;
    while (begin > 0 && mark - begin < kMaxNumberRun && IsNumberChar(answer[begin - 1]))
        --begin;
    return Coordinate(std::string_view(answer).substr(begin, mark - begin));
}

double NumberAfter(const std::string& answer, size_t mark) {
    const size_t begin = std::min(mark + 1, answer.size());
    size_t end = begin;
    while (end < answer.size() && end - begin < kMaxNumberRun && IsNumberChar(answer[end]))
        ++end;
    return Coordinate(std::string_view(answer).substr(begin, end - begin));
}

std::vector<std::string> ParagraphPairs(const std::string& answer,
                                        const ResultDefinition& definition) {
    std::vector<std::string> output(kSlotCount);
    const Paragraph paragraph = FindParagraph(answer, definition, 0);
    if (!paragraph.found)
        return output;
    const NameValuePairs pairs = ParseNameValuePairs(paragraph.value);
    for (size_t slot = 0; slot < kSlotCount; ++slot)
        for (size_t i = 0; i < pairs.names.size(); ++i)
            if (EqualsIgnoringCase(definition.slotKeys[slot], pairs.names[i]))
                output[slot] = pairs.values[i];
    return output;
}

std::vector<std::string> XmlPath(const std::string& answer, const ResultDefinition& definition) {
    std::vector<std::string> output(kSlotCount);
    XmlDocument document;
    if (!document.LoadXml(answer))
        return output;
    try {
        XmlNode current = document.Root();
        const auto rootTag = definition.FindParam("RootTag");
        if (rootTag && !rootTag->empty() && *rootTag != current.BaseName())
            return output;
        for (const auto& [name, value] : definition.params) {
            if (name != "LevelTag")
                continue;
            current = current.SelectSingle(value);
            if (current.IsNull())
                return output;
        }
        for (size_t slot = 0; slot < kSlotCount; ++slot) {
            if (definition.slotKeys[slot].empty())
                continue;
            const XmlNode found = current.SelectSingle(definition.slotKeys[slot]);
            if (!found.IsNull())
                output[slot] = found.Text();
        }
    } catch (const XmlError&) {
        // The method stops; what was filled stays.
    }
    return output;
}

// The lowest slot whose key is `field` written in decimal, or kSlotCount.
size_t SlotForField(const ResultDefinition& definition, size_t field) {
    const std::string key = std::to_string(field);
    for (size_t slot = 0; slot < kSlotCount; ++slot)
        if (definition.slotKeys[slot] == key)
            return slot;
    return kSlotCount;
}

// The records of a list, found one after the other; a single record unless
// in list mode.
std::vector<Paragraph> FindRecords(const std::string& answer, const ResultDefinition& definition,
                                   bool listMode) {
    std::vector<Paragraph> records;
    long long start = 0;
    for (;;) {
        Paragraph paragraph = FindParagraph(answer, definition, start);
        // A record that ends where the last search started would be found forever.
        if (!paragraph.found || (!records.empty() && paragraph.end <= start))
            return records;
        start = paragraph.end;
        records.push_back(std::move(paragraph));
        if (!listMode)
            return records;
    }
}

std::vector<std::string> SeparatedFields(const std::string& answer,
                                         const ResultDefinition& definition, bool listMode) {
    const std::vector<Paragraph> records = FindRecords(answer, definition, listMode);
    const std::string separators = definition.FindParam("Seperator").value_or("");
    // Sized once: growing a list of a hundred thousand records step by step
    // costs more than cutting them.
    const size_t groups = listMode ? records.size() + 1 : 1;
    std::vector<std::string> output(groups * kSlotCount);
    for (size_t record = 0; record < records.size(); ++record) {
        const std::vector<std::string> fields = SplitFields(records[record].value, separators);
        for (size_t field = 0; field < fields.size(); ++field) {
            const size_t slot = SlotForField(definition, field);
            if (slot < kSlotCount)
                output[record * kSlotCount + slot] = fields[field];
        }
    }
    return output;
}

void SplitAround(const std::string& answer, size_t mark, const std::string& separators,
                 std::string& before, std::string& after) {
    if (separators.empty()) {
        before = answer.substr(0, mark);
        after = answer.substr(std::min(mark + 1, answer.size()));
        return;
    }
    size_t begin = mark;
    while (begin > 0 && separators.find(answer[begin - 1]) == std::string::npos)
        --begin;
    before = answer.substr(begin, mark - begin);
    const size_t from = std::min(mark + 1, answer.size());
    const size_t end = std::min(answer.find_first_of(separators, from), answer.size());
    after = answer.substr(from, end - from);
}

std::vector<std::string> SplitPair(const std::string& answer, const ResultDefinition& definition) {
    std::vector<std::string> output(kSlotCount);
    const auto paragraphId = definition.FindParam("ParagraphID");
    if (!paragraphId)
        return output;
    const long long p = Find(answer, *paragraphId, 0);
    const auto spliter = definition.FindParam("Spliter");
    const auto offset = definition.FindParam("BeginingStringOffset");
    if (p == kNotFound || !spliter || !offset)
        return output;
    long long mark = Find(answer, *spliter, p + LeadingInteger(*offset));
    const auto separators = definition.FindParam("Seperator");
    if (mark == kNotFound || !separators)
        return output;
    if (mark == 0)
        throw ServiceCallError("split mark at the start of the answer");

    std::string before, after;
    if (*separators == "non-number") {
        while (mark != kNotFound) {
            const double x = NumberBefore(answer, static_cast<size_t>(mark));
            if (x != 0.0) {
                const double y = NumberAfter(answer, static_cast<size_t>(mark));
                if (y != 0.0) {
                    before = FormatFixed(x, 6);
                    after = FormatFixed(y, 6);
                    break;
                }
            }
            mark = Find(answer, *spliter, mark + 1);
        }
    } else {
        SplitAround(answer, static_cast<size_t>(mark), *separators, before, after);
    }
    for (size_t slot = 0; slot < kSlotCount; ++slot) {
        if (definition.slotKeys[slot] == "Before")
            output[slot] = before;
        else if (definition.slotKeys[slot] == "After")
            output[slot] = after;
    }
    return output;
}

} // namespace

Paragraph FindParagraph(const std::string& answer, const ResultDefinition& definition,
                        long long start) {
    Paragraph paragraph;
    const auto paragraphId = definition.FindParam("ParagraphID");
    const auto beginning = definition.FindParam("BeginingString");
    const auto ending = definition.FindParam("EndingString");
    if (!paragraphId || !beginning || !ending)
        return paragraph;
    const long long p = paragraphId->empty() ? 0 : Find(answer, *paragraphId, start);
    if (p == kNotFound)
        return paragraph;
    long long b = p;
    if (!beginning->empty()) {
        const auto offset = definition.FindParam("BeginingStringOffset");
        if (!offset)
            return paragraph;
        b = Find(answer, *beginning, p + LeadingInteger(*offset));
        if (b == kNotFound)
            return paragraph;
    }
    const long long e =
        ending->empty() ? static_cast<long long>(answer.size()) : Find(answer, *ending, b + 1);
    if (e == kNotFound)
        return paragraph;
    const long long valueStart = b + static_cast<long long>(beginning->size());
    const long long length = e - valueStart;
    if (length > 0 && valueStart < static_cast<long long>(answer.size()))
        paragraph.value =
            answer.substr(static_cast<size_t>(valueStart), static_cast<size_t>(length));
    paragraph.end = e;
    paragraph.found = true;
    return paragraph;
}

NameValuePairs ParseNameValuePairs(std::string text) {
    ReplaceAll(text, "%20", " ");
    ReplaceAll(text, "&amp;", "&");
    NameValuePairs pairs;
    for (const std::string& piece : SplitFields(text, "&")) {
        const size_t equals = piece.find('=');
        if (equals == std::string::npos)
            continue;
        pairs.names.push_back(piece.substr(0, equals));
        pairs.values.push_back(piece.substr(equals + 1));
    }
    return pairs;
}

std::vector<std::string> ExtractRecord(const std::string& answer,
                                       const ResultDefinition& definition, bool listMode) {
    switch (definition.method) {
    case ExtractMethod::ParagraphPairs: return ParagraphPairs(answer, definition);
    case ExtractMethod::XmlPath: return XmlPath(answer, definition);
    case ExtractMethod::SeparatedFields: return SeparatedFields(answer, definition, listMode);
    case ExtractMethod::SplitPair: return SplitPair(answer, definition);
    }
    return std::vector<std::string>(kSlotCount);
}

} // namespace orbisk
