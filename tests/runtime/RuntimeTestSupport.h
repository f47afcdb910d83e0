#pragma once

// Shared by the runtime tests: the sample project as the host reads it, short command
// builders, event rows and a runtime that collects the events it returns.

#include "runtime/clsGuiRuntime.h"
#include "support/Marks.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace RuntimeTest {

inline QString Cmd(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

// A control's create record, at 1 from the left and `top` down, 20 by 4 units; a property
// record for the object created last.
inline QString Create(const QString &id, int type, const QString &top, qint64 mask, const QString &parent = {})
{
    return Cmd({"2", id, parent, QString::number(type), "1", top, "20", "4", QString::number(mask)});
}
inline QString Prop(int code, const QString &value) { return Cmd({"4", "", QString::number(code), "", "", value}); }

// A stored project: records separated by CR LF, as the attribute marks of an item.
inline QString ReadProject(const QString &name)
{
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/examples/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), Marks::AttributeMark());
    while (text.endsWith(Marks::AttributeMark()))
        text.chop(1);
    return text;
}

// An event row as the runtime reports it: the object, the event's mask, an empty field and
// the event's arguments.
inline QStringList EventRow(const QString &id, qint64 mask, const QStringList &args = {})
{
    return QStringList{id, QString::number(mask), QString()} + args;
}

// A runtime whose returned events are collected, for tests of what the user sees and does.
struct CollectingRuntime : ::testing::Test
{
    clsGuiRuntime runtime;
    QList<QStringList> rows;

    CollectingRuntime()
    {
        runtime.SetReturnResult([this](const GuiResult &r) { rows += r.Events; });
    }
    // Loads a project's text into the started runtime; every record must load.
    void LoadText(const QString &text)
    {
        const GuiResult loaded = runtime.Execute(Cmd({"11", "2", text}));
        for (const QStringList &row : loaded.Status)
            ASSERT_EQ(row.value(0), "0") << row.join("|").toStdString();
    }
    // Starts the runtime, loads a project of these records in the scale unit given and shows
    // the forms named.
    void Start(const QString &scale, const QStringList &records, const QStringList &shown)
    {
        QStringList text{QStringLiteral("TEMPLATE"), Cmd({"0", "1.4", scale})};
        text += records;
        text << Cmd({"0", "-1"});
        ASSERT_EQ(runtime.Execute(Cmd({"1", "1.4"})).Status.value(0).value(0), "0");
        LoadText(text.join(Marks::AttributeMark()));
        if (HasFatalFailure())
            return;
        for (const QString &id : shown)
            ASSERT_EQ(runtime.Execute(Cmd({"6", id, "2"})).Status.value(0).value(0), "0");
    }
    // The events waiting now and those returned since the last call.
    QList<QStringList> Take()
    {
        QList<QStringList> out = runtime.Execute("7").Events;
        QCoreApplication::processEvents();
        out += rows;
        rows.clear();
        return out;
    }
};

} // namespace RuntimeTest
