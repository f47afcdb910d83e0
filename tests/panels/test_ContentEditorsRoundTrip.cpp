// Every compound property of the sample projects and of random content comes back byte for
// byte from its editor model when the user changes nothing.
#include "panels/BarEditorModel.h"
#include "EditStack.h"
#include "FileBytes.h"
#include "app/DocumentStorage.h"
#include "panels/ListPropsModel.h"
#include "panels/OptionGridModel.h"
#include "panels/TreeEditorModel.h"
#include "model/clsControl.h"
#include "support/Marks.h"

#include <QDir>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));

// Stored values for the item list editor: what the item holds for every code the editor
// reads, as the sheet hands them over.
ListPropsModel::Values StoredValues(const clsControl &item, const ListPropsModel &shape)
{
    ListPropsModel::Values values;
    std::vector<int> codes = shape.ColumnCodes();
    for (int code : {1, 26, 27, 28, 33, 39, 53, 55, 56, 70, 23, 97, 98})
        codes.push_back(code);
    for (int code : codes) {
        if (item.IsNonDefault(code))
            values[code] = item.GetProperty(code);
    }
    return values;
}

// Checks one item; returns how many compound properties were compared.
int CheckItem(const clsControl &item)
{
    const int type = item.ObjType();
    const QString where = item.FullID();
    if (type >= 75 && type <= 78) {
        const QString stored = item.GetProperty(26);
        BarEditorModel model(type);
        EXPECT_TRUE(model.Load(stored).isEmpty()) << qPrintable(where);
        EXPECT_EQ(model.Store(), stored) << qPrintable(where);
        EXPECT_TRUE(model.Validate().isEmpty()) << qPrintable(where);
        return 1;
    }
    if (type == 33) {
        const QString stored = item.GetProperty(26);
        TreeEditorModel model;
        EXPECT_TRUE(model.Load(stored).isEmpty()) << qPrintable(where);
        EXPECT_EQ(model.Store(), stored) << qPrintable(where);
        return 1;
    }
    if (type == 19) {
        OptionGridModel model;
        model.Load(item.GetProperty(26), item.GetProperty(1));
        EXPECT_EQ(model.StoreItems(), item.GetProperty(26)) << qPrintable(where);
        EXPECT_EQ(model.StoreValue(), item.GetProperty(1)) << qPrintable(where);
        return 1;
    }
    if ((type >= 21 && type <= 24) || type == 34 || type == 27 || type == 28) {
        ListPropsModel shape;
        shape.LoadProps(type, {});
        const ListPropsModel::Values values = StoredValues(item, shape);
        ListPropsModel model;
        model.LoadProps(type, values);
        EXPECT_TRUE(model.Changes().empty()) << qPrintable(where);
        for (const auto &[code, text] : model.Store())
            EXPECT_EQ(text, values.count(code) ? values.at(code) : QString()) << qPrintable(where) << " code " << code;
        return int(values.size());
    }
    return 0;
}

QString RandomText(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral("abcXYZ 019&*-_.|\\\t~é漢");
    QString text;
    const int n = random.bounded(6);
    for (int i = 0; i < n; ++i)
        text.append(alphabet[random.bounded(int(alphabet.size()))]);
    return text;
}

} // namespace

TEST(ContentEditorsRoundTrip, SampleProjects)
{
    int compared = 0;
    for (const QString &name : QDir(QStringLiteral(CORVANE_SOURCE_DIR "/examples")).entryList({"*.gui"})) {
        DesignerStack d;
        ASSERT_TRUE(d.designer.SetTemplate(DocumentStorage::ToMemoryForm(
            QString::fromUtf8(FileBytes(QStringLiteral(CORVANE_SOURCE_DIR "/examples/") + name)))));
        for (clsControl *item : d.items.InOrder())
            compared += CheckItem(*item);
        d.designer.ReleaseAll();
    }
    EXPECT_GT(compared, 8);
}

