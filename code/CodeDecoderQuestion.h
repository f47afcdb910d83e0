#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Before the designer jumps to an event handler it checks the event decoder. What happens
// when the decoder is stale depends on the user's preference, kept with the settings:
// ask, always rebuild or never rebuild. Asking offers Yes, No, Always and Never; Always and
// Never are remembered.
class CodeDecoderQuestion
{
public:
    enum Preference { Ask = 0, AlwaysRebuild = 1, NeverRebuild = 2 };
    enum Answer { No = 0, Yes = 1, Always = 2, Never = 3 };

    struct Decision
    {
        bool Rebuild = false;
        int Preference = Ask; // the preference to keep from now on
        bool Asked = false;
    };

    // ask shows the question (QuestionText with the buttons of ButtonTexts) and returns the
    // Answer; it is called only when the decoder needs an update and the preference is Ask.
    // An unknown preference counts as Ask, an unknown answer as No.
    static Decision Decide(bool decoderNeedsUpdate, int preference,
                           const std::function<int()> &ask);

    static QString QuestionText();
    // "&Yes", "&No", "&Always", "Neve&r", in the order of their results 1, 0, 2, 3.
    static QStringList ButtonTexts();
};
