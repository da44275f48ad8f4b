// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "demo_directory.h"
#include "geo_data.h"
#include "http_server.h"
#include "online_data.h"

namespace orbisk::server {

// The outside geocoding and local search services, each in its own answer
// form, at the paths resources/definitions/Map.xml names: OpenStreetMap's
// answers where the online data has them, else the offline data's.
void RegisterServiceHandlers(HttpServer& http, const GeoData& geo, const DemoDirectory& directory,
                             OnlineData& online);

} // namespace orbisk::server