TEST(ContentEditorsRoundTrip, RandomContent)
{
    QRandomGenerator random(4711);
    for (int round = 0; round < 200; ++round) {
        // A bar with valid levels, unique IDs and arbitrary other parts.
        const int type = 75 + round % 4;
        QStringList entries;
        int level = 1;
        const int count = random.bounded(12);
        for (int i = 0; i < count; ++i) {
            if (type <= 76)
                level = 1 + random.bounded(level + (i == 0 ? 0 : 1));
            QStringList parts{i % 5 == 4 ? QStringLiteral("-") : QStringLiteral("ID%1").arg(i),
                              type <= 76 ? QString::number(level) : RandomText(random)};
            const int more = random.bounded(10);
            for (int p = 0; p < more; ++p)
                parts << (p == 2 || p == 3 ? QString::number(random.bounded(2))
                          : p == 7 ? QString::number(random.bounded(3) - 1)
                          : p == 8 ? QString::number(random.bounded(3))
                          : p == 4 ? QString::number(random.bounded(102))
                          : RandomText(random));
            entries << parts.join(sv);
        }
        const QString bar = entries.join(vm);
        BarEditorModel barModel(type);
        EXPECT_TRUE(barModel.Load(bar).isEmpty()) << round;
        EXPECT_EQ(barModel.Store(), bar) << round;

        // A tree: levels reachable, sibling IDs unique (a counter per entry).
        QStringList nodes;
        level = 1;
        const int nodeCount = random.bounded(15);
        for (int i = 0; i < nodeCount; ++i) {
            level = i == 0 ? 1 : 1 + random.bounded(level + 1);
            QStringList parts{QStringLiteral("N%1").arg(i), QString::number(level), RandomText(random)};
            const int more = random.bounded(4);
            for (int p = 0; p < more; ++p)
                parts << (p == 1 ? QString::number(random.bounded(8)) : RandomText(random));
            nodes << parts.join(sv);
        }
        TreeEditorModel treeModel;
        EXPECT_TRUE(treeModel.Load(nodes.join(vm)).isEmpty()) << round;
        EXPECT_EQ(treeModel.Store(), nodes.join(vm)) << round;

        // A grid's cells and column settings, ragged rows included.
        ListPropsModel::Values values;
        QStringList rows;
        for (int r = random.bounded(6); r > 0; --r) {
            QStringList cells;
            for (int c = random.bounded(5); c >= 0; --c)
                cells << RandomText(random).remove(QLatin1Char('\t'));
            rows << cells.join(sv);
        }
        values[ListPropsModel::Value] = rows.join(vm);
        values[ListPropsModel::ColHeading] = QStringList{RandomText(random), RandomText(random)}.join(vm);
        values[ListPropsModel::Columns] = QString::number(random.bounded(6));
        // Cell icons and per-column checks, as ragged as the cells.
        values[ListPropsModel::Icon] = QStringList{RandomText(random), sv + RandomText(random), QString()}.join(vm);
        values[ListPropsModel::MaxLen] = QString::number(random.bounded(99));
        values[ListPropsModel::Required] = QStringLiteral("1");
        // Per-column switches, the heading and new-line switches, drop-down lists with and
        // without their heading row.
        values[ListPropsModel::ReadOnly] = QStringList{QString::number(random.bounded(2)), QString(), QStringLiteral("1")}
                                              .mid(0, 2 + random.bounded(2)).join(vm);
        if (random.bounded(2))
            values[ListPropsModel::MaxLen] = QString::number(random.bounded(99)) + vm + QString::number(random.bounded(99));
        values[ListPropsModel::HeadingRow] = QString::number(random.bounded(2));
        values[ListPropsModel::AutoExtend] = random.bounded(2) ? QStringLiteral("0") : QString();
        values[ListPropsModel::ColItems] = QStringList{
            RandomText(random) + "|" + RandomText(random) + sv + RandomText(random),
            QStringLiteral("*DROPDOWN|") + (random.bounded(2) ? "2" : "") + "|" + RandomText(random) + sv + "a|b",
            QString()}.join(vm);
        ListPropsModel gridModel;
        gridModel.LoadProps(28, values);
        EXPECT_TRUE(gridModel.Changes().empty()) << round;
        ListPropsModel listModel;
        values[ListPropsModel::Items] = values[ListPropsModel::Value];
        listModel.LoadProps(21, values);
        EXPECT_TRUE(listModel.Changes().empty()) << round;
    }
}
