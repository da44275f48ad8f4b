// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/user_text.h"

#include <string>
#include <vector>

namespace orbisk {

// The keyword field's hint; a field or keyword holding it means no search.
inline constexpr const char* kKeywordCueText =
    ORBISK_NOOP("LocalSearch", "Type search keyword(s) here, such as \"Pizza Hut\", \"Home "
                               "Depot\", bank, \"public school\", daycare...");
// The hint in the user's language.
std::string KeywordCueText();

// What the service said of the current page.
struct LocalSearchCounters {
    int total = 0;    // -1 when the service gives no total
    int returned = 0; // results on this page
    int first = 1;    // position of the page's first result, from 1
};

// Follows the counters when paging began again at 1 because the map had moved.
std::string NewAreaRemark();
// The widest texts the status line shows: no search, four-digit counters,
// and a first page (a search that began again starts at 1) in a new area.
std::vector<std::string> LongestStatusTexts();

// What the status line shows and whether "<" can be used.
struct LocalSearchStatus {
    std::string text;
    bool previousEnabled = false;
    int first = 1;           // reset to 1 when there is no current search
    bool nextEnabled = true; // false on the last page: nothing past the total is asked
};

// Whether results follow this page: it returned some, and the total (when
// the service gives one) goes past it.
bool HasNextPage(const LocalSearchCounters& counters);

LocalSearchStatus ShowLocalSearchStatus(const std::string& keyword,
                                        const LocalSearchCounters& counters);

// Empty or the cue text: the paging commands ask for a keyword first.
bool IsNoKeyword(const std::string& fieldText);

// ">": the next page of the same keyword, or the first page of a new one;
// on the last page it stays.
int NextFirst(const std::string& fieldText, const std::string& keyword,
              const LocalSearchCounters& counters);
// "<": the previous page, never before 1; a new keyword, or a page that came
// back empty, starts at 1.
int PreviousFirst(const std::string& fieldText, const std::string& keyword,
                  const LocalSearchCounters& counters);

} // namespace orbisk
