// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/http_client.h"
#include "services/param_slot.h"
#include "services/service_definitions.h"

#include <optional>
#include <string>
#include <vector>

namespace orbisk {

// What every service client shares: the definitions it reads, the proxy and
// time-outs for its requests.
struct ServiceContext {
    const ServiceDefinitions* definitions = nullptr;
    std::string proxyServer;
    HttpTimeouts timeouts = HttpTimeouts::ServiceCall();
    // When set, every client of the call leaves there why its request had
    // no answer, so a lookup that tries several services can say why.
    std::string* failure = nullptr;
};

// A request ready to go out: for GET the path already carries the text.
struct PreparedRequest {
    std::string text;
    bool post = true;
    std::string server;
    std::string path;
};

using InfoLines = std::vector<std::string>;

// A client of one outside service: numbered text slots in, a request made from
// the definitions, values cut from the answer back into the slots. Geocoders
// and the local search clients are kinds of it.
class ServiceClient {
public:
    ServiceClient(int type, int searchType, ServiceContext context, InfoLines* infoLines);
    virtual ~ServiceClient() = default;

    const std::string& Slot(size_t index) const;
    void SetSlot(size_t index, std::string value);
    // Adds a slot beyond the fifteen (local search: keyword, first position).
    void AddSlot(std::string value);
    const std::vector<std::string>& Slots() const { return slots_; }

    int Type() const { return type_; }
    int SearchType() const { return searchType_; }
    void SetSearchType(int searchType) { searchType_ = searchType; }
    bool IsCanada() const { return isCanada_; }
    void SetIsCanada(bool isCanada) { isCanada_ = isCanada; }
    const std::string& LastRequest() const { return lastRequest_; }

    // nullopt when the definitions have no usable request for this client.
    // Throws ServiceCallError for a slot index beyond the slots.
    std::optional<PreparedRequest> PrepareRequest();
    // The service's answer, or why there is none.
    HttpAnswer SendRequest();
    // Whether the last SendRequest went out: false when the definitions
    // offer no request for this client, which is no failure of a service.
    bool LastRequestSent() const { return sent_; }
    // Why the last request that went out had no answer; "" when it had one.
    const std::string& LastFailure() const { return lastFailure_; }
    // Fills the slots from the answer by every result definition in turn.
    void MergeResults(const std::string& answer);
    // Fills an empty StreetNumber and StreetAddress from StreetLine.
    void SplitStreetLine();

protected:
    InfoLines* Info() const { return infoLines_; }
    const ServiceContext& Context() const { return context_; }

private:
    bool isCanada_ = false;
    std::vector<std::string> slots_;
    std::string lastRequest_;
    std::string lastFailure_;
    bool sent_ = false;
    ServiceContext context_;
    int type_;
    int searchType_;
    InfoLines* infoLines_;
    size_t slotCount_ = kSlotCount;
};

} // namespace orbisk
