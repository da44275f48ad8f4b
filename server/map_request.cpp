// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_request.h"

#include "html_text.h"
#include "protocol/parameter_codec.h"

#include <algorithm>

namespace orbisk::server {
namespace {

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether an upper-case key and "=" start at `at`.
bool KeyStartsAt(const std::string& text, size_t at) {
    if (at >= text.size() || text[at] < 'A' || text[at] > 'Z')
        return false;
    size_t end = at;
    while (end < text.size() && IsKeyChar(text[end]))
        ++end;
    return end < text.size() && text[end] == '=';
}

// Whole marker sets arrive here, so the server decodes beyond the client's
// 64 KiB; but the parts of one body together expand to no more than a fixed
// multiple of it, so a small body cannot make the server build a huge page.
constexpr size_t kMaxDecodedBytes = 16u * 1024 * 1024;
constexpr size_t kMinDecodedBudget = 1024u * 1024;
constexpr size_t kExpansionFactor = 128;

class Decoder {
public:
    explicit Decoder(size_t bodySize)
        : left_(std::min(kMaxDecodedBytes,
                         std::max(kMinDecodedBudget, kExpansionFactor * bodySize))) {}

    // "" when the text cannot be decoded, or not within what is left.
    std::string operator()(const std::string& encoded) {
        std::string text;
        bool tooLong = false;
        if (ParameterCodec().Decode(encoded, text, left_, &tooLong)) {
            left_ -= text.size();
            return text;
        }
        // Damaged parts read as empty, as they always have.
        overBudget_ = overBudget_ || tooLong;
        return {};
    }
    bool OverBudget() const { return overBudget_; }

private:
    size_t left_;
    bool overBudget_ = false;
};

constexpr const char* kTooLarge = "the request expands beyond what the map server accepts";

// "E=note" pieces after the encoded part of a fallback body.
std::vector<std::string> Notes(const std::string& text) {
    std::vector<std::string> notes;
    for (size_t at = text.find("E="); at != std::string::npos;) {
        const size_t next = text.find("E=", at + 2);
        notes.push_back(
            text.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2));
        at = next;
    }
    return notes;
}

} // namespace

std::string MapRequest::Get(const std::string& key) const {
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        if (it->first == key)
            return it->second;
    return {};
}

bool MapRequest::Has(const std::string& key) const {
    for (const auto& entry : keys)
        if (entry.first == key)
            return true;
    return false;
}

std::vector<std::pair<std::string, std::string>> ParseQueryKeys(const std::string& query) {
    std::vector<std::pair<std::string, std::string>> keys;
    size_t start = query.rfind('&', 0) == 0 ? 1 : 0;
    while (start < query.size()) {
        size_t end = query.find('&', start);
        while (end != std::string::npos && !KeyStartsAt(query, end + 1))
            end = query.find('&', end + 1);
        const std::string piece =
            query.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const size_t equals = piece.find('=');
        if (equals != std::string::npos && KeyStartsAt(piece, 0))
            keys.emplace_back(piece.substr(0, equals), piece.substr(equals + 1));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return keys;
}

MapRequest ParseMapBody(const std::string& rawBody) {
    // Orbisk posts the letters as they are; an HTML form escapes "@" as %40.
    const std::string body =
        rawBody.find('%') == std::string::npos ? rawBody : DecodeFormValue(rawBody);
    MapRequest request;
    std::string query;
    Decoder Decoded(body.size());
    if (body.rfind("QLM=", 0) == 0) {
        const std::string parts = Decoded(body.substr(4));
        const size_t l = parts.find("&L=");
        const size_t m = parts.find("&M=");
        if (Decoded.OverBudget()) {
            request.errors = {kTooLarge};
            return request;
        }
        if (parts.rfind("Q=", 0) != 0 || l == std::string::npos || m == std::string::npos || m < l)
            return request;
        query = Decoded(parts.substr(2, l - 2));
        request.resultsXml = Decoded(parts.substr(l + 3, m - l - 3));
        request.markersXml = Decoded(parts.substr(m + 3));
        if (Decoded.OverBudget()) {
            request.errors = {kTooLarge};
            request.resultsXml.clear();
            request.markersXml.clear();
            return request;
        }
    } else if (body.rfind("Q=", 0) == 0) {
        // The encoded part holds no "=": the first one belongs to the first "E=" note.
        const size_t equals = body.find('=', 2);
        const size_t end = equals == std::string::npos ? body.size() : equals - 1;
        query = Decoded(body.substr(2, end - 2));
        request.errors = Notes(body.substr(end));
    } else {
        request.errors = Notes(body);
        return request;
    }
    request.hasQuery = !query.empty();
    request.keys = ParseQueryKeys(query);
    return request;
}

} // namespace orbisk::server
