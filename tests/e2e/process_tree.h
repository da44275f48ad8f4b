// The browser engine's helper processes below this one, read from /proc, for
// tests and benchmarks that look at what the engine runs.
#pragma once

#include <string>
#include <vector>

namespace orbisk::test {

long ParentOf(long pid);
// Every process below `root`: the browser engine's helpers fork from a zygote.
std::vector<long> Descendants(long root);
// The NUL-separated words of /proc/PID/cmdline or /proc/PID/environ.
std::vector<std::string> ProcessWords(long pid, const char* file);

} // namespace orbisk::test
