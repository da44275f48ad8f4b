// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/local_search_status.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(LocalSearchStatus, ShowsTheRangeOnTheMap) {
    struct Case {
        LocalSearchCounters counters;
        const char* text;
        bool previous;
    };
    const Case cases[] = {
        {{125, 10, 11}, "11 to 20 of 125", true}, {{-1, 7, 1}, "1 to 7", false},
        {{40, 0, 1}, "0 to 0 of 40", false},      {{-1, 0, 21}, "0 to 0", true},
        {{5, 10, 8}, "5 to 17 of 5", true},       {{0, 0, 0}, "0 to 0 of 0", false},
    };
    for (const Case& c : cases) {
        const LocalSearchStatus status = ShowLocalSearchStatus("pizza", c.counters);
        EXPECT_EQ(status.text, c.text);
        EXPECT_EQ(status.previousEnabled, c.previous) << c.text;
        EXPECT_EQ(status.first, c.counters.first);
    }
}

TEST(LocalSearchStatus, NoKeywordMeansNoCurrentSearch) {
    for (const char* keyword : {"", kKeywordCueText}) {
        const LocalSearchStatus status = ShowLocalSearchStatus(keyword, {125, 10, 11});
        EXPECT_EQ(status.text, " No current search");
        EXPECT_FALSE(status.previousEnabled);
        EXPECT_EQ(status.first, 1);
    }
    EXPECT_TRUE(IsNoKeyword(""));
    EXPECT_TRUE(IsNoKeyword(kKeywordCueText));
    EXPECT_FALSE(IsNoKeyword(" "));
}

TEST(LocalSearchPaging, NextMovesByTheReturnedCountOrRestarts) {
    EXPECT_EQ(NextFirst("pizza", "pizza", {125, 10, 1}), 11);
    EXPECT_EQ(NextFirst("pizza", "pizza", {125, 5, 121}), 121) << "the last page stays";
    EXPECT_EQ(NextFirst("bank", "pizza", {125, 10, 11}), 1);
}

// "1 to 10 of 19", then "11 to 19 of 19": no page past the total is asked.
TEST(LocalSearchPaging, NextEndsAtTheTotal) {
    struct Case {
        LocalSearchCounters counters;
        bool next;
    };
    const Case cases[] = {
        {{19, 10, 1}, true}, {{19, 9, 11}, false}, {{20, 10, 11}, false}, {{21, 10, 11}, true},
        {{-1, 10, 1}, true}, {{-1, 0, 11}, false}, {{0, 0, 1}, false},    {{19, 0, 20}, false},
    };
    for (const Case& c : cases) {
        const LocalSearchCounters& k = c.counters;
        EXPECT_EQ(HasNextPage(k), c.next) << k.total << " " << k.returned << " " << k.first;
        EXPECT_EQ(ShowLocalSearchStatus("pizza", k).nextEnabled, c.next);
        EXPECT_EQ(NextFirst("pizza", "pizza", k) > k.first, c.next);
    }
    EXPECT_TRUE(ShowLocalSearchStatus("", {19, 9, 11}).nextEnabled) << "a new search can start";
    EXPECT_EQ(PreviousFirst("pizza", "pizza", {19, 0, 20}), 1) << "an empty page recovers";
}

TEST(LocalSearchPaging, PreviousNeverGoesBelowOne) {
    EXPECT_EQ(PreviousFirst("pizza", "pizza", {125, 10, 11}), 1);
    EXPECT_EQ(PreviousFirst("pizza", "pizza", {125, 10, 5}), 1);
    EXPECT_EQ(PreviousFirst("pizza", "pizza", {125, 10, 31}), 21);
    EXPECT_EQ(PreviousFirst("bank", "pizza", {125, 10, 31}), 1);
}

} // namespace
} // namespace orbisk
