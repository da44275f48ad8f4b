// SPDX-License-Identifier: GPL-3.0-or-later
// Orbisk (North America Edition): the desktop map client.
#include "app/map_app.h"

int main(int argc, char** argv) {
    return orbisk::CMapApp().Run(argc, argv);
}
