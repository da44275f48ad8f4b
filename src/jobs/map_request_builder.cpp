// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/map_request_builder.h"

#include "common/user_text.h"
#include "protocol/parameter_codec.h"
#include "search/local_search_request.h"
#include "services/geocode.h"

#include <exception>

namespace orbisk {
namespace {

constexpr const char* kLocated = "&NS=3";

struct Located {
    std::string caption;
    std::string parameters;
};

ServiceContext ContextOf(const JobSnapshot& job) {
    return {&job.definitions, job.proxyServer, job.timeouts};
}

std::string Number(int value) {
    return std::to_string(value);
}

// One page of the job's keyword around the point; the point is kept so the
// next page can tell whether the map moved.
void SearchAround(const JobSnapshot& job, const std::string& latitude, const std::string& longitude,
                  const LocalSearchCounters& counters, JobResult& result) {
    const LocalSearchOutcome outcome =
        RunLocalSearch(latitude, longitude, job.keyword, counters, result.canadian, ContextOf(job));
    result.localSearchResults = outcome.resultsText;
    result.counters = outcome.counters;
    result.searchError = outcome.error;
    result.searchLatitude = latitude;
    result.searchLongitude = longitude;
}

// The locate step: location keys by mode, the caption, the geocoder and,
// when asked, the local search around the place.
Located Locate(const JobSnapshot& job, bool localSearch, JobResult& result) {
    const LocationInputs& in = job.inputs;
    const int mode = static_cast<int>(job.locateMode);
    const std::string sh = "SH=" + Number(mode);
    std::string ns = "&NS=" + Number(mode);
    result.canadian = false;
    result.markerSetCountry = "United States";

    GeocodeResult geocoded;
    const auto geocode = [&] {
        geocoded = Geocode(job.locateMode, in, ContextOf(job), job.defaultZoom);
        result.canadian = geocoded.canadian;
        result.markerSetCountry = geocoded.markerSetCountry;
        if (!geocoded.error.empty())
            result.locateError =
                Arg(Tr("Job", "The place could not be looked up (%1)."), {geocoded.error});
        if (geocoded.success)
            ns = kLocated;
    };
    Located located;
    std::string keys;
    std::string latitude, longitude, zoom;
    InfoLines info;
    switch (job.locateMode) {
    case LocateMode::Phone:
        located.caption = Arg(Tr("Job", "Phone: (%1)%2-%3"), {in.npa, in.nxx, in.xxxx});
        geocode();
        keys = "&NPA=" + in.npa + "&NXX=" + in.nxx + "&XXXX=" + in.xxxx;
        break;
    case LocateMode::Zip:
        located.caption = Arg(Tr("Job", "Zip code(postal code): %1"), {in.zip});
        geocode();
        keys = "&ZIP=" + in.zip;
        break;
    case LocateMode::Street:
        located.caption = Arg(Tr("Job", "Address: %1 %2, %3, %4, %5"),
                              {in.streetNumber, in.streetAddress, in.city, in.state, in.country});
        geocode();
        keys = "&STR=" + in.streetAddress + "&STN=" + in.streetNumber + "&CITY=" + in.city +
               "&STATE=" + in.state + "&CTY=" + in.country;
        break;
    case LocateMode::LatLng:
        latitude = in.latitude;
        longitude = in.longitude;
        info = {"", "Latitute/Longitute: ", latitude + "/" + longitude};
        located.caption = Arg(Tr("Job", "Latitute/Longitute: %1/%2"),
                              {LocaleNumber(latitude), LocaleNumber(longitude)});
        keys = "&LAT=" + latitude + "&LNG=" + longitude;
        break;
    }
    if (job.locateMode != LocateMode::LatLng) {
        latitude = geocoded.latitude;
        longitude = geocoded.longitude;
        zoom = geocoded.zoomOverride;
        info = geocoded.infoLines;
        keys += "&LAT=" + latitude + "&LNG=" + longitude + "&FZ=" + zoom;
    }
    if (localSearch) {
        SearchAround(job, latitude, longitude, job.counters, result);
    } else {
        result.localSearchResults.clear();
    }
    located.parameters = sh + ns + keys;
    for (size_t i = 0; i < info.size(); ++i)
        located.parameters += "&INFO" + Number(static_cast<int>(i)) + "=" + info[i];
    return located;
}

std::string OrDefaultState(const std::string& parameters) {
    return parameters.empty() ? kLocated : parameters;
}

} // namespace

std::string ComposeBody(const std::string& query, const std::string& localSearch,
                        const std::string& markerSet, const Encoder& encode) {
    std::string y;
    if (!encode(query, y))
        return "E=parameter zip error";
    std::string notes, ls, ms;
    if (!localSearch.empty() && !encode(localSearch, ls)) {
        ls.clear();
        notes += "E=Local search zip error";
    }
    if (!markerSet.empty() && !encode(markerSet, ms)) {
        ms.clear();
        notes += "E=marker set zip error";
    }
    std::string v;
    if (encode("Q=" + y + "&L=" + ls + "&M=" + ms, v))
        return "QLM=" + v;
    return "Q=" + y + notes + "E=QLM zip error";
}

JobResult BuildMapRequest(const JobSnapshot& job, const Encoder& encoder) {
    const Encoder encode = encoder ? encoder : [](const std::string& in, std::string& out) {
        return ParameterCodec().Encode(in, out);
    };
    const int code = job.jobCode;
    JobResult result;
    result.lastCaption = job.lastCaption;
    result.lastParams = job.lastParams;
    result.localSearchResults = job.localSearchResults;
    result.counters = job.counters;
    result.searchLatitude = job.searchLatitude;
    result.searchLongitude = job.searchLongitude;
    result.canadian = job.canadian;
    result.markerSetCountry = job.markerSet.country;

    if (code & kMarkerSetView) {
        result.parameters = OrDefaultState(job.lastParams) + job.markerSet.CenterFragment();
        result.caption = job.markerSet.title;
    } else if (code & kReplay) {
        result.caption = job.lastCaption;
        result.parameters = job.lastParams;
    } else if (!(code & kLocate)) {
        result.caption = job.shownCaption.empty() ? job.lastCaption : job.shownCaption;
        result.parameters = OrDefaultState(job.lastParams);
        const std::string latitude = job.mapView.CenterLatitude();
        const std::string longitude = job.mapView.CenterLongitude();
        if (code & kLocalSearch) {
            // A page of one search never goes under the counters of another:
            // paging after the map moved asks the new area from its first result.
            LocalSearchCounters counters = job.counters;
            result.searchRestarted =
                counters.first > 1 &&
                job.mapView.CenterMovedFrom(job.searchLatitude, job.searchLongitude);
            if (result.searchRestarted)
                counters.first = 1;
            SearchAround(job, latitude, longitude, counters, result);
        }
        result.parameters +=
            "&CLAT=" + latitude + "&CLNG=" + longitude + "&CZOOM=" + Number(job.mapView.zoom);
    } else {
        const Located located = Locate(job, (code & kLocalSearch) != 0, result);
        result.caption = result.lastCaption = located.caption;
        result.parameters = result.lastParams = located.parameters;
    }

    result.query = result.parameters + "&WI=" + Number(job.browserWidth - 30) +
                   "&HE=" + Number(job.browserHeight - 30) + "&TYPE=" + Number(code) +
                   "&NAME=" + job.computerName + "&ACTION=" + Number(job.actionCode) +
                   "&DE=" + Number(job.definitions.definitionVersion) + job.settingsFragment;
    const std::string localSearch = (code & kSendResults) ? result.localSearchResults : "";
    std::string markerXml;
    if (!job.markerSet.IsEmpty() && !(code & kOmitMarkers)) {
        MarkerSet sent = job.markerSet; // a plain copy notifies nobody
        sent.country = result.markerSetCountry;
        markerXml = sent.ToXml();
    }
    result.body = ComposeBody(result.query, localSearch, markerXml, encode);
    result.address = MapPageAddress(job.definitions.fixedStrings);
    return result;
}

JobOutcome RunJob(const JobSnapshot& job) {
    try {
        return BuildMapRequest(job);
    } catch (const std::exception& error) {
        return std::unexpected(std::string(error.what()));
    }
}

} // namespace orbisk
