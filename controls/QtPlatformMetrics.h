#pragma once

#include "support/PlatformMetrics.h"

// Platform metrics read from the running QApplication: screen resolution, window frame and
// caption sizes of the current style, colour depth, double-click interval and the system
// colours taken from the application palette. Needs a QApplication.
namespace QtPlatformMetrics {

PlatformMetrics FromQt();

// FromQt() installed as the process's metrics (PlatformMetrics::Install).
void InstallFromQt();

} // namespace QtPlatformMetrics
