// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/service_definitions.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/user_text.h"
#include "protocol/parameter_codec.h"
#include "services/service_call_error.h"
#include "settings/program_environment.h"
#include "xml/xml_document.h"
#include "xml/xml_error.h"

namespace orbisk {
namespace {

constexpr size_t kMaxSlotIndices = 15;

RequestDefinition ReadRequest(const XmlNode& node) {
    RequestDefinition request;
    request.searchType = LeadingInteger(node.Attribute("SearchType"));
    request.postType = LeadingInteger(node.Attribute("PostType"));
    request.server = node.Attribute("Server");
    request.path = node.Attribute("Path");
    request.format = node.Attribute("Format");
    for (size_t i = 0; i < node.ChildCount(); ++i) {
        const XmlNode property = node.ChildAt(i);
        if (property.BaseName() != "RequestProperty")
            continue;
        const int index = LeadingInteger(property.Attribute("Index"));
        if (index >= 0)
            request.slotIndices.push_back(index);
    }
    return request;
}

void ReadParams(const XmlNode& parameters, ResultDefinition& result) {
    for (size_t i = 0; i < parameters.ChildCount(); ++i) {
        const XmlNode pair = parameters.ChildAt(i);
        if (!pair.IsNull() && !pair.BaseName().empty())
            result.params.emplace_back(pair.Attribute("Name"), pair.Attribute("Value"));
    }
}

void ReadSlotKeys(const XmlNode& properties, ResultDefinition& result) {
    for (size_t i = 0; i < properties.ChildCount(); ++i) {
        const XmlNode property = properties.ChildAt(i);
        if (property.BaseName() != "ResultProperty")
            continue;
        const int index = LeadingInteger(property.Attribute("Index"));
        if (index >= 0 && index < static_cast<int>(kSlotCount))
            result.slotKeys[index] = property.Attribute("Value");
    }
}

// Every child element counts as one definition, whatever its name; text and
// comments between them are not definitions.
template <typename Read> void ForEachChildElement(const XmlNode& parent, Read read) {
    for (size_t i = 0; i < parent.ChildCount(); ++i) {
        const XmlNode child = parent.ChildAt(i);
        if (!child.BaseName().empty())
            read(child);
    }
}

std::optional<GeoCoderDefinition> ReadGeoCoder(const XmlNode& node) {
    GeoCoderDefinition geocoder;
    geocoder.type = LeadingInteger(node.Attribute("Type"));
    if (geocoder.type < 0 || geocoder.type > 6)
        return std::nullopt;
    ForEachChildElement(node.SelectSingle("Requests"), [&](const XmlNode& child) {
        geocoder.requests.push_back(ReadRequest(child));
    });
    const XmlNode results = node.SelectSingle("Results");
    if (!results.Attribute("Type").empty())
        geocoder.listMode = LeadingInteger(results.Attribute("Type"));
    ForEachChildElement(results, [&](const XmlNode& child) {
        const int method = LeadingInteger(child.Attribute("Method"));
        if (method < 0 || method > 3)
            return;
        ResultDefinition result;
        result.method = static_cast<ExtractMethod>(method);
        ReadParams(child.SelectSingle("ResultParameters"), result);
        ReadSlotKeys(child.SelectSingle("ResultProperties"), result);
        geocoder.results.push_back(std::move(result));
    });
    return geocoder;
}

void ReadInitialStatus(const XmlNode& node, LocationInputs& inputs) {
    inputs.xxxx = node.Attribute("XXXX");
    inputs.npa = node.Attribute("NPA");
    inputs.nxx = node.Attribute("NXX");
    inputs.zip = node.Attribute("Zip");
    inputs.city = node.Attribute("City");
    inputs.streetAddress = node.Attribute("StreetAddress");
    inputs.streetNumber = node.Attribute("StreetNumber");
    inputs.state = node.Attribute("State");
    inputs.country = node.Attribute("Country");
    inputs.latitude = node.Attribute("Latitude");
    inputs.longitude = node.Attribute("Longitude");
    inputs.localSearchKey = node.Attribute("LocalSearchKey");
}

void ReadKeyStrings(const XmlNode& node, FixedStrings& strings) {
    size_t number = 0;
    for (size_t i = 0; i < node.ChildCount(); ++i) {
        const XmlNode child = node.ChildAt(i);
        if (child.BaseName() == "KeyString")
            strings.ReplaceOrAppend(number++, child.Text());
    }
}

} // namespace

std::optional<std::string> ResultDefinition::FindParam(const std::string& name) const {
    for (const auto& [paramName, value] : params)
        if (paramName == name)
            return value;
    return std::nullopt;
}

bool ResultDefinition::ParamAt(size_t index, std::string& name, std::string& value) const {
    name.clear();
    value.clear();
    if (index >= params.size())
        return false;
    name = params[index].first;
    value = params[index].second;
    return true;
}

const RequestDefinition* GeoCoderDefinition::FindRequest(int searchType) const {
    for (const RequestDefinition& request : requests)
        if (request.searchType == searchType)
            return &request;
    return nullptr;
}

const GeoCoderDefinition* ServiceDefinitions::FindGeoCoder(int type) const {
    for (const GeoCoderDefinition& geocoder : geocoders)
        if (geocoder.type == type)
            return &geocoder;
    return nullptr;
}

bool ServiceDefinitions::ParseDefinitions(const std::string& text) {
    geocoders.clear();
    definitionVersion = -1;
    XmlDocument document;
    parseError.clear();
    if (!document.LoadXml(text)) {
        parseError = document.Error();
        return false;
    }
    try {
        const XmlNode setting = document.Root().SelectSingle("GeoCoderSetting");
        if (setting.IsNull())
            return true;
        if (!setting.Attribute("Ver").empty())
            definitionVersion = LeadingInteger(setting.Attribute("Ver"));
        for (size_t i = 0; i < setting.ChildCount(); ++i) {
            const XmlNode child = setting.ChildAt(i);
            const std::string name = child.BaseName();
            if (name == "GeoCoder") {
                if (auto geocoder = ReadGeoCoder(child))
                    geocoders.push_back(std::move(*geocoder));
            } else if (name == "MapInitialStatus") {
                ReadInitialStatus(child, defaultInputs);
            } else if (name == "NewUpdate") {
                newUpdate = {child.Attribute("Ver"), child.Attribute("Name"),
                             child.Attribute("DownloadAddress")};
            } else if (name == "KeyStrings") {
                ReadKeyStrings(child, fixedStrings);
            }
        }
    } catch (const XmlError&) {
        // What was read so far stays; the text itself was well-formed.
    }
    return true;
}

void ServiceDefinitions::LoadDefinitionFile(const ProgramFiles& files,
                                            const DefinitionMessageSink& onError) {
    const std::string path = files.ForReading(fixedStrings.At(FixedStrings::DefinitionFile));
    const auto fail = [&] {
        if (onError)
            onError(Arg(Tr("Definitions", "Failed to load configuration file %1!"), {path}));
    };
    std::string content;
    if (!ReadWholeFile(path, kMaxFileBytes, content) || !LoadDefinitionContent(std::move(content)))
        return fail();
}

// A bad file must not take away the services that were working.
bool ServiceDefinitions::LoadDefinitionContent(std::string content) {
    content.resize(content.find('\0') == std::string::npos ? content.size() : content.find('\0'));
    std::string text;
    ParameterCodec().Decode(content, text);
    ServiceDefinitions parsed = *this;
    if (!parsed.ParseDefinitions(text))
        return false;
    *this = std::move(parsed);
    return true;
}

int FormatConversionCount(const std::string& format) {
    int count = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 >= format.size())
            return -1;
        const char kind = format[++i];
        if (kind == 's')
            ++count;
        else if (kind != '%')
            return -1;
    }
    return count;
}

std::optional<std::string> FormatRequest(const RequestDefinition& request,
                                         const std::vector<std::string>& slots) {
    const size_t count = request.slotIndices.size();
    if (count == 0 || count > kMaxSlotIndices)
        return std::nullopt;
    for (int index : request.slotIndices)
        if (index < 0 || static_cast<size_t>(index) >= slots.size())
            throw ServiceCallError("slot index " + std::to_string(index) + " is beyond the slots");
    if (FormatConversionCount(request.format) != static_cast<int>(count))
        return std::nullopt;
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < request.format.size(); ++i) {
        if (request.format[i] != '%') {
            text += request.format[i];
            continue;
        }
        const char kind = request.format[++i];
        text += kind == 's' ? slots[request.slotIndices[next++]] : std::string("%");
    }
    return text;
}

} // namespace orbisk
