// SPDX-License-Identifier: GPL-3.0-or-later
#include "service_commands.h"

#include "arguments.h"
#include "common/atomic_file.h"
#include "definition_file.h"
#include "location_options.h"
#include "services/geocode.h"
#include "services/service_call_error.h"
#include "services/service_client.h"
#include "settings/program_environment.h"

#include <ostream>

namespace orbisk::tool {
namespace {

constexpr int kUsageError = 2;

bool LoadDefinitions(const std::string& path, ServiceDefinitions& definitions, std::ostream& err) {
    std::string text, error;
    if (!ReadDefinitionText(path, text, error)) {
        err << error << "\n";
        return false;
    }
    if (!definitions.ParseDefinitions(text)) {
        err << path << ": " << definitions.parseError << "\n";
        return false;
    }
    return true;
}

ServiceContext ContextFor(const ServiceDefinitions& definitions) {
    ServiceContext context;
    context.definitions = &definitions;
    QueryUserProxy(context.proxyServer);
    return context;
}

// "N=VALUE" into the client's slots; 15 and above are added as local search does.
bool ApplySlot(const std::string& assignment, ServiceClient& client, std::ostream& err) {
    const size_t equals = assignment.find('=');
    const auto index = ParseInt(assignment.substr(0, equals == std::string::npos ? 0 : equals));
    if (!index || *index < 0 || *index > 16) {
        err << "--slot takes N=VALUE with N from 0 to 16, not \"" << assignment << "\"\n";
        return false;
    }
    while (client.Slots().size() <= static_cast<size_t>(*index))
        client.AddSlot("");
    client.SetSlot(static_cast<size_t>(*index), assignment.substr(equals + 1));
    return true;
}

int TryRequest(ServiceClient& client, const Arguments& arguments, std::ostream& out,
               std::ostream& err) {
    const auto request = client.PrepareRequest();
    if (!request) {
        err << "no usable request for Type " << client.Type() << " SearchType "
            << client.SearchType() << "\n";
        return 1;
    }
    out << "request: " << request->text << "\n"
        << "verb: " << (request->post ? "POST" : "GET") << "\n"
        << "server: " << request->server << "\n"
        << "path: " << request->path << "\n";
    std::string answer;
    if (const auto answerFile = arguments.Value("answer")) {
        if (!ReadWholeFile(*answerFile, HttpClient::kMaxAnswerBytes, answer)) {
            err << "cannot read " << *answerFile << "\n";
            return 1;
        }
    } else if (HttpAnswer reply = client.SendRequest()) {
        answer = std::move(*reply);
    } else {
        err << "the request to " << request->server << " failed: " << reply.error().reason << "\n";
        return 1;
    }
    client.MergeResults(answer);
    for (size_t slot = 0; slot < client.Slots().size(); ++slot)
        if (!client.Slots()[slot].empty())
            out << "slot " << slot << ": " << client.Slots()[slot] << "\n";
    return 0;
}

} // namespace

int RunTry(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Arguments arguments;
    std::string error;
    if (!arguments.Parse(words, {"type", "search", "slot", "answer"}, {}, error) ||
        arguments.Positionals().size() != 1 || !arguments.Has("type") || !arguments.Has("search")) {
        err << (error.empty() ? "" : error + "\n")
            << "usage: orbisk-tool try FILE --type T --search S [--slot N=VALUE ...] [--answer "
               "ANSWERFILE]\n";
        return kUsageError;
    }
    const auto type = ParseInt(*arguments.Value("type"));
    const auto search = ParseInt(*arguments.Value("search"));
    if (!type || !search) {
        err << "--type and --search take whole numbers\n";
        return kUsageError;
    }
    ServiceDefinitions definitions;
    if (!LoadDefinitions(arguments.Positionals()[0], definitions, err))
        return 1;
    ServiceClient client(*type, *search, ContextFor(definitions), nullptr);
    for (const std::string& assignment : arguments.Values("slot"))
        if (!ApplySlot(assignment, client, err))
            return kUsageError;
    try {
        return TryRequest(client, arguments, out, err);
    } catch (const ServiceCallError& failure) {
        err << "the service call failed: " << failure.what() << "\n";
        return 1;
    }
}

int RunGeocode(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Arguments arguments;
    std::string error;
    std::set<std::string> options = LocationOptionNames();
    options.insert({"mode", "zoom"});
    const bool parsed = arguments.Parse(words, options, {}, error);
    const auto mode = ParseLocateMode(arguments.ValueOr("mode", ""));
    const auto zoom = ParseInt(arguments.ValueOr("zoom", "6"));
    if (!parsed || arguments.Positionals().size() != 1 || !mode || *mode == LocateMode::LatLng ||
        !zoom) {
        err << (error.empty() ? "" : error + "\n")
            << "usage: orbisk-tool geocode FILE --mode phone|zip|street [--npa A --nxx B --xxxx C] "
               "[--zip Z]\n"
               "       [--number N --street S --city C --state ST --country \"United "
               "States\"|Canada] [--zoom Z]\n";
        return kUsageError;
    }
    ServiceDefinitions definitions;
    if (!LoadDefinitions(arguments.Positionals()[0], definitions, err))
        return 1;
    LocationInputs inputs;
    inputs.country = "United States";
    ApplyLocationOptions(arguments, inputs);
    const GeocodeResult result = Geocode(*mode, inputs, ContextFor(definitions), *zoom);
    out << "success: " << (result.success ? "yes" : "no") << "\n"
        << "latitude: " << result.latitude << "\n"
        << "longitude: " << result.longitude << "\n"
        << "zoom: " << result.zoomOverride << "\n"
        << "canadian: " << (result.canadian ? "yes" : "no") << "\n";
    for (size_t line = 0; line < result.infoLines.size(); ++line)
        out << "info " << line + 1 << ": " << result.infoLines[line] << "\n";
    return result.success ? 0 : 1;
}

} // namespace orbisk::tool
