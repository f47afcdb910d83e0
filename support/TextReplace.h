#pragma once

#include <QString>
#include <QStringView>

// The text with every `from` replaced by `to`, made in one pass into a buffer of the final
// size. Replacing in place with a longer text moves the rest of the text again for every
// thousand or so replacements, which grows with the square of a big project or program.
QString ReplacedEach(QStringView text, QChar from, QStringView to);
