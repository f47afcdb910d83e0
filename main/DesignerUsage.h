#pragma once

#include <QByteArray>
#include <QStringList>

// The designer's answers to --help, -h and --version, given before any window is made, so
// they work without a display. Every other argument is left to the designer's own command
// line (the "/" switches and document names).
namespace DesignerUsage {

// The text to print for the arguments (argv without the program), or an empty text when
// none of them asks for help or the version.
QByteArray InfoText(const QStringList &arguments);

} // namespace DesignerUsage
