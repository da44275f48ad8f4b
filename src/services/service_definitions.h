// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/fixed_strings.h"
#include "services/location_inputs.h"
#include "services/param_slot.h"
#include "settings/program_files.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orbisk {

// How a result definition cuts values out of an answer.
enum class ExtractMethod { ParagraphPairs = 0, XmlPath = 1, SeparatedFields = 2, SplitPair = 3 };

// One request of a service: where it goes and how its text is made from slots.
struct RequestDefinition {
    int searchType = 0;
    int postType = 0; // 0 POST, 1 GET, anything else never sent
    std::string server;
    std::string path;
    std::string format;
    std::vector<int> slotIndices;
};

// One rule for cutting values out of an answer into numbered output slots.
struct ResultDefinition {
    ExtractMethod method = ExtractMethod::ParagraphPairs;
    std::vector<std::pair<std::string, std::string>> params;
    std::array<std::string, kSlotCount> slotKeys;

    // The value of the first pair with exactly this name; nullopt when none.
    std::optional<std::string> FindParam(const std::string& name) const;
    size_t ParamCount() const { return params.size(); }
    // False and two empty texts for an index past the end.
    bool ParamAt(size_t index, std::string& name, std::string& value) const;
};

// One outside service: its requests by search type and its answer rules.
struct GeoCoderDefinition {
    int type = 0;
    std::vector<RequestDefinition> requests;
    std::vector<ResultDefinition> results;
    int listMode = 0;

    // The first request of that search type, or nullptr.
    const RequestDefinition* FindRequest(int searchType) const;
};

// The newest program version a definition file announces.
struct NewUpdateInfo {
    std::string ver;
    std::string name;
    std::string downloadAddress;
};

// Called with the text of a load failure; the window words it as a message box.
using DefinitionMessageSink = std::function<void(const std::string& message)>;

// The service definition file in memory: the outside services, the initial
// locate inputs, the newest program version and the fixed strings.
class ServiceDefinitions {
public:
    // Files this large are not definition files; reading them would only waste memory.
    static constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;

    // Reads, decodes and parses the program file "\Map.dat" (the user's
    // downloaded copy first, beside a read-only installation). Failures are
    // reported through `onError` as "Failed to load configuration file PATH!"
    // and leave the definitions as they were; a short read says nothing.
    void LoadDefinitionFile(const ProgramFiles& files, const DefinitionMessageSink& onError);

    // The content of a definition file (encoded, up to its first NUL byte)
    // replaces these definitions; false, leaving them as they were, when it
    // does not decode to definitions.
    bool LoadDefinitionContent(std::string content);

    // Replaces the geocoders; false only when the text is not well-formed XML
    // (or nested too deep), with the reason in parseError.
    bool ParseDefinitions(const std::string& text);

    // The first geocoder of that type, or nullptr.
    const GeoCoderDefinition* FindGeoCoder(int type) const;

    int definitionVersion = -1;
    std::string parseError;
    std::vector<GeoCoderDefinition> geocoders;
    LocationInputs defaultInputs = LocationInputs::BuiltInDefaults();
    FixedStrings fixedStrings;
    NewUpdateInfo newUpdate;
};

// The number of "%s" in a Format, or -1 when it holds any conversion other
// than "%s" and "%%" (a lone "%" at the end included).
int FormatConversionCount(const std::string& format);

// The request text: the Format with its "%s" filled in order by the slots the
// indices name. nullopt when the request can't be sent (no or more than 15
// indices, or a Format whose conversions are not exactly one "%s" per index
// plus "%%"). Throws ServiceCallError for an index beyond the slots.
std::optional<std::string> FormatRequest(const RequestDefinition& request,
                                         const std::vector<std::string>& slots);

} // namespace orbisk
