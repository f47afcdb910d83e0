#include "code/CodeDecoderQuestion.h"

CodeDecoderQuestion::Decision CodeDecoderQuestion::Decide(bool decoderNeedsUpdate, int preference,
                                                          const std::function<int()> &ask)
{
    Decision d;
    if (preference != AlwaysRebuild && preference != NeverRebuild)
        preference = Ask;
    d.Preference = preference;
    if (!decoderNeedsUpdate || preference == NeverRebuild)
        return d;
    if (preference == AlwaysRebuild) {
        d.Rebuild = true;
        return d;
    }
    const int answer = ask ? ask() : No;
    d.Asked = true;
    switch (answer) {
    case Yes:
        d.Rebuild = true;
        break;
    case Always:
        d.Rebuild = true;
        d.Preference = AlwaysRebuild;
        break;
    case Never:
        d.Preference = NeverRebuild;
        break;
    default:
        break;
    }
    return d;
}

QString CodeDecoderQuestion::QuestionText()
{
    return QStringLiteral("GUI support code for the event decoder needs to be updated. "
                          "Automatically rebuild the decoder?");
}

QStringList CodeDecoderQuestion::ButtonTexts()
{
    return {QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("&Always"),
            QStringLiteral("Neve&r")};
}
