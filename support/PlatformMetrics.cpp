#include "support/PlatformMetrics.h"

namespace {

// A light classic desktop palette, as 0x00BBGGRR, by system-colour index.
constexpr std::array<quint32, PlatformMetrics::SystemColourCount> ClassicPalette{
    0xC8C8C8, //  0 scroll bar
    0x808000, //  1 desktop
    0x6A240A, //  2 active caption
    0x808080, //  3 inactive caption
    0xC8D0D4, //  4 menu
    0xFFFFFF, //  5 window
    0x000000, //  6 window frame
    0x000000, //  7 menu text
    0x000000, //  8 window text
    0xFFFFFF, //  9 caption text
    0xC8D0D4, // 10 active border
    0xC8D0D4, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlighted text
    0xC8D0D4, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC8D0D4, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3D dark shadow
    0xC8D0D4, // 22 3D light
    0x000000, // 23 tool tip text
    0xE1FFFF, // 24 tool tip background
    0xB5B5B5, // 25 alternate button face
    0x800000, // 26 hot-tracked item
    0xF0CAA6, // 27 active caption gradient
    0xC0C0C0, // 28 inactive caption gradient
    0xC56A31, // 29 menu highlight
    0xC8D0D4, // 30 menu bar
};

PlatformMetrics &Installed()
{
    static PlatformMetrics metrics = PlatformMetrics::Headless();
    return metrics;
}

} // namespace

PlatformMetrics PlatformMetrics::Headless()
{
    PlatformMetrics metrics;
    metrics.SystemColours = ClassicPalette;
    metrics.SystemColourAccepted.fill(true);
    return metrics;
}

const PlatformMetrics &PlatformMetrics::Current()
{
    return Installed();
}

void PlatformMetrics::Install(const PlatformMetrics &metrics)
{
    Installed() = metrics;
}
