// The event list read from a project text: one row per enabled event, bar items instead of
// bar events, every object's rows kept together, and texts that are not projects.
#include "code/EventList.h"

#include "support/GuiError.h"
#include "test_CodeGenSupport.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

using CodeGenTest::BarItems;
using CodeGenTest::ProjectText;

namespace {
QStringList Rows(const EventList &list)
{
    QStringList out;
    for (const EventRow &r : list.Rows())
        out << r.App + "*" + r.Form + "*" + r.Control + " " + r.Event;
    return out;
}

int ParseError(const QString &text)
{
    return ErrorOf([&] { EventList::FromProjectText(text); });
}
} // namespace

TEST(CodeGenEventList, RowsFollowMasksAndBarItems)
{
    const QString text =
        ProjectText(QStringList{"BP", "ORDERS.PROG", "0", "3"}.join(Marks::SubValueMark()))
            .Create("Orders", 0, 0x40000001)
            .Property(42, "Ann")
            .Property(41, "Line one\r\nLine two")
            .Create("Orders*Main", 5, 0x1)
            .Create("Orders*Main*Name", 16, 0x80 | 0x100)
            .Create("Orders*Main*Menu", 75, 0x20)
            .Property(26, BarItems({"File:1", "Open:2", "-:2", "*Exit:2", "Recent:2", "Doc1:3",
                                    "Help:1"}))
            .Create("Orders*Main*Tools", 77, 0x20)
            .Property(26, BarItems({"Cut:1", "Copy:2", "-:1", "*Print:1"}))
            .Create("Orders*Main*Status", 78, 0)
            .Property(26, BarItems({"Panel1"}))
            .Create("Orders*Main*Timer1", 35, 0x400000)
            .Text();
    const EventList list = EventList::FromProjectText(text);
    EXPECT_EQ(Rows(list), QStringList({
                              "Orders** Close",
                              "Orders** Quit",
                              "Orders*Main* Close",
                              "Orders*Main*Name Change",
                              "Orders*Main*Name Validate",
                              // submenu headers, separators and standard actions give no row
                              "Orders*Main*Menu MENU(Open)",
                              "Orders*Main*Menu MENU(Doc1)",
                              "Orders*Main*Menu MENU(Help)",
                              // every tool is clicked, whatever its level
                              "Orders*Main*Tools MENU(Cut)",
                              "Orders*Main*Tools MENU(Copy)",
                              // a status bar with clicks switched off has none
                              "Orders*Main*Timer1 Timer",
                          }));
    EXPECT_EQ(list.Rows()[5].Type, 75);
    EXPECT_EQ(list.ApplicationId(), "Orders");
    EXPECT_EQ(list.MainFormId(), "Main");
    EXPECT_EQ(list.Author(), "Ann");
    EXPECT_EQ(list.Description(), "Line one\r\nLine two");
    EXPECT_EQ(list.ProgramFile(), "BP");
    EXPECT_EQ(list.ProgramId(), "ORDERS.PROG");
    EXPECT_EQ(list.CodeStyle(), "0");
    EXPECT_EQ(list.Casing(), 3);
}

TEST(CodeGenEventList, RowsOfOneObjectStayTogether)
{
    // The application's own bar comes after its forms in the text, a property record names a
    // control explicitly, and an object is created twice: the decoder still sees each
    // application, form and control once.
    const QString text = ProjectText()
                             .Create("A", 0, 0x40000001)
                             .Create("A*F1", 5, 0x1)
                             .Create("A*F1*B1", 18, 0x20)
                             .Create("A*F2", 5, 0)
                             .Create("A*F2*B2", 18, 0x20)
                             .Create("A**MAIN", 75, 0x20)
                             .Property(26, BarItems({"Quit", "Quit"}))
                             .Property(99, "64", "A*F1*B1")
                             .Create("a*f1*b1", 18, 0x40)
                             .Text();
    EXPECT_EQ(Rows(EventList::FromProjectText(text)), QStringList({
                                                          "A** Close",
                                                          "A** Quit",
                                                          "A**MAIN MENU(Quit)",
                                                          "A*F1* Close",
                                                          "A*F1*B1 DblClick",
                                                          "A*F2*B2 Click",
                                                      }));
}

TEST(CodeGenEventList, ObjectsJoinTheirFormWhateverTheSpelling)
{
    // A control of an earlier form named later in another case, a form and a control named
    // below the current application and form, an ID beyond ASCII named in another case by a
    // property record, and a mask written with blanks.
    const QString text = ProjectText()
                             .Create("A", 0, 0)
                             .Create("A*F1", 5, 0)
                             .Create("A*F1*B1", 18, 0x20)
                             .Create("A*F2", 5, 0)
                             .Create("A*F2*B2", 18, 0x20)
                             .Create(QString::fromUtf8("A*F2*Ärger"), 18, 0)
                             .Create("a*f1*B3", 18, 0x20)
                             .Create("F3", 5, 0)
                             .Raw(CodeGenTest::Join({"2", "B4", "", "18", "0", "0", "1", "1", " 32 "}))
                             .Property(99, "64", QString::fromUtf8("a*f2*äRGER"))
                             .Text();
    EXPECT_EQ(Rows(EventList::FromProjectText(text)), QStringList({
                                                          "A*F1*B1 Click",
                                                          "a*f1*B3 Click",
                                                          "A*F2*B2 Click",
                                                          QString::fromUtf8("A*F2*Ärger DblClick"),
                                                          "A*F3*B4 Click",
                                                      }));
}

TEST(CodeGenEventList, TextsThatAreNotProjects)
{
    EXPECT_EQ(ParseError(""), 5005);
    EXPECT_EQ(ParseError("PROGRAM X\r\nCRT 'hello'\r\nEND"), 5005);
    EXPECT_EQ(ParseError(CodeGenTest::Join({"TEMPLATE", "1"}) + Marks::AttributeMark() + "1"), 5005);
    EXPECT_EQ(ParseError(ProjectText().Create("A", 0, 1).Raw("7").Text()), 5016);

    // A macro is read like a project; records that are not function records, unknown type
    // codes, short records and properties of unknown objects are passed over.
    QString macro = ProjectText()
                        .Create("A", 0, 0x40000000)
                        .Raw("remark")
                        .Raw("2")
                        .Create("A*X", 55, 0x20)
                        .Property(99, "32", "A*NOWHERE*X")
                        .Text();
    macro.replace(0, 8, "macro");
    EventList list;
    ASSERT_NO_THROW(list = EventList::FromProjectText(macro));
    EXPECT_EQ(Rows(list), QStringList({"A** Quit"}));

    // A project with no enabled event at all is no error.
    EXPECT_TRUE(EventList::FromProjectText(ProjectText().Create("A", 1).Text()).Rows().empty());
}
