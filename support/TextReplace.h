#pragma once

#include <QString>
#include <QStringView>

// The text with every `from` replaced by `to`, made in one pass into a buffer of the final
// size. Qt's replace in place moves the rest of the text again for every thousand or so
// replacements, longer or shorter, which grows with the square of a big project or program.
QString ReplacedEach(QStringView text, QStringView from, QStringView to);
QString ReplacedEach(QStringView text, QChar from, QStringView to);
