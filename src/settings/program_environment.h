// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/program_files.h"

#include <filesystem>
#include <string>

namespace orbisk {

// What start-up learns about where and how the program runs. Fixed for the
// whole run; nothing of it is saved.
struct ProgramEnvironment {
    // The directory of the program file, without a trailing separator.
    std::string programDirectory;
    // Where the files of that directory are read and written.
    ProgramFiles files;
    // Sent with every map request as NAME.
    std::string computerName;
    // Given to every HTTP request; empty means the environment's settings.
    std::string proxyServer;
};

// Where the program's files are looked for. ORBISK_PROGRAM_DIR overrides the
// directory of /proc/self/exe: tests and packaging use it.
constexpr const char* kProgramDirVariable = "ORBISK_PROGRAM_DIR";

std::string DiscoverProgramDirectory();
// The program directory of the program file `executable`: its own folder
// when that holds Map.dat (a build tree), else ../share/orbisk beside it
// when that does (an installation: /usr/bin/orbisk, /usr/share/orbisk),
// else its own folder.
std::filesystem::path ProgramDirectoryOf(const std::filesystem::path& executable);

// The canonical name when it is fully qualified (has a dot), else the short name.
std::string ChooseComputerName(const std::string& canonicalName, const std::string& shortName);
std::string DiscoverComputerName();

// The proxy of a "ProxyServer" store value: upper-cased, and of a per-scheme
// list only the part after "HTTP=" up to the next ";".
std::string ProxyFromServerList(const std::string& serverList);
// The fallback when the environment names no proxy: ProxyEnable and
// ProxyServer under "Software\Microsoft\Windows\CurrentVersion\Internet Settings".
std::string ProxyFromStore(const std::filesystem::path& storeFile);

ProgramEnvironment DiscoverEnvironment(const std::filesystem::path& storeFile);

// Joins a program file name such as "\Map.dat" to the program directory.
std::filesystem::path ProgramFilePath(const std::string& programDirectory, const std::string& name);

// The user's proxy from http_proxy, else HTTP_PROXY. False when neither is
// set; an empty variable is a configuration without a proxy.
bool QueryUserProxy(std::string& proxy);

} // namespace orbisk
