// What decides about rebuilding the decoder: the event signature behind the status-bar notice
// and the preference logic of the rebuild question.
#include "code/CodeDecoderQuestion.h"
#include "code/EventSignature.h"

#include "test_CodeGenSupport.h"

#include <gtest/gtest.h>

using CodeGenTest::BarItems;
using CodeGenTest::ProjectText;

namespace {
QString Project(qint64 buttonMask, const QStringList &menu, const QString &caption = "Save",
                const QString &id = "Shop*Main*Ok")
{
    return ProjectText()
        .Create("Shop", 1, 0x40000000)
        .Create("Shop*Main", 6, 0x1)
        .Create(id, 18, buttonMask)
        .Property(22, caption)
        .Create("Shop*Main*mnu", 75, 0x20)
        .Property(26, BarItems(menu))
        .Text();
}
} // namespace

TEST(CodeUpdateDecoder, EventSignatureFollowsWhatTheDecoderDependsOn)
{
    const QString base = EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:2"}));
    EXPECT_FALSE(base.isEmpty());

    // Captions and the letter case of IDs do not matter, nor items the decoder never routes.
    EXPECT_EQ(EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:2"}, "Store")), base);
    EXPECT_EQ(EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:2"}, "Save", "SHOP*MAIN*OK")),
              base);
    EXPECT_EQ(EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:2", "*Window:1"})), base);

    // Events switched on or off, and items added or moved, do.
    EXPECT_NE(EventSignature::OfProjectText(Project(0x60, {"File:1", "Open:2"})), base);
    EXPECT_NE(EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:2", "Close:2"})), base);
    EXPECT_NE(EventSignature::OfProjectText(Project(0x20, {"File:1", "Open:1"})), base);

    // Objects that raise nothing may stand anywhere; the order of those that do counts.
    const auto withLabel = [](bool labelFirst, qint64 labelMask) {
        ProjectText text;
        text.Create("Shop", 1, 0x40000000).Create("Shop*Main", 6, 0x1);
        if (labelFirst)
            text.Create("Shop*Main*Lbl", 15, labelMask);
        text.Create("Shop*Main*Ok", 18, 0x20);
        if (!labelFirst)
            text.Create("Shop*Main*Lbl", 15, labelMask);
        return EventSignature::OfProjectText(text.Text());
    };
    EXPECT_EQ(withLabel(true, 0), withLabel(false, 0));
    EXPECT_NE(withLabel(true, 0x20), withLabel(false, 0x20));
    EXPECT_NE(withLabel(true, 0x20), withLabel(true, 0));

    EXPECT_EQ(EventSignature::DecoderNotice(base, base), QString());
    EXPECT_EQ(EventSignature::DecoderNotice(base, "older"), "Event decoder may require updating!");
}

TEST(CodeUpdateDecoder, QuestionAndPreference)
{
    using Q = CodeDecoderQuestion;
    struct Row
    {
        bool needsUpdate;
        int preference;
        int answer; // -1: must not be asked
        bool rebuild;
        int keep;
    };
    const Row rows[] = {
        {false, Q::Ask, -1, false, Q::Ask},
        {true, Q::AlwaysRebuild, -1, true, Q::AlwaysRebuild},
        {true, Q::NeverRebuild, -1, false, Q::NeverRebuild},
        {true, Q::Ask, Q::Yes, true, Q::Ask},
        {true, Q::Ask, Q::No, false, Q::Ask},
        {true, Q::Ask, Q::Always, true, Q::AlwaysRebuild},
        {true, Q::Ask, Q::Never, false, Q::NeverRebuild},
        {true, 7, Q::Yes, true, Q::Ask}, // a damaged setting asks
    };
    for (const Row &row : rows) {
        bool asked = false;
        const Q::Decision d = Q::Decide(row.needsUpdate, row.preference, [&] {
            asked = true;
            return row.answer;
        });
        EXPECT_EQ(asked, row.answer >= 0) << row.preference << " " << row.answer;
        EXPECT_EQ(d.Rebuild, row.rebuild) << row.preference << " " << row.answer;
        EXPECT_EQ(d.Preference, row.keep) << row.preference << " " << row.answer;
    }
    EXPECT_EQ(Q::QuestionText(), "GUI support code for the event decoder needs to be updated. "
                                 "Automatically rebuild the decoder?");
    EXPECT_EQ(Q::ButtonTexts(), (QStringList{"&Yes", "&No", "&Always", "Neve&r"}));
}
