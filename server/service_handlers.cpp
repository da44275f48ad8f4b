// SPDX-License-Identifier: GPL-3.0-or-later
#include "service_handlers.h"

#include "common/number_format.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "html_text.h"
#include "search_listings.h"

#include <climits>
#include <optional>

namespace orbisk::server {
namespace {

using Handler = HttpHandler;

std::string Param(const HttpRequest& request, const char* name) {
    return request.Param(name);
}

std::string Coordinate(double value) {
    return FormatFixed(value, 6);
}

// The directory answers an HTML page with the listing as "name=value" pairs
// between two comments, the way screen-scraped directories did.
std::string DirectoryPage(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string page =
        "<html><head><title>Demo directory</title></head><body>\n"
        "<h1>Demo directory</h1><p>Invented listings for trying Orbisk offline.</p>\n";
    if (pairs.empty())
        return page + "<p>No listing found.</p></body></html>\n";
    page += "<!--listing-->";
    for (size_t i = 0; i < pairs.size(); ++i)
        page += (i ? "&amp;" : "") + pairs[i].first + "=" + EncodeFormValue(pairs[i].second);
    return page + "<!--/listing--></body></html>\n";
}

std::string ListingPage(const DemoListing& listing) {
    return DirectoryPage({{"name1", listing.name1},
                          {"name2", listing.name2},
                          {"street", listing.number + " " + listing.street},
                          {"city", listing.city},
                          {"state", listing.region},
                          {"zip", listing.zip},
                          {"phone", "(" + listing.npa + ") " + listing.nxx + "-" + listing.xxxx},
                          {"lat", Coordinate(listing.lat)},
                          {"lng", Coordinate(listing.lng)},
                          {"country", listing.country}});
}

std::string PlaceXml(const std::optional<Place>& place) {
    if (!place)
        return "<?xml version=\"1.0\"?>\n<PlaceResult><Error>not found</Error></PlaceResult>\n";
    return "<?xml version=\"1.0\"?>\n<PlaceResult><Place><Latitude>" + Coordinate(place->lat) +
           "</Latitude><Longitude>" + Coordinate(place->lng) + "</Longitude><City>" +
           EscapeHtml(place->name) + "</City><State>" + EscapeHtml(place->region) +
           "</State></Place></PlaceResult>\n";
}

void Reply(HttpResponse& response, const std::string& body, const char* type) {
    response.Reply(body, type);
}

Handler DirectoryByPhone(const DemoDirectory& directory) {
    return [&directory](const HttpRequest& request, HttpResponse& response) {
        const auto listing =
            directory.ByPhone(Param(request, "npa"), Param(request, "nxx"), Param(request, "line"));
        Reply(response, listing ? ListingPage(*listing) : DirectoryPage({}), "text/html");
    };
}

// A known demo address gives its listing; an unknown street in a known city
// gives the city and state without coordinates, as a real directory would.
Handler DirectoryByAddress(const GeoData& geo, const DemoDirectory& directory) {
    return [&geo, &directory](const HttpRequest& request, HttpResponse& response) {
        const std::string city = Param(request, "city");
        const std::string state = Param(request, "state");
        if (const auto listing = directory.ByAddress(Param(request, "number"),
                                                     Param(request, "street"), city, state))
            return Reply(response, ListingPage(*listing), "text/html");
        const auto place = geo.CityIn(city, state);
        Reply(response,
              place ? DirectoryPage({{"city", place->name}, {"state", place->region}})
                    : DirectoryPage({}),
              "text/html");
    };
}

// Exchanges answer an XML document with western longitudes given without sign.
Handler ExchangeLookup(const GeoData& geo) {
    return [&geo](const HttpRequest& request, HttpResponse& response) {
        const std::string npa = Trimmed(Param(request, "npa"));
        const std::string nxx = Trimmed(Param(request, "nxx"));
        const auto place = geo.Exchange(npa, nxx);
        std::string xml = "<?xml version=\"1.0\"?>\n<ExchangeResult><Query npa=\"" +
                          EscapeHtml(npa) + "\" nxx=\"" + EscapeHtml(nxx) + "\"/>";
        if (place)
            xml += "<Exchange><Latitude>" + Coordinate(place->lat) + "</Latitude><Longitude>" +
                   Coordinate(-place->lng) + "</Longitude><City>" + EscapeHtml(place->name) +
                   "</City><State>" + EscapeHtml(place->region) + "</State></Exchange>";
        else
            xml += "<Error>unknown area code</Error>";
        Reply(response, xml + "</ExchangeResult>\n", "text/xml");
    };
}

std::string StreetCoordinates(const UpstreamPoint& at, const char* status) {
    return std::string("status: ") + status + "\ncoords: " + Coordinate(at.lat) + "," +
           Coordinate(at.lng) + ";\n";
}

// The United States street service: the geocoder when online, else only the
// demo addresses.
Handler StreetUnitedStates(const DemoDirectory& directory, OnlineData& online) {
    return [&directory, &online](const HttpRequest& request, HttpResponse& response) {
        const StreetQuery query{Param(request, "number"),
                                Param(request, "street"),
                                Param(request, "city"),
                                Param(request, "state"),
                                "",
                                "us"};
        if (const auto at = online.Street(query))
            return Reply(response, StreetCoordinates(*at, "ok (OpenStreetMap)"), "text/plain");
        const auto listing =
            directory.ByAddress(query.number, query.street, query.city, query.region);
        if (!listing || listing->country != "US")
            return Reply(response, "status: not found\n", "text/plain");
        Reply(response, StreetCoordinates({listing->lat, listing->lng}, "ok (demo address)"),
              "text/plain");
    };
}

std::string CanadaMatch(const std::optional<Place>& place) {
    if (!place)
        return "match id: 0,0 no result\n";
    return "match id: 0,0 result " + Coordinate(place->lat) + "," + Coordinate(place->lng) + "\n";
}

// Canadian postal codes by forward sortation area, else by the province.
Handler PostalCode(const GeoData& geo) {
    return [&geo](const HttpRequest& request, HttpResponse& response) {
        Reply(response, CanadaMatch(geo.PostalCode(Param(request, "postal"))), "text/plain");
    };
}

// Canadian addresses: the geocoder's when online, else a demo address, or a
// city when no street was asked for.
Handler CanadianAddress(const GeoData& geo, const DemoDirectory& directory, OnlineData& online) {
    return [&geo, &directory, &online](const HttpRequest& request, HttpResponse& response) {
        const std::string street = Trimmed(Param(request, "street"));
        const std::string city = Param(request, "city");
        const std::string province = Param(request, "province");
        std::optional<Place> place;
        const std::string number = Param(request, "number");
        if (const auto at = online.Street({number, street, city, province, "", "ca"}))
            return Reply(response, CanadaMatch(Place{at->lat, at->lng, city, province}),
                         "text/plain");
        // The client drops a short suffix ("Demo St" arrives as "Demo").
        auto listing = directory.ByAddress(number, street, city, province);
        if (!listing)
            listing = directory.ByAddress(number, street + " St", city, province);
        if (listing)
            place = Place{listing->lat, listing->lng, listing->city, listing->region};
        else if (street.empty())
            place = geo.CityIn(city, province);
        Reply(response, CanadaMatch(place), "text/plain");
    };
}

Handler ZipCode(const GeoData& geo) {
    return [&geo](const HttpRequest& request, HttpResponse& response) {
        const std::string code = Param(request, "code");
        Reply(response,
              PlaceXml(Upper(Param(request, "country")) == "CA" ? geo.PostalCode(code)
                                                                : geo.Zip(code)),
              "text/xml");
    };
}

// A city with its state or province; asked with a street it does not know,
// it finds nothing, so the client retries without the street.
Handler CityPlace(const GeoData& geo, const DemoDirectory& directory) {
    return [&geo, &directory](const HttpRequest& request, HttpResponse& response) {
        const std::string city = Param(request, "city");
        const std::string state = Param(request, "state");
        const std::string street = Trimmed(Param(request, "street"));
        if (!street.empty() && !directory.KnowsStreet(street, city, state))
            return Reply(response, PlaceXml(std::nullopt), "text/xml");
        Reply(response, PlaceXml(geo.CityIn(city, state)), "text/xml");
    };
}

// The centre and first position of a local search, or a 400 answer saying
// which of them is not a number in range. OpenStreetMap's places when the
// local search is online and answers, else the demo directory's.
std::optional<ListingsPage> SearchPage(const DemoDirectory& directory, OnlineData& online,
                                       const HttpRequest& request, const char* firstName,
                                       HttpResponse& response) {
    const auto lat = StrictLatitude(Param(request, "lat"));
    const auto lng = StrictLongitude(Param(request, "lng"));
    const std::string firstText = Param(request, firstName);
    const auto first =
        firstText.empty() ? std::optional<int>(1) : StrictInteger(firstText, INT_MIN, INT_MAX);
    if (!lat || !lng || !first) {
        response.status = 400;
        response.Reply(std::string("lat (-90 to 90), lng (-180 to 180) and ") + firstName +
                           " (a whole number) must be numbers\n",
                       "text/plain");
        return std::nullopt;
    }
    const std::string query = Param(request, "query");
    if (const auto places = online.Places(query, *lat, *lng))
        return OsmListingsPage(*places, *first);
    return DemoListingsPage(directory.Search(query, *lat, *lng, *first));
}

Handler LocalSearchUnitedStates(const DemoDirectory& directory, OnlineData& online) {
    return [&directory, &online](const HttpRequest& request, HttpResponse& response) {
        const std::string query = Param(request, "query");
        const auto found = SearchPage(directory, online, request, "start", response);
        if (!found)
            return;
        const ListingsPage& page = *found;
        std::string xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultSet totalResultsAvailable=\"" +
            std::to_string(page.total) + "\" totalResultsReturned=\"" +
            std::to_string(page.listings.size()) + "\" firstResultPosition=\"" +
            std::to_string(page.first) + (page.demo ? "\" demo=\"true\">\n" : "\">\n");
        for (const SearchListing& listing : page.listings)
            xml += "<Result><Title>" + EscapeHtml(listing.title) + "</Title><Address>" +
                   EscapeHtml(listing.street) + "</Address><City>" + EscapeHtml(listing.city) +
                   "</City><State>" + EscapeHtml(listing.region) + "</State><Phone>" +
                   EscapeHtml(listing.phone) + "</Phone><Latitude>" + Coordinate(listing.lat) +
                   "</Latitude><Longitude>" + Coordinate(listing.lng) +
                   "</Longitude><BusinessUrl>" + EscapeHtml(listing.url) +
                   "</BusinessUrl></Result>\n";
        xml += "<ResultSetMapUrl>" +
               EscapeHtml((page.demo ? "http://example.com/demo/search?query="
                                     : "https://www.openstreetmap.org/search?query=") +
                          EncodeFormValue(query)) +
               "</ResultSetMapUrl>\n</ResultSet>\n";
        Reply(response, xml, "text/xml");
    };
}

// A field of a Canadian record: never empty, since empty fields do not count
// when the client numbers them, and never holding a separator or a tag.
std::string RecordField(const std::string& text) {
    std::string field;
    for (const char c : text)
        if (c == '|')
            field += '/';
        else if (c != '<' && c != '>' && c != '\n' && c != '\r')
            field += c;
    return field.empty() ? " " : field;
}

// Canada answers records of separated fields.
Handler LocalSearchCanada(const DemoDirectory& directory, OnlineData& online) {
    return [&directory, &online](const HttpRequest& request, HttpResponse& response) {
        const auto found = SearchPage(directory, online, request, "first", response);
        if (!found)
            return;
        const ListingsPage& page = *found;
        std::string text = std::string(page.demo ? "demo" : "OpenStreetMap") + " local search, " +
                           std::to_string(page.listings.size()) + " records\n";
        for (const SearchListing& l : page.listings)
            text += "<record>" + RecordField(l.npa) + "|" + RecordField(l.nxx) + "|" +
                    RecordField(l.line) + "|" + RecordField(l.street) + "|" + RecordField(l.city) +
                    "|" + RecordField(l.region) + "| |" + RecordField(l.title) + "|" +
                    Coordinate(l.lat) + "|" + Coordinate(l.lng) + "</record>\n";
        Reply(response, text, "text/plain");
    };
}

} // namespace

void RegisterServiceHandlers(HttpServer& http, const GeoData& geo, const DemoDirectory& directory,
                             OnlineData& online) {
    http.Route("GET", "/services/directory/phone", DirectoryByPhone(directory));
    http.Route("POST", "/services/directory/address", DirectoryByAddress(geo, directory));
    http.Route("GET", "/services/exchange", ExchangeLookup(geo));
    http.Route("POST", "/services/geocode/us", StreetUnitedStates(directory, online));
    http.Route("GET", "/services/geocode/ca", PostalCode(geo));
    http.Route("POST", "/services/geocode/ca", CanadianAddress(geo, directory, online));
    http.Route("GET", "/services/zip", ZipCode(geo));
    http.Route("GET", "/services/place", CityPlace(geo, directory));
    http.Route("GET", "/services/local/us", LocalSearchUnitedStates(directory, online));
    http.Route("GET", "/services/local/ca", LocalSearchCanada(directory, online));
}

} // namespace orbisk::server
