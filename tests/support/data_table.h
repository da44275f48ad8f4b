// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orbisk::test {

// The tab-separated rows of a file under tests/data, comments ('#') and
// empty lines left out; an empty table when the file cannot be read.
inline std::vector<std::vector<std::string>> DataTable(const std::string& relativePath) {
    std::ifstream file(std::string(ORBISK_TEST_DATA_DIR) + "/" + relativePath);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

} // namespace orbisk::test
