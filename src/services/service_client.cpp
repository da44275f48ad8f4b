// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/service_client.h"

#include "common/text.h"
#include "common/user_text.h"
#include "services/text_extraction.h"

#include <algorithm>

namespace orbisk {

ServiceClient::ServiceClient(int type, int searchType, ServiceContext context, InfoLines* infoLines)
    : slots_(kSlotCount), context_(std::move(context)), type_(type), searchType_(searchType),
      infoLines_(infoLines) {}

const std::string& ServiceClient::Slot(size_t index) const {
    static const std::string kEmpty;
    return index < slots_.size() ? slots_[index] : kEmpty;
}

void ServiceClient::SetSlot(size_t index, std::string value) {
    if (index >= slots_.size())
        slots_.resize(index + 1);
    slots_[index] = std::move(value);
}

void ServiceClient::AddSlot(std::string value) {
    slots_.push_back(std::move(value));
    ++slotCount_;
}

std::optional<PreparedRequest> ServiceClient::PrepareRequest() {
    if (!context_.definitions)
        return std::nullopt;
    const GeoCoderDefinition* geocoder = context_.definitions->FindGeoCoder(type_);
    const RequestDefinition* request = geocoder ? geocoder->FindRequest(searchType_) : nullptr;
    if (!request)
        return std::nullopt;
    std::optional<std::string> text = FormatRequest(*request, slots_);
    if (!text)
        return std::nullopt;
    lastRequest_ = *text;
    if (request->postType == 0)
        return PreparedRequest{*text, true, request->server, request->path};
    if (request->postType == 1)
        return PreparedRequest{*text, false, request->server, request->path + *text};
    return std::nullopt;
}

HttpAnswer ServiceClient::SendRequest() {
    sent_ = false;
    lastFailure_.clear();
    const std::optional<PreparedRequest> request = PrepareRequest();
    if (!request)
        return std::unexpected(
            HttpError{Tr("Http", "the definitions offer no request for this service")});
    sent_ = true;
    const HttpClient http(context_.timeouts);
    HttpAnswer answer =
        request->post
            ? http.Post(request->server, request->path, request->text, context_.proxyServer)
            : http.Get(request->server, request->path, context_.proxyServer);
    if (!answer) {
        lastFailure_ = request->server + ": " + answer.error().reason;
        if (context_.failure)
            *context_.failure = lastFailure_;
    }
    return answer;
}

void ServiceClient::MergeResults(const std::string& answer) {
    const GeoCoderDefinition* geocoder =
        context_.definitions ? context_.definitions->FindGeoCoder(type_) : nullptr;
    if (!geocoder)
        return;
    const bool listMode = geocoder->listMode != 0;
    if (listMode)
        slots_.clear();
    for (const ResultDefinition& result : geocoder->results) {
        std::vector<std::string> output = ExtractRecord(answer, result, listMode);
        if (listMode) {
            slots_.insert(slots_.end(), std::make_move_iterator(output.begin()),
                          std::make_move_iterator(output.end()));
            continue;
        }
        const size_t count = std::min({slotCount_, output.size(), slots_.size()});
        for (size_t i = 0; i < count; ++i)
            if (slots_[i].empty())
                slots_[i] = std::move(output[i]);
    }
    if (!listMode)
        SplitStreetLine();
}

void ServiceClient::SplitStreetLine() {
    const std::string line = Trimmed(Slot(StreetLine));
    const size_t split = line.find_first_not_of("0123456789");
    if (split == std::string::npos)
        return;
    if (Slot(StreetNumber).empty())
        SetSlot(StreetNumber, line.substr(0, split));
    if (Slot(StreetAddress).empty())
        SetSlot(StreetAddress, Trimmed(line.substr(split)));
}

} // namespace orbisk
