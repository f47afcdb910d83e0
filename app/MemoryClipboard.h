#pragma once

#include "app/iClipboard.h"

// A clipboard held in memory: the headless tools' and the tests' stand-in for the desktop's.
// Two designers given the same one share their clipboard as two running designers would.
class MemoryClipboard final : public iClipboard
{
public:
    QString Text() const override;
    void SetText(const QString &text) override;
    // How often the text was set (tests check that refused commands leave it alone).
    int Writes() const { return m_writes; }

private:
    QString m_text;
    int m_writes = 0;
};
