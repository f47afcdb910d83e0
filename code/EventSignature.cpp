#include "code/EventSignature.h"

#include "model/Vocabulary.h"
#include "support/Marks.h"

#include <QCryptographicHash>

QString EventSignature::Of(const EventList &project)
{
    // The parts are separated by characters no ID can hold, so two different projects never
    // run together into one text.
    const QChar field(Marks::Value);
    const QChar part(Marks::SubValue);
    QString text;
    for (const EventList::Object &o : project.Objects()) {
        QString id = o.App;
        if (!o.Form.isEmpty() || !o.Control.isEmpty())
            id += QLatin1Char('*') + o.Form;
        if (!o.Control.isEmpty())
            id += QLatin1Char('*') + o.Control;
        QString items;
        if (Vocabulary::IsFormBar(o.Type) && !o.Items.isEmpty()) {
            for (const QString &entry : o.Items.split(QChar(Marks::Value))) {
                const QStringList parts = entry.split(part);
                const QString itemId = parts.value(0);
                if (itemId.startsWith(QLatin1Char('*')) || parts.value(2).startsWith(QLatin1Char('-')))
                    continue;
                items += field + itemId.toUpper() + part + parts.value(1).trimmed();
            }
        }
        // An object that raises nothing has no place in the decoder: where it stands (undoing
        // a delete puts an object last) must not make the decoder look stale.
        if (o.Mask == 0 && items.isEmpty())
            continue;
        text += id.toUpper() + field + QString::number(o.Type) + field + QString::number(o.Mask)
            + items + QChar(Marks::Attribute);
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString EventSignature::OfProjectText(const QString &projectText)
{
    return Of(EventList::FromProjectText(projectText));
}

QString EventSignature::NoticeText()
{
    return QStringLiteral("Event decoder may require updating!");
}

QString EventSignature::DecoderNotice(const QString &current, const QString &recorded)
{
    return current == recorded ? QString() : NoticeText();
}
