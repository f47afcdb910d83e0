// NumberFormat: numbers written with a point and no trailing zeros, invariant and locale
// reading, rounding to 2 decimals.
#include "support/NumberFormat.h"

#include <QLocale>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace NumberFormat;

TEST(NumberFormat, FormatWritesAPointAndNoTrailingZeros)
{
    EXPECT_EQ(Format(2.5), "2.5");
    EXPECT_EQ(Format(1440), "1440");
    EXPECT_EQ(Format(-0.25), "-0.25");
    EXPECT_EQ(Format(0), "0");
    EXPECT_EQ(Format(1.23456, 2), "1.23");
    EXPECT_EQ(Format(1.999, 2), "2");
    EXPECT_EQ(Format(-0.001, 2), "0");
    EXPECT_EQ(Format(12345678.5, 1), "12345678.5");
    EXPECT_EQ(Format(7.5, 0), "8");
    EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity()), "0");

    // The process locale must not leak into project texts.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Format(1234.5), "1234.5");
    QLocale::setDefault(saved);
}

TEST(NumberFormat, ParseInvariantTakesOnlyPlainNumbers)
{
    struct Case
    {
        const char *Text;
        bool Ok;
        double Value;
    };
    const Case cases[] = {
        {"2.5", true, 2.5},   {"-0.25", true, -0.25}, {"+3", true, 3},   {" 1440 ", true, 1440},
        {".5", true, 0.5},    {"5.", true, 5},        {"1e3", true, 1000}, {"1.5E-2", true, 0.015},
        {"", false, 0},       {" ", false, 0},        {"-", false, 0},   {".", false, 0},
        {"1,5", false, 0},    {"1 000", false, 0},    {"1,000", false, 0}, {"inf", false, 0},
        {"nan", false, 0},    {"0x10", false, 0},     {"1e", false, 0},  {"1e999", false, 0},
        {"12abc", false, 0},  {"--1", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Text);
        bool ok = !c.Ok;
        const double value = ParseInvariant(QString::fromLatin1(c.Text), &ok);
        EXPECT_EQ(ok, c.Ok);
        EXPECT_DOUBLE_EQ(value, c.Value);
    }
}

TEST(NumberFormat, WholeNumbersAgreeWithTheGeneralConversion)
{
    // Whole numbers are read and written past the general conversion; both roads must give
    // the same, the sign of zero included, on either side of where the shortcut ends.
    for (const char *text : {"0", "-0", "+0", "007", "-12", "+12", "999999999999999",
                             "-999999999999999", "1000000000000000", "9007199254740993",
                             "123456789012345678901234567890"}) {
        SCOPED_TRACE(text);
        bool ok = false;
        const double value = ParseInvariant(QString::fromLatin1(text), &ok);
        const double expected = QString::fromLatin1(text).toDouble();
        EXPECT_TRUE(ok);
        EXPECT_EQ(value, expected);
        EXPECT_EQ(std::signbit(value), std::signbit(expected));
    }
    EXPECT_EQ(Format(-0.0), "0");
    EXPECT_EQ(Format(-1440.0, 0), "-1440");
    EXPECT_EQ(Format(999999999999999.0, 2), "999999999999999");
    EXPECT_EQ(Format(1e15, 2), "1000000000000000");
    EXPECT_EQ(Format(-2.5e20, 2), "-250000000000000000000");
}

TEST(NumberFormat, ParseLocalReadsTheLocaleSeparator)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(ParseLocal("2,5", QLatin1Char(','), &ok), 2.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(ParseLocal("2.5", QLatin1Char('.'), &ok), 2.5);
    EXPECT_TRUE(ok);
    ParseLocal("2,5", QLatin1Char('.'), &ok);
    EXPECT_FALSE(ok);
    ParseLocal("1,234,5", QLatin1Char(','), &ok);
    EXPECT_FALSE(ok);
}

TEST(NumberFormat, Round2RoundsHalvesAwayFromZero)
{
    EXPECT_DOUBLE_EQ(Round2(1.234), 1.23);
    EXPECT_DOUBLE_EQ(Round2(1.235), 1.24);
    EXPECT_DOUBLE_EQ(Round2(-1.235), -1.24);
    EXPECT_DOUBLE_EQ(Round2(1440), 1440);
    EXPECT_FALSE(std::signbit(Round2(-0.001)));
    EXPECT_EQ(Format(Round2(2.0 / 3.0), 2), "0.67");
}
