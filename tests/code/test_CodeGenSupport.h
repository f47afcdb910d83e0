#pragma once

// Small builders shared by the code generation tests: project texts written record by
// record, bar item lists, a template folder made from section texts, and the generator,
// analysis and update of one project over one template folder.

#include "FileBytes.h"
#include "code/CodeUpdate.h"
#include "code/TemplateFiles.h"
#include "support/Marks.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace CodeGenTest {

inline QString Join(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

// A project text: record 1, the format header, the records added and the closing record.
class ProjectText
{
public:
    explicit ProjectText(const QString &location = {})
    {
        m_records << Join({"TEMPLATE", "45000.5", "", location}) << Join({"0", "1.4", "0"});
    }
    ProjectText &Create(const QString &path, int type, qint64 mask = 0, const QString &parent = {})
    {
        m_records << Join({"2", path, parent, QString::number(type), "0", "0", "100", "100",
                           QString::number(mask)});
        return *this;
    }
    ProjectText &Property(int code, const QString &value, const QString &id = {})
    {
        m_records << Join({"4", id, QString::number(code), "", "", value});
        return *this;
    }
    ProjectText &Raw(const QString &record)
    {
        m_records << record;
        return *this;
    }
    QString Text() const
    {
        return (QStringList(m_records) << Join({"0", "-1"})).join(Marks::AttributeMark());
    }

private:
    QStringList m_records;
};

// A bar's Items value from "id:level" entries.
inline QString BarItems(const QStringList &entries)
{
    QStringList out;
    for (const QString &e : entries) {
        const QStringList parts = e.split(QLatin1Char(':'));
        out << (QStringList{parts.value(0), parts.value(1, "1"), parts.value(0) + " caption"})
                   .join(Marks::SubValueMark());
    }
    return out.join(Marks::ValueMark());
}

// A folder with one template file whose sections 1 to 12 are given (index 0 = section 1);
// every section left empty gets a one-line stand-in so the file is complete.
class TemplateFolder
{
public:
    TemplateFolder(const QStringList &sections, const QString &mode = {},
                   const QString &name = "Test")
    {
        QString text = "[Info]\nType=Template\nStyle=0\nName=" + name + "\nMode=" + mode + "\n";
        for (int n = 1; n <= 12; ++n) {
            const QString body = sections.value(n - 1);
            text += QString("<<%1>>\n").arg(n)
                    + (body.isEmpty() ? QString("section %1").arg(n) : body) + "\n";
        }
        PutFileBytes(m_dir.path() + "/test.tpl", text.toUtf8());
    }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A small template whose application Close handler has its own label line, and whose
// startup section repeats its last line.
inline QStringList SmallSections()
{
    return {"* PROGRAM %%APP%%",
            "* HEADER\r\nHEAD.DONE = 1",
            "* STARTUP\r\nIF NOT(READY) THEN\r\nEND\r\nSHOW '%%FORM%%'\r\nEND",
            "* LOOP\r\nLOOP\r\nREPEAT",
            "* TRAILER\r\nSTOP",
            "* DECODER\r\nDECODE:\r\n%%DECODE%%\r\nRETURN\r\n"
            "BEGIN CASE __BEGIN_\r\nEND CASE __END_\r\nCASE A = '%%APP%%' __APP_\r\n"
            "CASE F = '%%FORM%%' __FORM_\r\nCASE C = '%%CONTROL%%' __CONTROL_\r\n"
            "CASE E = '%%EVENT%%' __EVENT_\r\nM = ARG __MENUVAR_\r\nCASE M = '%%MENU%%' __MENU_\r\n"
            "GOSUB %%TARGET%% __ACTION_",
            "%%TARGET%%:\r\n* EVENT %%Event%%\r\nRETURN",
            "%%TARGET%%:\r\n* FORM CLOSE\r\nRETURN",
            "%%TARGET%%:  * APP CLOSE\r\nDONE = 1\r\nRETURN",
            " ERRORS\r\nEND",
            "* DYNAMIC\r\nDYN:\r\nRETURN",
            " CUSTOM\r\nCUS:\r\nRETURN"};
}

// The generator, analysis and update of one project, item SHOP of file GUI.PROJECTS, over a
// template of the sections given or, when a folder is named, over the templates there.
struct CodeBench
{
    CodeBench(const QString &project, const QStringList &sections, const QString &folder = {})
        : dir(sections), templates(folder.isEmpty() ? dir.Path() : folder), analysis(templates),
          update(analysis), gen(templates)
    {
        analysis.SetProjectText(project);
        analysis.SetProjectLocation("GUI.PROJECTS", "SHOP");
        gen.SetProjectText(project);
        gen.SetProjectLocation("GUI.PROJECTS", "SHOP");
    }
    QString Program() { return gen.GenerateProgram(); }
    CodeAnalysisResult Analyze(const QString &text) { return analysis.Analyze(text); }
    // What is not right about the text, "" when it analyses as complete.
    std::string Faults(const QString &text)
    {
        const CodeAnalysisResult r = analysis.Analyze(text);
        if (!r.Analyzed)
            return r.Error.toStdString();
        QStringList faults;
        for (int piece = 0; piece < CodeAnalysisResult::PieceCount; ++piece) {
            if (r.PieceStatus[size_t(piece)] != CodeAnalysisResult::Present)
                faults << CodeAnalysis::PieceName(piece) + ": "
                              + CodeAnalysis::StatusName(r.PieceStatus[size_t(piece)]);
        }
        for (const QString &label : r.MissingHandlers)
            faults << "missing " + label;
        for (const QString &label : r.UnusedHandlers)
            faults << "unused " + label;
        return faults.join("; ").toStdString();
    }

    TemplateFolder dir;
    TemplateFiles templates;
    CodeAnalysis analysis;
    CodeUpdate update;
    modCodeGen gen;
};

} // namespace CodeGenTest
