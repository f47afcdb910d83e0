// Malformed project texts (truncated, binary, deep, huge, invalid codes, marks in IDs) end
// in reports, never in a crash, and every report uses the error layout.
#include "EditStack.h"
#include "FileBytes.h"
#include "LoaderTestSupport.h"
#include "app/DocumentStorage.h"
#include "model/clsControl.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
QString Sample()
{
    return DocumentStorage::ToMemoryForm(QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/examples/orders.gui")));
}

std::vector<std::pair<QString, QString>> Corpus()
{
    std::vector<std::pair<QString, QString>> corpus;
    const QString sample = Sample();
    for (int cut : {1, 9, 30, 200, int(sample.size() / 2), int(sample.size() - 3)})
        corpus.emplace_back(QStringLiteral("truncated at %1").arg(cut), sample.left(cut));

    QRandomGenerator random(20240601);
    for (int n = 0; n < 8; ++n) {
        QByteArray bytes(2000 + n * 500, Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        corpus.emplace_back(QStringLiteral("binary %1").arg(n), QString::fromLatin1(bytes));
        // Binary behind a valid head.
        corpus.emplace_back(QStringLiteral("binary body %1").arg(n),
                            Project({MinimalApp()}).section(QChar(Marks::Attribute), 0, 1)
                                + QChar(Marks::Attribute) + QString::fromLatin1(bytes));
    }
    // Shuffled records of the sample.
    QStringList recs = sample.split(QChar(Marks::Attribute));
    for (int n = 0; n < 6 && recs.size() > 3; ++n) {
        QStringList body = recs.mid(2);
        for (qsizetype i = body.size() - 1; i > 0; --i)
            body.swapItemsAt(i, random.bounded(int(i + 1)));
        corpus.emplace_back(QStringLiteral("shuffled %1").arg(n),
                            (recs.mid(0, 2) + body).join(QChar(Marks::Attribute)));
    }

    QStringList deep{MinimalApp(), Create("APP*F", 5), Create("APP*F*C0", 26)};
    for (int i = 1; i < 3000; ++i)
        deep << Create(QStringLiteral("APP*F*C%1").arg(i), 26, QStringLiteral("C%1").arg(i - 1));
    corpus.emplace_back("deep containers", Project(deep));

    QStringList many;
    for (int i = 0; i < 200000; ++i)
        many << QStringLiteral("entry %1").arg(i);
    corpus.emplace_back("huge list", Project({MinimalApp(), Create("APP*F", 5), Create("APP*F*L", 21),
                                              Prop(26, many.join(QChar(Marks::Value)))}));
    QStringList wide;
    for (int i = 0; i < 100000; ++i)
        wide << Record({"4", "", "22", "", "", "x"});
    corpus.emplace_back("many records", Project(QStringList{MinimalApp(), Create("APP*F", 5)} + wide));

    corpus.emplace_back("invalid codes", Project({MinimalApp(), Create("APP*F", 5), Create("APP*F*X", 12345),
                                                  Create("APP*F*Y", -1), Prop(-7, "x"), Prop(99999, "x"),
                                                  Record({"4", "", "22", "abc", "", "x"}),
                                                  Record({"6", "", "77"}), Record({"2147483648"}),
                                                  Record({"-5"})}));
    const QString svm(QChar(Marks::SubValue));
    corpus.emplace_back("marks in IDs", Project({MinimalApp(), Create("APP*F" + svm + "X", 5),
                                                 Create("APP*F", 5), Create("APP*F*A" + QString(QChar(Marks::Segment)), 15),
                                                 Create("APP*F*B", 15, "Z" + svm), Prop(22, "x", "APP*F*" + svm)}));
    corpus.emplace_back("too many parts", Project({MinimalApp(), Create("APP*F*G*H", 15), Create("*", 5)}));
    corpus.emplace_back("empty", QString());
    corpus.emplace_back("only marks", QString(5000, QChar(Marks::Attribute)));
    corpus.emplace_back("header only", Project({}));
    corpus.emplace_back("huge numbers", Project({Record({"2", "APP", "", "0", "1e300", "-1e300", "1e308", "nan", "99999999999"}),
                                                 Create("APP*F", 5, {}, "99999999", "-99999999")}));
    return corpus;
}
} // namespace

TEST(LoadCorpus, EveryMalformedTextEndsInReportsNotACrash)
{
    ASSERT_FALSE(Sample().isEmpty());
    for (const auto &[name, text] : Corpus()) {
        DesignerStack d;
        d.prompter.DuplicateAnswers.push_back({decltype(iPrompter::DuplicateIdAnswer{}.Choice)::Skip, {}});
        bool ok = true;
        EXPECT_NO_THROW(ok = d.designer.SetTemplate(text)) << qPrintable(name);
        if (!ok)
            EXPECT_FALSE(d.prompter.ReportTexts().empty()) << qPrintable(name) << ": failed without a report";
        for (const QString &report : d.prompter.ReportTexts())
            EXPECT_FALSE(report.isEmpty()) << qPrintable(name);
        // Whatever was loaded can be written again.
        for (clsControl *app : d.designer.LastLoad().Applications)
            EXPECT_NO_THROW(d.designer.GetTemplate(app->FullID(), {}, 0)) << qPrintable(name);
        EXPECT_NO_THROW(d.designer.ReleaseAll()) << qPrintable(name);
    }
}

TEST(LoadCorpus, TheSampleLoadsCleanlyAndWritesBackTheSame)
{
    DesignerStack d;
    const QString sample = Sample();
    ASSERT_TRUE(d.designer.SetTemplate(sample));
    EXPECT_TRUE(d.prompter.Calls.empty());
    const QString written = d.designer.GetTemplate("ORDERS", "Order entry", 0);
    // Record 1 differs only in the time of writing and the program location the save adds.
    EXPECT_EQ(written.section(QChar(Marks::Attribute), 1), sample.section(QChar(Marks::Attribute), 1));
}
