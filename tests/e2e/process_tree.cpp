// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_tree.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orbisk::test {
namespace {

// The NUL-separated words of /proc/PID/cmdline or /proc/PID/environ.
std::vector<std::string> ProcessWords(long pid, const char* file) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file, std::ios::binary);
    std::vector<std::string> words;
    for (std::string word; std::getline(in, word, '\0');)
        words.push_back(word);
    return words;
}

} // namespace

bool CommandLineHas(long pid, const std::string& word) {
    const std::vector<std::string> words = ProcessWords(pid, "cmdline");
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::string EnvironmentValue(long pid, const std::string& name) {
    for (const std::string& word : ProcessWords(pid, "environ"))
        if (word.rfind(name + "=", 0) == 0)
            return word.substr(name.size() + 1);
    return "";
}

long ParentOf(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string state;
    long parent = -1;
    fields >> state >> parent;
    return parent;
}

std::vector<long> Descendants(long root) {
    std::vector<long> all;
    if (DIR* proc = opendir("/proc")) {
        while (const dirent* entry = readdir(proc))
            if (const long pid = std::atol(entry->d_name); pid > 0)
                all.push_back(pid);
        closedir(proc);
    }
    std::vector<long> found{root};
    for (size_t i = 0; i < found.size(); ++i)
        for (long pid : all)
            if (ParentOf(pid) == found[i])
                found.push_back(pid);
    found.erase(found.begin());
    return found;
}

} // namespace orbisk::test
