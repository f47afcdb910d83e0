#pragma once

#include <QtGlobal>
#include <array>

// Facts about the screen and the desktop that the designer sizes and colours things by.
// Headless, the fixed values below apply (96 dpi, a classic light palette); the GUI fills
// them from Qt at start-up with QtPlatformMetrics.
struct PlatformMetrics
{
    static constexpr int SystemColourCount = 31;

    int TwipsPerPixelX = 15;
    int TwipsPerPixelY = 15;
    int SizingFrameWidth = 4;   // pixels, one side
    int SizingFrameHeight = 4;  // pixels, one side
    int CaptionHeight = 23;     // pixels
    int VirtualScreenLeft = 0;  // pixels
    int ColourDepth = 32;       // bits per pixel
    int DoubleClickTime = 500;  // milliseconds

    // RGB (0x00BBGGRR) of each system-colour index; an index the platform does not accept
    // as a colour is marked false in SystemColourAccepted.
    std::array<quint32, SystemColourCount> SystemColours{};
    std::array<bool, SystemColourCount> SystemColourAccepted{};

    // The fixed headless values.
    static PlatformMetrics Headless();

    // The metrics in force for this process: Headless() until Install() replaces them.
    static const PlatformMetrics &Current();
    static void Install(const PlatformMetrics &metrics);
};
