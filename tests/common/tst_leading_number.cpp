// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/leading_number.h"

#include <climits>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

struct IntegerCase {
    const char* text;
    int expected;
};

TEST(LeadingInteger, ReadsTheLeadingDigitsAndIgnoresTheRest) {
    const IntegerCase cases[] = {
        {"12", 12},   {"  7", 7}, {"\t-3x", -3}, {"+4", 4},  {"12abc", 12},
        {"abc", 0},   {"", 0},    {"-", 0},      {"- 5", 0}, {"3.9", 3},
        {"0012", 12}, {"1 2", 1}, {"\n\r 9", 9}, {"x12", 0}, {"--1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeadingInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(LeadingInteger, ClampsValuesBeyondTheIntRange) {
    EXPECT_EQ(LeadingInteger("2147483647"), INT_MAX);
    EXPECT_EQ(LeadingInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInteger("-99999999999999999999999"), INT_MIN);
}

struct NumberCase {
    const char* text;
    double expected;
};

TEST(LeadingNumber, ReadsTheLongestDecimalPrefix) {
    const NumberCase cases[] = {
        {"38.898748", 38.898748},
        {"-77.037684,", -77.037684},
        {"  +1.5e2x", 150.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e", 1.0},
        {"abc", 0.0},
        {"", 0.0},
        {".", 0.0},
        {"-.25", -0.25},
        {"inf", 0.0},
        {"nan", 0.0},
        {"1,5", 1.0},
        {"0x10", 0.0},
        {"1e999", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
} // namespace orbisk
