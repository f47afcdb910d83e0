#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;

// corvane render: draws forms of a project as the design surface shows them, to PNG files.
// It is the one command that needs widgets; it runs on the offscreen platform.

// Whether the command line asks for the render command (before any application exists).
bool IsRenderCommand(int argc, char *argv[]);
// The application the render command runs in: widgets on the offscreen platform.
std::unique_ptr<QCoreApplication> CreateRenderApplication(int &argc, char *argv[]);

// Largest side of a rendered picture, in pixels.
inline constexpr int MaxRenderSide = 8192;
