// Colour names: the two tables, RGB of system colours from the installed platform metrics,
// the description texts, and reading and writing colour values as projects store them.
#include "support/ColourNames.h"
#include "support/PlatformMetrics.h"

#include <gtest/gtest.h>

namespace {

// Installs changed metrics for one test and puts the previous ones back.
class MetricsOverride
{
public:
    explicit MetricsOverride(const PlatformMetrics &metrics) : m_saved(PlatformMetrics::Current())
    {
        PlatformMetrics::Install(metrics);
    }
    ~MetricsOverride() { PlatformMetrics::Install(m_saved); }

private:
    PlatformMetrics m_saved;
};

} // namespace

TEST(ColourNames, DescribesStandardAndCustomColours)
{
    EXPECT_EQ(DescribeColour(0x000080), "Dark Red (standard color) R=128 G=0 B=0");
    EXPECT_EQ(DescribeColour(0x800000), "Dark Blue (standard color) R=0 G=0 B=128");
    EXPECT_EQ(DescribeColour(0xFFFFFF), "White (standard color) R=255 G=255 B=255");
    EXPECT_EQ(DescribeColour(0x123456), "custom color: R=86 G=52 B=18");
}

TEST(ColourNames, SystemColoursFollowTheInstalledPlatform)
{
    const qint32 window = qint32(0x80000005u);
    EXPECT_EQ(DescribeColour(window), "Window Background (system color) R=255 G=255 B=255");

    PlatformMetrics changed = PlatformMetrics::Headless();
    changed.SystemColours[5] = 0x123456;
    MetricsOverride override(changed);
    EXPECT_EQ(ColourToRGB(window), 0x123456);
    EXPECT_EQ(ColourToRGB(0x123456), 0x123456);
    EXPECT_EQ(DescribeColour(window), "Window Background (system color) R=86 G=52 B=18");
    // The index sits in the low bits whatever else is set below the high bit.
    EXPECT_EQ(ColourToRGB(qint32(0x80FF0005u)), 0x123456);
    // An index beyond the platform's is black rather than a read past the palette.
    EXPECT_EQ(ColourToRGB(qint32(0x8000FFFFu)), 0);
    EXPECT_EQ(DescribeColour(qint32(0x80000040u)), "unknown system color 64 R=0 G=0 B=0");
}

TEST(ColourNames, TablesHoldTheirRowsInOrderAndSurviveASecondBuild)
{
    BuildColourTables();
    const QStringList standard = StandardColourNames();
    ASSERT_EQ(standard.size(), 16);
    EXPECT_EQ(standard.front(), "Black");
    EXPECT_EQ(standard.at(7), "Light Gray");

    const QStringList system = SystemColourNames();
    const QList<qint32> values = SystemColourValues();
    ASSERT_EQ(system.size(), 31);
    ASSERT_EQ(values.size(), 31);
    EXPECT_EQ(SystemColourTableCount(), 31);
    EXPECT_EQ(system.front(), "3D Dark Shadow");
    EXPECT_EQ(values.front(), qint32(0x80000015u));
    EXPECT_EQ(system.back(), "Window Text");
    EXPECT_EQ(values.at(system.indexOf("Scrollbar")), qint32(0x80000000u));

    BuildColourTables();
    EXPECT_EQ(StandardColourNames().size(), 16);
    EXPECT_EQ(SystemColourNames(), system);
    EXPECT_EQ(SystemColourValues(), values);
}

TEST(ColourNames, SystemTableKeepsOnlyAcceptedIndexesAndBuildsOnce)
{
    PlatformMetrics rejecting = PlatformMetrics::Headless();
    rejecting.SystemColourAccepted[25] = false;
    {
        MetricsOverride override(rejecting);
        ClearColourTables();
        BuildColourTables();
        EXPECT_EQ(SystemColourTableCount(), 30);
        EXPECT_FALSE(SystemColourNames().contains("Alternate Button Face"));
        EXPECT_EQ(DescribeColour(qint32(0x80000019u)), "unknown system color 25 R=181 G=181 B=181");

        // A second build leaves the rows as they are, even under other metrics.
        PlatformMetrics other = rejecting;
        other.SystemColourAccepted[5] = false;
        PlatformMetrics::Install(other);
        BuildColourTables();
        EXPECT_EQ(SystemColourTableCount(), 30);
        EXPECT_TRUE(SystemColourNames().contains("Window Background"));
    }
    {
        // An empty system table is built again on the next request.
        PlatformMetrics none = PlatformMetrics::Headless();
        none.SystemColourAccepted.fill(false);
        MetricsOverride override(none);
        ClearColourTables();
        BuildColourTables();
        EXPECT_TRUE(SystemColourNames().isEmpty());
        EXPECT_EQ(DescribeColour(qint32(0x80000005u)), "unknown system color 5 R=255 G=255 B=255");
    }
    EXPECT_EQ(SystemColourTableCount(), 31);
    ClearColourTables();
}

TEST(ColourNames, ParsesAndFormatsStoredValues)
{
    struct Case
    {
        const char *Text;
        bool Ok;
        qint32 Value;
    };
    const Case cases[] = {
        {"&H80000005", true, qint32(0x80000005u)},
        {"&h8000000f&", true, qint32(0x8000000Fu)},
        {" &HFF& ", true, 0xFF},
        {"&HFFFF", true, 0xFFFF},
        {"255", true, 255},
        {"-2147483643", true, qint32(0x80000005u)},
        {"2147483653", true, qint32(0x80000005u)},
        {"", false, 0},
        {"&H", false, 0},
        {"&H123456789", false, 0},
        {"&HFG", false, 0},
        {"12a", false, 0},
        {"4294967296", false, 0},
        {"-2147483649", false, 0},
        {"1.5", false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Text);
        qint32 value = 77;
        EXPECT_EQ(ParseColourValue(QString::fromLatin1(c.Text), value), c.Ok);
        if (c.Ok)
            EXPECT_EQ(value, c.Value);
    }

    EXPECT_EQ(FormatColourValue(qint32(0x80000005u)), "&H80000005");
    EXPECT_EQ(FormatColourValue(0x00FF00), "65280");
    for (qint32 value : {qint32(0x8000000Fu), 0, 0xFFFFFF, qint32(0x80000018u)}) {
        qint32 back = 0;
        EXPECT_TRUE(ParseColourValue(FormatColourValue(value), back));
        EXPECT_EQ(back, value);
    }
}
