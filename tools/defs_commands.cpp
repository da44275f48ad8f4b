// SPDX-License-Identifier: GPL-3.0-or-later
#include "defs_commands.h"

#include "definition_file.h"
#include "definition_lint.h"
#include "services/service_definitions.h"
#include "xml/xml_document.h"

#include <ostream>

namespace orbisk::tool {
namespace {

const char* MethodName(ExtractMethod method) {
    switch (method) {
    case ExtractMethod::ParagraphPairs: return "ParagraphPairs";
    case ExtractMethod::XmlPath: return "XmlPath";
    case ExtractMethod::SeparatedFields: return "SeparatedFields";
    case ExtractMethod::SplitPair: return "SplitPair";
    }
    return "?";
}

void ShowRequest(const RequestDefinition& request, std::ostream& out) {
    const char* verb = request.postType == 0   ? "POST"
                       : request.postType == 1 ? "GET"
                                               : "never sent";
    out << "  request: SearchType " << request.searchType << ", PostType " << request.postType
        << " (" << verb << ")\n"
        << "    server: " << request.server << "\n"
        << "    path: " << request.path << "\n"
        << "    format: " << request.format << "\n"
        << "    indices:";
    for (int index : request.slotIndices)
        out << ' ' << index;
    out << "\n";
}

void ShowResult(const ResultDefinition& result, std::ostream& out) {
    out << "  result: Method " << static_cast<int>(result.method) << " ("
        << MethodName(result.method) << ")\n";
    for (const auto& [name, value] : result.params)
        out << "    param " << name << " = \"" << value << "\"\n";
    for (size_t slot = 0; slot < result.slotKeys.size(); ++slot)
        if (!result.slotKeys[slot].empty())
            out << "    slot " << slot << " key: " << result.slotKeys[slot] << "\n";
}

void ShowInitialValues(const LocationInputs& inputs, std::ostream& out) {
    const std::pair<const char*, const std::string*> values[] = {
        {"XXXX", &inputs.xxxx},
        {"NPA", &inputs.npa},
        {"NXX", &inputs.nxx},
        {"Zip", &inputs.zip},
        {"City", &inputs.city},
        {"StreetAddress", &inputs.streetAddress},
        {"StreetNumber", &inputs.streetNumber},
        {"State", &inputs.state},
        {"Country", &inputs.country},
        {"Latitude", &inputs.latitude},
        {"Longitude", &inputs.longitude},
        {"LocalSearchKey", &inputs.localSearchKey},
    };
    for (const auto& [name, value] : values)
        out << "initial " << name << ": " << *value << "\n";
}

// The KeyString elements as the file holds them, numbered as they count.
void ShowKeyStrings(const std::string& xmlText, std::ostream& out) {
    XmlDocument document;
    if (!document.LoadXml(xmlText))
        return;
    const XmlNode setting = document.Root().SelectSingle("GeoCoderSetting");
    for (size_t i = 0; i < setting.ChildCount(); ++i) {
        const XmlNode keyStrings = setting.ChildAt(i);
        if (keyStrings.BaseName() != "KeyStrings")
            continue;
        size_t number = 0;
        for (size_t k = 0; k < keyStrings.ChildCount(); ++k)
            if (keyStrings.ChildAt(k).BaseName() == "KeyString")
                out << "keystring " << number++ << ": " << keyStrings.ChildAt(k).Text() << "\n";
    }
}

int Show(const std::string& text, std::ostream& out, std::ostream& err) {
    ServiceDefinitions definitions;
    if (!definitions.ParseDefinitions(text)) {
        err << "the definition text cannot be read: " << definitions.parseError << "\n";
        return 1;
    }
    // Well-formed XML is not enough: an error page of a server is that too.
    XmlDocument document;
    if (!document.LoadXml(text) || document.Root().SelectSingle("GeoCoderSetting").IsNull()) {
        err << "not a definition file: no GeoCoderSetting element under the document element\n";
        return 1;
    }
    out << "version: " << definitions.definitionVersion << "\n";
    for (const GeoCoderDefinition& geocoder : definitions.geocoders) {
        out << "geocoder: Type " << geocoder.type << ", listMode " << geocoder.listMode << "\n";
        for (const RequestDefinition& request : geocoder.requests)
            ShowRequest(request, out);
        for (const ResultDefinition& result : geocoder.results)
            ShowResult(result, out);
    }
    ShowInitialValues(definitions.defaultInputs, out);
    out << "newupdate: Ver " << definitions.newUpdate.ver << ", Name " << definitions.newUpdate.name
        << ", DownloadAddress " << definitions.newUpdate.downloadAddress << "\n";
    ShowKeyStrings(text, out);
    return 0;
}

int Lint(const std::string& text, std::ostream& out) {
    const std::vector<std::string> problems = LintDefinitions(text);
    for (const std::string& problem : problems)
        out << problem << "\n";
    return problems.empty() ? 0 : 1;
}

} // namespace

int RunDefs(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.size() != 2 || (words[0] != "show" && words[0] != "lint")) {
        err << "usage: orbisk-tool defs show|lint FILE\n";
        return 2;
    }
    std::string text, error;
    if (!ReadDefinitionText(words[1], text, error)) {
        err << error << "\n";
        return 1;
    }
    return words[0] == "show" ? Show(text, out, err) : Lint(text, out);
}

} // namespace orbisk::tool
