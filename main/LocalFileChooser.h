#pragma once

#include "host/iDocumentChooser.h"

#include <QPointer>
#include <QWidget>

// A document chooser for local files only: the desktop's file dialog, opening for "Open" and
// saving for every other title. It stands in until a chooser over the host's files and items
// is wired in.
class LocalFileChooser final : public iDocumentChooser
{
public:
    explicit LocalFileChooser(QWidget *owner = nullptr) : m_owner(owner) {}

    std::optional<QString> ChooseDocument(const QString &title, QObject *owner,
                                          const QString &startName) override;

    static constexpr const char *Filter = "GUI projects (*.gui);;All files (*)";

private:
    QPointer<QWidget> m_owner;
};
