// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orbisk {

// Before the QApplication: the browser engine's sandbox, rendering and flags.
void PrepareBrowserEngine();

// The application: prepares the toolkit and the embedded browser, reads the
// command line (--help, --version, or one marker set file), runs the main
// window modally and ends when it closes.
class CMapApp {
public:
    int Run(int argc, char** argv);
};

} // namespace orbisk
