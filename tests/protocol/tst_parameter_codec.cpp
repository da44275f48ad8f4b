// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/parameter_codec.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <zlib.h>

namespace orbisk {
namespace {

std::string Encoded(const std::string& text) {
    std::string out;
    EXPECT_TRUE(ParameterCodec().Encode(text, out));
    return out;
}

std::string Decoded(const std::string& text) {
    std::string out;
    EXPECT_TRUE(ParameterCodec().Decode(text, out));
    return out;
}

TEST(ParameterCodecEncode, MatchesZlibAtTheDefaultLevelLowNibbleFirst) {
    // zlib 1.2 at level 6 gives 78 9c 0b f6 b0 35 ... for this text.
    EXPECT_EQ(Encoded("SH=1&NS=3&ZIP=20502&LAT=&LNG=&SH=1&NS=3&ZIP=20502"),
              "HGLIK@FO@KECDECOK@FKECFEKHBOL@@KECBC@CEC@CBECOAGL@AKEECOAOCGGKEEK@FLDIE@@@KBEDK@ML");
}

TEST(ParameterCodecEncode, MatchesOneCallCompressOverManyChunks) {
    std::mt19937 random(3);
    std::string text;
    while (text.size() < 200000)
        text +=
            "LAT=" + std::to_string(random() % 100000) + "&NAME=" + std::to_string(random()) + "&";
    std::vector<Bytef> compressed(text.size() * 2);
    uLongf length = compressed.size();
    ASSERT_EQ(compress(compressed.data(), &length, reinterpret_cast<const Bytef*>(text.data()),
                       text.size()),
              Z_OK);
    ASSERT_GT(length, 40000u);
    std::string expected;
    for (uLongf i = 0; i < length; ++i) {
        expected += static_cast<char>(0x40 | (compressed[i] & 0x0F));
        expected += static_cast<char>(0x40 | (compressed[i] >> 4));
    }
    EXPECT_TRUE(Encoded(text) == expected);
}

TEST(ParameterCodecEncode, WritesOnlyTheSixteenLettersInPairs) {
    std::mt19937 random(7);
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += static_cast<char>('a' + random() % 4);
    const std::string encoded = Encoded(text);
    ASSERT_FALSE(encoded.empty());
    EXPECT_EQ(encoded.size() % 2, 0u);
    for (char c : encoded)
        ASSERT_TRUE(c >= 0x40 && c <= 0x4F) << int(c);
}

TEST(ParameterCodecEncode, FailsWhenTheCompressedDataExceedsTwiceTheInput) {
    std::string out = "stale";
    EXPECT_FALSE(ParameterCodec().Encode("", out));
    EXPECT_TRUE(out.empty());
    out = "stale";
    EXPECT_FALSE(ParameterCodec().Encode("a", out));
    EXPECT_TRUE(out.empty());
}

TEST(ParameterCodecRoundTrip, GivesBackEveryTextThatFits) {
    std::mt19937 random(11);
    const std::string samples[] = {
        "abababababab",
        "SH=1&NS=3&ZIP=20502&LAT=&LNG=&NPA=202&NXX=456&XXXX=1414",
        "<MarkerSet Name=\"A &amp; B\"><Marker Title=\"caf\xC3\xA9\"/></MarkerSet>",
        std::string(65535, 'x'),
    };
    for (const auto& text : samples)
        EXPECT_EQ(Decoded(Encoded(text)), text);
    std::string binary;
    for (int i = 0; i < 3000; ++i)
        binary += static_cast<char>(1 + random() % 255);
    EXPECT_EQ(Decoded(Encoded(binary)), binary);
}

TEST(ParameterCodecDecode, IgnoresAnOddTrailingCharacter) {
    const std::string encoded = Encoded("hello hello hello");
    EXPECT_EQ(Decoded(encoded + "K"), "hello hello hello");
}

TEST(ParameterCodecDecode, CountsOnlyTheLowFourBitsOfEachCharacter) {
    std::string encoded = Encoded("hello hello hello");
    for (char& c : encoded)
        c = static_cast<char>(0x60 | (c & 0x0F)); // '@'..'O' become '`'..'o'
    EXPECT_EQ(Decoded(encoded), "hello hello hello");
}

TEST(ParameterCodecDecode, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(Decoded(Encoded(std::string("abc\0def abc def", 15))), "abc");
}

TEST(ParameterCodecDecode, Accepts65535BytesAndRefuses65536) {
    EXPECT_EQ(Decoded(Encoded(std::string(65535, 'q'))).size(), 65535u);
    std::string out = "stale";
    EXPECT_FALSE(ParameterCodec().Decode(Encoded(std::string(65536, 'q')), out));
    EXPECT_TRUE(out.empty());
}

TEST(ParameterCodecDecode, RefusesWhatIsNotAZlibStream) {
    const std::string inputs[] = {"", "A", "@@@@@@@@", "HELLOWORLD", std::string(1000, 'O')};
    for (const auto& input : inputs) {
        std::string out = "stale";
        EXPECT_FALSE(ParameterCodec().Decode(input, out)) << input;
        EXPECT_TRUE(out.empty());
    }
    std::string truncated = Encoded(std::string(2000, 'z') + "tail");
    truncated.resize(truncated.size() - 8);
    std::string out;
    EXPECT_FALSE(ParameterCodec().Decode(truncated, out));
}

} // namespace
} // namespace orbisk
