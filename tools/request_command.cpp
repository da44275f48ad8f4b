// SPDX-License-Identifier: GPL-3.0-or-later
#include "request_command.h"

#include "common/atomic_file.h"
#include "definition_file.h"
#include "jobs/map_request_builder.h"
#include "location_options.h"
#include "markers/marker_set_file.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"

#include <ostream>
#include <sstream>

namespace orbisk::tool {
namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: orbisk-tool request --job CODE [--action N] [--defs FILE] [--mode "
    "phone|zip|street|latlng]\n"
    "       [--npa A --nxx B --xxxx C] [--zip Z] [--number N --street S --city C --state ST "
    "--country COUNTRY]\n"
    "       [--lat L --lng G] [--keyword K --first N] [--canadian] [--markers OBKFILE]\n"
    "       [--view XMIN,XMAX,YMIN,YMAX,ZOOM] [--browser W,H] [--name NAME] [--last-caption TEXT]\n"
    "       [--last-params TEXT] [--local-results XMLFILE] [--settings MAPT,MAPC,ZOOM]\n";

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    return parts;
}

// "A,B,..." of exactly `count` whole numbers.
std::optional<std::vector<int>> Integers(const std::string& text, size_t count) {
    std::vector<int> numbers;
    for (const std::string& part : SplitCommas(text)) {
        const auto number = ParseInt(part);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    if (numbers.size() != count)
        return std::nullopt;
    return numbers;
}

// Fills the snapshot from the options; false with `error` on a bad value.
bool ApplyNumbers(const Arguments& arguments, JobSnapshot& job, std::string& error) {
    const auto jobCode = ParseInt(arguments.ValueOr("job", ""));
    const auto action = ParseInt(arguments.ValueOr("action", "0"));
    const auto first = ParseInt(arguments.ValueOr("first", "1"));
    const auto browser = Integers(arguments.ValueOr("browser", "630,400"), 2);
    const auto settings = Integers(arguments.ValueOr("settings", "1,0,6"), 3);
    const auto mode = ParseLocateMode(arguments.ValueOr("mode", "phone"));
    if (!jobCode || !action || !first || !browser || !settings || !mode) {
        error = "--job, --action, --first, --browser, --settings or --mode has a bad value";
        return false;
    }
    job.jobCode = *jobCode;
    job.actionCode = *action;
    job.counters.first = *first;
    job.browserWidth = (*browser)[0];
    job.browserHeight = (*browser)[1];
    job.locateMode = *mode;
    SettingsStore store("");
    store.Set(SettingsStore::MapTypeIndex, (*settings)[0]);
    store.Set(SettingsStore::MapControl, (*settings)[1]);
    store.Set(SettingsStore::DefaultZoom, (*settings)[2]);
    job.settingsFragment = store.MapRequestFragment();
    job.defaultZoom = (*settings)[2];
    if (const auto view = arguments.Value("view")) {
        const std::vector<std::string> parts = SplitCommas(*view);
        const auto zoom = parts.size() == 5 ? ParseInt(parts[4]) : std::nullopt;
        if (!zoom) {
            error = "--view takes XMIN,XMAX,YMIN,YMAX,ZOOM";
            return false;
        }
        job.mapView = {parts[0], parts[1], parts[2], parts[3], *zoom};
    }
    return true;
}

// Definitions, markers and local results from files; false with `error`.
bool ApplyFiles(const Arguments& arguments, JobSnapshot& job, std::string& error) {
    if (const auto defs = arguments.Value("defs")) {
        std::string text;
        if (!ReadDefinitionText(*defs, text, error))
            return false;
        if (!job.definitions.ParseDefinitions(text)) {
            error = *defs + ": " + job.definitions.parseError;
            return false;
        }
    }
    if (const auto markers = arguments.Value("markers");
        markers && !MarkerSetFile().ReadFile(job.markerSet, *markers)) {
        error = *markers + " is not a marker set file";
        return false;
    }
    if (const auto results = arguments.Value("local-results");
        results && !ReadWholeFile(*results, HttpClient::kMaxAnswerBytes, job.localSearchResults)) {
        error = "cannot read " + *results;
        return false;
    }
    return true;
}

} // namespace

int RunRequest(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    Arguments arguments;
    std::string error;
    std::set<std::string> options = LocationOptionNames();
    options.insert({"job", "action", "defs", "mode", "keyword", "first", "markers", "view",
                    "browser", "name", "last-caption", "last-params", "local-results", "settings"});
    if (!arguments.Parse(words, options, {"canadian"}, error) || !arguments.Positionals().empty() ||
        !arguments.Has("job")) {
        err << (error.empty() ? "" : error + "\n") << kUsage;
        return kUsageError;
    }
    JobSnapshot job;
    job.inputs = LocationInputs::BuiltInDefaults();
    ApplyLocationOptions(arguments, job.inputs);
    job.keyword = arguments.ValueOr("keyword", job.inputs.localSearchKey);
    job.canadian = arguments.Has("canadian");
    job.computerName = arguments.ValueOr("name", "");
    job.lastCaption = arguments.ValueOr("last-caption", "");
    job.lastParams = arguments.ValueOr("last-params", "");
    QueryUserProxy(job.proxyServer);
    if (!ApplyNumbers(arguments, job, error)) {
        err << error << "\n" << kUsage;
        return kUsageError;
    }
    if (!ApplyFiles(arguments, job, error)) {
        err << error << "\n";
        return 1;
    }
    const JobOutcome result = RunJob(job);
    if (!result) {
        err << "the job failed: " << result.error() << "\n";
        return 1;
    }
    for (const std::string* reason : {&result->locateError, &result->searchError})
        if (!reason->empty())
            err << *reason << "\n";
    out << "caption: " << result->caption << "\n"
        << "P: " << result->parameters << "\n"
        << "Q: " << result->query << "\n"
        << "address: " << result->address << "\n"
        << "body: " << result->body << "\n";
    return 0;
}

} // namespace orbisk::tool
