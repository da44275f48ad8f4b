// SPDX-License-Identifier: GPL-3.0-or-later
// The browser engine's helper processes below this one, read from /proc, for
// tests and benchmarks that look at what the engine runs.
#pragma once

#include <string>
#include <vector>

namespace orbisk::test {

long ParentOf(long pid);
// Every process below `root`: the browser engine's helpers fork from a zygote.
std::vector<long> Descendants(long root);
bool CommandLineHas(long pid, const std::string& word);
// A variable of the process's environment; empty when it has none.
std::string EnvironmentValue(long pid, const std::string& name);

} // namespace orbisk::test
