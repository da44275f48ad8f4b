// SPDX-License-Identifier: GPL-3.0-or-later
// Orbisk (North America Edition): the desktop map client.
#include "app/map_app.h"

#include <malloc.h>

int main(int argc, char** argv) {
    // The browser engine's threads and a worker per job would each take a
    // malloc arena of their own, and what every Go frees stays scattered over
    // them: two arenas keep 200 Go commands within a few megabytes.
    mallopt(M_ARENA_MAX, 2);
    return orbisk::CMapApp().Run(argc, argv);
}
