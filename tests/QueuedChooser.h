#pragma once
// A document chooser that answers from a queue (nothing chosen once it is empty) and records
// the titles and starting names it was shown with.
#include "host/iDocumentChooser.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

struct QueuedChooser : iDocumentChooser
{
    std::optional<QString> ChooseDocument(const QString &title, QObject *, const QString &start) override
    {
        Titles << title;
        Starts << start;
        if (Names.empty())
            return std::nullopt;
        const QString name = Names.front();
        Names.pop_front();
        return name;
    }
    std::deque<QString> Names;
    QStringList Titles;
    QStringList Starts;
};
