// The value-to-text conversions of the plug-in base class.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "test_effect.h"

namespace {

struct FloatCase {
    float value;
    const char* text;
};

void PrintTo(const FloatCase& c, std::ostream* out)
{
    *out << c.value;
}

class FloatTextTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatTextTest, WritesEightCharactersOfSignDigitsPointAndFraction)
{
    TestEffect effect;
    char text[32];
    std::memset(text, 'x', sizeof(text));
    effect.float2string(GetParam().value, text, 20);
    EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FloatTextTest,
                         ::testing::Values(FloatCase{1.5f, "1.500000"}, FloatCase{-2.25f, "-2.25000"},
                                           FloatCase{0.0f, "0.000000"}, FloatCase{12.0f, "12.00000"},
                                           FloatCase{1234567.0f, "1234567."},
                                           // all integer digits survive where they fill the budget
                                           FloatCase{12345678.0f, "12345678."}, FloatCase{-1234567.0f, "-1234567."},
                                           // past the limits, and NaN, the text is empty
                                           FloatCase{100000000.0f, ""}, FloatCase{-10000000.0f, ""},
                                           FloatCase{std::numeric_limits<float>::infinity(), ""},
                                           FloatCase{std::numeric_limits<float>::quiet_NaN(), ""}));

struct IntCase {
    VstInt32 value;
    const char* text;
};

void PrintTo(const IntCase& c, std::ostream* out)
{
    *out << c.value;
}

class IntTextTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntTextTest, WritesTheDigitsFromTheFirstNonZeroOne)
{
    TestEffect effect;
    char text[32];
    std::memset(text, 'x', sizeof(text));
    effect.int2string(GetParam().value, text, 20);
    EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, IntTextTest,
                         ::testing::Values(IntCase{1234, "1234"}, IntCase{-56, "-56"}, IntCase{0, "0"},
                                           IntCase{99999999, "99999999"}, IntCase{100000000, "Huge!"},
                                           IntCase{-99999999, "-99999999"}, IntCase{-100000000, "Huge!"},
                                           IntCase{std::numeric_limits<VstInt32>::min(), "Huge!"}));

TEST(ValueTextTest, DecibelsOfZeroAndBelowAreMinusInfinity)
{
    TestEffect effect;
    char text[16];
    effect.dB2string(0.0f, text, 8);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(-1.0f, text, 8);
    EXPECT_STREQ(text, "-oo");
    effect.dB2string(1.0f, text, 8);
    EXPECT_STREQ(text, "0.000000");
    effect.dB2string(10.0f, text, 8);
    EXPECT_STREQ(text, "20.00000");
}

TEST(ValueTextTest, HertzAndMillisecondsUseTheSampleRate)
{
    TestEffect effect;
    effect.setSampleRate(48000.0f);
    char text[16];
    effect.Hz2string(480.0f, text, 8);
    EXPECT_STREQ(text, "100.0000");
    effect.Hz2string(0.0f, text, 8);
    EXPECT_STREQ(text, "0.000000");
    effect.ms2string(4800.0f, text, 8);
    EXPECT_STREQ(text, "100.0000");
}

TEST(ValueTextTest, AShortBufferGetsAtMostMaxLenCharactersAndATerminator)
{
    TestEffect effect;
    char text[8];
    std::memset(text, 'x', sizeof(text));
    effect.float2string(1.5f, text, 3);
    EXPECT_EQ(std::string(text, 4), std::string("1.5\0", 4));
    EXPECT_EQ(text[4], 'x');

    std::memset(text, 'x', sizeof(text));
    effect.int2string(123456, text, 3);
    EXPECT_EQ(std::string(text, 4), std::string("123\0", 4));
    EXPECT_EQ(text[4], 'x');

    std::memset(text, 'x', sizeof(text));
    effect.dB2string(0.0f, text, 2);
    EXPECT_EQ(std::string(text, 3), std::string("-o\0", 3));
}

TEST(ValueTextTest, ANullBufferIsLeftAlone)
{
    TestEffect effect;
    effect.float2string(1.5f, nullptr, 8);
    effect.int2string(5, nullptr, 8);
    effect.dB2string(0.0f, nullptr, 8);
}

} // namespace
