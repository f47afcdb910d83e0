#pragma once

#include "app/iClipboard.h"

// The desktop's clipboard through Qt: Unicode text, shared with other programs and with
// other running designers.
class QtClipboard final : public iClipboard
{
public:
    QString Text() const override;
    void SetText(const QString &text) override;
};
