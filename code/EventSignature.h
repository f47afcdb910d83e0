#pragma once

#include "code/EventList.h"

#include <QString>

// A short fingerprint of everything the event decoder depends on: for every object its
// upper-cased full ID, type code and event mask, and for the items of menus and bars their
// IDs and levels. The application item keeps the signature recorded when the decoder was
// last written; when the project's current signature differs, the status bar says the
// decoder may be stale.
class EventSignature
{
public:
    static QString Of(const EventList &project);
    // Raises GuiError 5005 or 5016 for a text that is not a project.
    static QString OfProjectText(const QString &projectText);

    // The status-bar notice: "Event decoder may require updating!" when the signatures
    // differ, "" otherwise.
    static QString DecoderNotice(const QString &current, const QString &recorded);
    static QString NoticeText();
};
