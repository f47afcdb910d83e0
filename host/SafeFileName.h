#pragma once

#include <QString>

// Reversible mapping between host, account, file and item names and single file-name
// components inside the MultiValue store.
//
// "%", "/", "\", control characters, the MultiValue marks and a leading "." are written as "%"
// and two upper-case hex digits per UTF-8 byte; everything else (case included) is kept. The
// empty name is written as a lone "%". So an encoded name is never empty, never holds "/", never
// begins with "." (no ".", "..", nor hidden names, which the store keeps for itself), and every
// name has exactly one encoding.
class SafeFileName
{
public:
    static QString Encode(const QString &name);
    // False when the component is not the encoding of any name (hidden entries, bad escapes).
    static bool Decode(const QString &component, QString &name);
};
