// Placeholder substitution: every name, the casing taken from the spelling, the lines that
// drop out when a value they need is missing, multi-line texts laid out under their prefix,
// and text that only looks like a placeholder.
#include "code/Placeholders.h"

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
TemplateVariables Sample()
{
    TemplateVariables v;
    v.ProjFile = "GUI.PROJECTS";
    v.ProjId = "Orders";
    v.App = "ORDERS";
    v.Form = "MAIN_FORM";
    v.Control = "txtName";
    v.Menu = "FILE.OPEN";
    v.Event = "Click";
    v.Target = "ORDERS.MAIN_FORM.TXTNAME.CLICK";
    v.Author = "Ann Smith";
    v.Copyright = "(c) Example Ltd";
    v.Desc = "Order entry";
    v.Extra = "CASE 1";
    return v;
}

struct Row {
    const char *text;
    const char *expected;
};

QString Sub(const QString &text, const TemplateVariables &v = Sample(), const QString &extra = "DECODE")
{
    return Placeholders::SubstituteVariables(text, v, extra);
}
} // namespace

TEST(Placeholders, EveryNameAndItsCasing)
{
    const Row rows[] = {
        {"%%PROJFILE%% %%PROJID%%", "GUI.PROJECTS Orders"},
        {"%%projfile%%/%%projid%%", "GUI.PROJECTS/Orders"}, // never cased
        {"%%APP%% %%app%% %%App%%", "ORDERS orders Orders"},
        {"%%FORM%%|%%form%%|%%Form%%", "MAIN_FORM|main_form|Main_Form"},
        {"%%CONTROL%%|%%control%%|%%Control%%", "TXTNAME|txtname|txtName"}, // mixed part kept
        {"%%MENU%%|%%Menu%%", "FILE.OPEN|File.Open"},
        {"%%EVENT%%|%%event%%|%%Event%%", "CLICK|click|Click"},
        {"GOSUB %%TARGET%%", "GOSUB ORDERS.MAIN_FORM.TXTNAME.CLICK"},
        {"%%target%%", "ORDERS.MAIN_FORM.TXTNAME.CLICK"}, // the label comes cased already
        {"* by %%AUTHOR%%", "* by Ann Smith"},
        {"%%Proj_File%% %%P-R-O-J-I-D%% %%_app%%", "GUI.PROJECTS Orders orders"},
        {"%%aPP%% %%_APP%% %%1App%%", "ORDERS ORDERS ORDERS"}, // unchanged
        {"x%%DECODE%%y %%decode%%", "xCASE 1y CASE 1"},
        {"[%%NOSUCH%%][%%%%]", "[][]"},
        {"no placeholders at all", "no placeholders at all"},
        {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Sub(row.text), row.expected) << row.text;

    // The extra name is matched as written: a name whose letters alone match is not it.
    EXPECT_EQ(Sub("%%DE_CODE%%"), "");
    EXPECT_EQ(Sub("%%DECODE%%", Sample(), ""), "");
}

TEST(Placeholders, CasingRuleAndMixedCase)
{
    using C = Placeholders::Casing;
    const std::pair<const char *, C> spellings[] = {
        {"APP", C::Upper},     {"app", C::Lower},       {"a", C::Lower},         {"_a", C::Lower},
        {"App", C::Mixed},     {"aPP", C::Unchanged},   {"A_PP", C::Unchanged},  {"", C::Unchanged},
    };
    for (const auto &[name, casing] : spellings)
        EXPECT_EQ(Placeholders::CasingOf(name), casing) << name;

    const Row mixed[] = {
        {"ORDERS", "Orders"},
        {"orders", "Orders"},
        {"MAIN_FORM", "Main_Form"},
        {"FORM1B", "Form1B"},
        {"txtName", "txtName"},
        {"APP.txtName.CLICK", "App.txtName.Click"},
        {"..A.", "..A."},
        {"ÄPFEL.über", "Äpfel.Über"},
        {"", ""},
    };
    for (const Row &row : mixed)
        EXPECT_EQ(Placeholders::MixedCase(QString::fromUtf8(row.text)), QString::fromUtf8(row.expected))
            << row.text;
}

TEST(Placeholders, MissingRequiredValueDropsTheWholeText)
{
    struct Case {
        QString TemplateVariables::*field;
        const char *text;
    };
    const Case cases[] = {
        {&TemplateVariables::ProjFile, "OPEN '%%PROJFILE%%' TO F"},
        {&TemplateVariables::ProjId, "* Project item: %%PROJID%%"},
        {&TemplateVariables::App, "CASE APP = '%%APP%%'"},
        {&TemplateVariables::Event, "CASE EV = '%%event%%'"},
        {&TemplateVariables::Target, "GOSUB %%TARGET%%"},
    };
    for (const Case &c : cases) {
        TemplateVariables v = Sample();
        v.*(c.field) = QString();
        EXPECT_EQ(Sub(QStringLiteral("line 1\r\n") + c.text + "\r\nline 3", v), "") << c.text;
    }
    // Values that may be empty leave the text in place.
    TemplateVariables v = Sample();
    v.Form.clear();
    v.Control.clear();
    v.Menu.clear();
    v.Author.clear();
    v.Copyright.clear();
    v.Desc.clear();
    EXPECT_EQ(Sub("F='%%FORM%%' C='%%CONTROL%%' M='%%MENU%%' [%%AUTHOR%%][%%COPYRIGHT%%][%%DESC%%]", v),
              "F='' C='' M='' [][][]");
}

TEST(Placeholders, MultiLineTextsContinueUnderTheirPrefix)
{
    TemplateVariables v = Sample();
    v.Desc = "First line\r\nsecond line\nthird line\r\n\r\n";
    EXPECT_EQ(Sub("  * Purpose: %%DESC%%\r\nEND", v),
              "  * Purpose: First line\r\n"
              "  *          second line\r\n"
              "  *          third line\r\nEND");

    // "!" and "*" survive in the prefix; everything else, tabs too, becomes blank; the prefix
    // is the output line, so a value substituted earlier on the line counts at its length.
    v.Copyright = "A\rB";
    EXPECT_EQ(Sub("x\r\n!*\t%%APP%%: %%COPYRIGHT%%", v), "x\r\n!*\tORDERS: A\r\n!*         B");

    // A single line and a value of nothing but line breaks.
    v.Desc = "only\r\n";
    EXPECT_EQ(Sub("* %%DESC%%.", v), "* only.");
    v.Desc = "\r\n\r\n";
    EXPECT_EQ(Sub("* %%DESC%%.", v), "* .");
}

TEST(Placeholders, CasingAndNamesBeyondAscii)
{
    // Plain ASCII IDs are cased by a shortcut, others by the general mapping: both must give
    // what upper- and lower-casing give.
    using C = Placeholders::Casing;
    EXPECT_EQ(Placeholders::ApplyCasing("Orders.Main_1$", C::Upper), "ORDERS.MAIN_1$");
    EXPECT_EQ(Placeholders::ApplyCasing("ORDERS", C::Upper), "ORDERS");
    EXPECT_EQ(Placeholders::ApplyCasing("ORDERS.X1", C::Lower), "orders.x1");
    EXPECT_EQ(Placeholders::ApplyCasing(QString::fromUtf8("Straße.öl"), C::Upper),
              QString::fromUtf8("STRASSE.ÖL"));
    EXPECT_EQ(Placeholders::ApplyCasing(QString::fromUtf8("ÄPFEL.Birne"), C::Lower),
              QString::fromUtf8("äpfel.birne"));

    // A name's letters count in upper case, a long s as an S; a name with more letters than
    // any known one is unknown.
    EXPECT_EQ(Sub(QString::fromUtf8("* [%%deſc%%][%%a_p_p%%][%%COPYRIGHTS%%][%%Decode%%]")),
              "* [Order entry][orders][][CASE 1]");

    // A value of several lines after another on the same line: the second is laid out under
    // the line the first one ended.
    TemplateVariables v = Sample();
    v.Desc = "a\r\nb";
    v.Copyright = "c\r\nd";
    EXPECT_EQ(Sub("* %%DESC%% %%COPYRIGHT%%", v), "* a\r\n* b c\r\n*   d");
}

TEST(Placeholders, TextThatOnlyLooksLikeAPlaceholderIsKept)
{
    EXPECT_EQ(Sub("X = 100%% OF Y"), "X = 100%% OF Y");
    EXPECT_EQ(Sub("%%APP%% then %%APP"), "ORDERS then %%APP");
    // A "%%" on one line never pairs with one on a later line.
    EXPECT_EQ(Sub("RATE = 5%%\r\nCASE '%%APP%%'"), "RATE = 5%%\r\nCASE 'ORDERS'");
    EXPECT_EQ(Sub("%%%APP%%"), "ORDERS"); // the name "%APP" has the letters APP
}

TEST(Placeholders, DateFollowsSourceDateEpoch)
{
    const QByteArray saved = qgetenv("SOURCE_DATE_EPOCH");
    qputenv("SOURCE_DATE_EPOCH", "86399"); // the last second of 1 January 1970, UTC
    EXPECT_EQ(Placeholders::Today(), QDate(1970, 1, 1));
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    EXPECT_EQ(Placeholders::Today(), QDate(2023, 11, 14));
    const QString text = Sub("* Created %%DATE%% by %%AUTHOR%%");
    EXPECT_EQ(text, "* Created " + Placeholders::GeneralDate(QDate(2023, 11, 14)) + " by Ann Smith");
    EXPECT_TRUE(text.contains("2023")) << qPrintable(text);

    qputenv("SOURCE_DATE_EPOCH", "not a number");
    EXPECT_EQ(Placeholders::Today(), QDate::currentDate());
    if (saved.isNull())
        qunsetenv("SOURCE_DATE_EPOCH");
    else
        qputenv("SOURCE_DATE_EPOCH", saved);
}

TEST(Placeholders, HugeAndHostileTextFinishes)
{
    // Ten megabytes on one line with many placeholders and a multi-line value deep inside:
    // substitution stays linear, so this finishes at once instead of hanging.
    TemplateVariables v = Sample();
    v.Desc = "a\r\nb";
    QString line = "*" + QString(4'999'999, 'x') + "* %%DESC%% ";
    while (line.size() < 10'000'000)
        line += QStringLiteral("0123 %%App%% ");
    const QString out = Sub(line, v);
    const qsizetype lineBreak = out.indexOf(QStringLiteral("\r\n"));
    EXPECT_EQ(lineBreak, 5'000'000 + 3);
    EXPECT_EQ(out.count(QStringLiteral("\r\n")), 1);
    EXPECT_EQ(out.count(QStringLiteral("Orders")), line.count(QStringLiteral("%%App%%")));
    // The continuation is a comment indented by at most 1024 characters.
    EXPECT_EQ(out.mid(lineBreak + 2, 1027), "*" + QString(1023, ' ') + "b 0");

    // Control characters, marks and unpaired surrogates pass through.
    const char16_t in[] = {0, 0xF8FE, '%', '%', 'a', 'p', 'p', '%', '%', 0xD800, 4};
    const char16_t expected[] = {0, 0xF8FE, 'o', 'r', 'd', 'e', 'r', 's', 0xD800, 4};
    EXPECT_EQ(Sub(QString::fromUtf16(in, 11)), QString::fromUtf16(expected, 10));
}
