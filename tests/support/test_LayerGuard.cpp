// The layers keep to the house plan: every #include "folder/..." of the project's own code is
// checked against the folders that folder may use, so a layer that reaches above itself, or a
// headless layer that reaches a widget layer, fails here rather than in a later merge.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

namespace {
// What each folder may include, besides itself. A layer may use what the layers it names may
// use; "code:i" is code's interfaces only (its headers i*.h), "model:Vocabulary" the
// vocabulary alone.
const QHash<QString, QStringList> &Allowed()
{
    static const QHash<QString, QStringList> table = {
        {"support", {}},
        {"model", {"support"}},
        {"host", {"support"}},
        {"app", {"model", "host", "support"}},
        {"code", {"app", "model", "host", "support"}},
        // The rules of the windows, headless: they serve designer/ and stand on the core.
        {"panels", {"app", "model", "host", "support"}},
        // What tests and benchmarks share; the program never links it.
        {"testsupport", {"app", "model", "host", "support"}},
        {"controls", {"support", "model:Vocabulary"}},
        {"designer", {"panels", "code", "app", "model", "host", "controls", "support"}},
        // The runtime loads project text by the designer's own loading rules.
        {"runtime", {"support", "model", "controls", "code:i", "app:ProjectLoader", "app:iPrompter"}},
        // The editor reads programs and the keyword table as the generator writes them.
        {"quill", {"code:i", "code:CodeProgramText", "code:TemplateFiles", "code:TranslateKeywords",
                   "app", "model", "host", "support"}},
        {"cli", {"app", "code", "model", "host", "support"}},
        {"main", {"designer", "runtime", "quill", "controls", "panels", "code", "app", "model", "host", "support"}},
    };
    return table;
}

// The one command of the command-line tool that draws forms may use the widget layers.
bool IsRenderCommand(const QString &folder, const QString &file)
{
    return folder == "cli" && QFileInfo(file).completeBaseName() == "CliRender";
}

// Whether `folder/file` may include `target/header`.
bool MayInclude(const QString &folder, const QString &file, const QString &target, const QString &header)
{
    if (target == folder)
        return true;
    if (IsRenderCommand(folder, file) && (target == "designer" || target == "controls"))
        return true;
    for (const QString &rule : Allowed().value(folder)) {
        const QString layer = rule.section(':', 0, 0);
        const QString only = rule.section(':', 1);
        if (layer != target)
            continue;
        const QString name = QFileInfo(header).completeBaseName();
        if (only.isEmpty() || (only == "i" ? name.startsWith('i') : name == only))
            return true;
    }
    return false;
}
} // namespace

TEST(LayerGuard, TheTableSaysWhatTheHousePlanSays)
{
    struct Case { const char *folder, *file, *target, *header; bool allowed; };
    const Case cases[] = {
        {"app", "x.cpp", "model", "clsControl.h", true},
        {"app", "x.cpp", "code", "modCodeGen.h", false},
        {"model", "x.cpp", "app", "iPrompter.h", false},
        {"code", "x.cpp", "designer", "mdiMain.h", false},
        {"controls", "x.cpp", "model", "Vocabulary.h", true},
        {"controls", "x.cpp", "model", "clsControl.h", false},
        {"quill", "x.cpp", "code", "iCodeCommandHost.h", true},
        {"quill", "x.cpp", "code", "modCodeGen.h", false},
        {"runtime", "x.cpp", "app", "clsDesigner.h", false},
        {"cli", "CliRender.cpp", "designer", "frmDesign.h", true},
        {"cli", "CmdTree.cpp", "designer", "frmDesign.h", false},
        {"panels", "x.cpp", "app", "clsDesigner.h", true},
        {"panels", "x.cpp", "designer", "ucSizer.h", false},
        {"app", "x.cpp", "panels", "SizerModel.h", false},
        {"designer", "x.cpp", "panels", "PropertySheetModel.h", true},
        {"app", "x.cpp", "testsupport", "ScriptedPrompter.h", false},
        {"main", "main.cpp", "designer", "mdiMain.h", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MayInclude(c.folder, c.file, c.target, c.header), c.allowed)
            << c.folder << "/" << c.file << " -> " << c.target << "/" << c.header;
}

TEST(LayerGuard, EveryIncludeOfTheProjectKeepsToItsLayer)
{
    const QDir source(QStringLiteral(CORVANE_SOURCE_DIR));
    static const QRegularExpression include(R"re(^\s*#\s*include\s*"([A-Za-z_]+)/([^"]+)")re");
    QStringList violations;
    int checked = 0;
    for (auto it = Allowed().cbegin(); it != Allowed().cend(); ++it) {
        const QString folder = it.key();
        QDirIterator files(source.filePath(folder), {"*.h", "*.cpp"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
            int lineNumber = 0;
            while (!f.atEnd()) {
                const QString line = QString::fromUtf8(f.readLine());
                ++lineNumber;
                const QRegularExpressionMatch m = include.match(line);
                if (!m.hasMatch() || !Allowed().contains(m.captured(1)))
                    continue;
                ++checked;
                if (!MayInclude(folder, QFileInfo(path).fileName(), m.captured(1), m.captured(2)))
                    violations << QString("%1:%2: %3/%4").arg(source.relativeFilePath(path)).arg(lineNumber)
                                      .arg(m.captured(1), m.captured(2));
            }
        }
    }
    EXPECT_GT(checked, 300) << "the source tree was not found";
    EXPECT_TRUE(violations.isEmpty()) << violations.join('\n').toStdString();
}
