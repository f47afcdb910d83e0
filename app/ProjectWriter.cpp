#include "app/ProjectWriter.h"

#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QDate>
#include <QStringBuilder>
#include <cstdlib>
#include <vector>

using namespace Vocabulary;

namespace {
const QChar AM(Marks::Attribute);
const QChar VM(Marks::Value);

// The value of one property as stored, or nothing when it cannot be read.
bool ReadProperty(const clsControl &item, int code, QString &value)
{
    try {
        value = item.GetProperty(code, 0, 0, QString());
        return true;
    } catch (const GuiError &) {
        return false;
    }
}

QString Geometry(const clsControl &item, int code)
{
    QString value;
    return ReadProperty(item, code, value) ? value : QString();
}

void WriteOne(QString &out, const clsControl &item)
{
    const clsControl *parent = item.Parent();
    QString eventMask;
    try {
        eventMask = QString::number(item.EventMask());
    } catch (const GuiError &) {
    }
    // Each record is put together before it is appended: a project has many records of
    // many short fields.
    const QString container =
        parent && parent->ObjType() >= Type::Label ? parent->ID() : QString();
    out += AM % QLatin1Char('2') % VM % item.FullID() % VM % container % VM
           % QString::number(item.ObjType()) % VM % Geometry(item, Prop::Left) % VM
           % Geometry(item, Prop::Top) % VM % Geometry(item, Prop::Width) % VM
           % Geometry(item, Prop::Height) % VM % eventMask;

    for (int code : item.NonDefault()) {
        if (code == Prop::EventMask)
            continue;
        QString value;
        if (!ReadProperty(item, code, value))
            continue;
        out += AM % QLatin1Char('4') % VM % VM % QString::number(code) % VM % VM % VM % value;
    }
}
} // namespace

QString ProjectWriter::OwnRecords(const clsControl &item)
{
    QString out;
    WriteOne(out, item);
    return out.mid(1);
}

QString ProjectWriter::VersionText(int version)
{
    return NumberFormat::Format(version / 10.0, 1);
}

QString ProjectWriter::DayNumber(const QDateTime &when)
{
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    const double days = double(when.date().toJulianDay() - dayZero)
        + double(when.time().msecsSinceStartOfDay()) / 86400000.0;
    return NumberFormat::Format(days, 5);
}

QString ProjectWriter::TimeOfWriting()
{
    // Reproducible output: the time comes from the environment when it says so.
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (!epoch.isEmpty()) {
        bool ok = false;
        const qlonglong seconds = epoch.trimmed().toLongLong(&ok);
        if (ok && seconds >= 0 && seconds < 253402300800LL) // before the year 10000
            return DayNumber(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC));
    }
    return DayNumber(QDateTime::currentDateTime());
}

void ProjectWriter::WriteObject(QString &out, const clsControl &item, int appOnly)
{
    // Depth first in child order, without recursion: containers may nest deeply.
    struct Level
    {
        const clsControl::ChildList *children;
        clsControl::ChildList::ConstIterator next;
    };
    WriteOne(out, item);
    std::vector<Level> stack;
    stack.push_back({&item.Children(), item.Children().begin()});
    while (!stack.empty()) {
        Level &level = stack.back();
        if (level.next == level.children->end()) {
            stack.pop_back();
            continue;
        }
        const clsControl &child = *level.next->Value;
        ++level.next;
        if (appOnly > 0 && child.ObjType() <= Type::FormFixed)
            continue;
        WriteOne(out, child);
        stack.push_back({&child.Children(), child.Children().begin()});
    }
}

QString ProjectWriter::GetTemplate(const clsItems &items, const QString &id,
                                   const QString &header, int appOnly, int version)
{
    const clsControl *item = id.isEmpty() ? nullptr : items.Find(id);
    if (!item || item->ObjType() == Type::Root || !item->Wrapper())
        throw GuiError(GuiErrors::InvalidObjectId);

    QString scale = QStringLiteral("0");
    if (const clsControl *app = item->App()) {
        QString value;
        if (ReadProperty(*app, Prop::Scale, value) && !value.isEmpty())
            scale = value;
    }

    QString out;
    out.reserve(4096);
    out += QStringLiteral("TEMPLATE");
    out += VM;
    out += TimeOfWriting();
    out += VM;
    out += header;
    out += AM;
    out += QLatin1Char('0');
    out += VM;
    out += VersionText(version);
    out += VM;
    out += scale;
    // Each record of the objects starts with its own AttributeMark.
    WriteObject(out, *item, appOnly);
    out += AM;
    out += QLatin1Char('0');
    out += VM;
    out += QStringLiteral("-1");
    return out;
}
