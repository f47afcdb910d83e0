#pragma once
// A program held in memory: the text the code dialogs read and write, and nothing else.
#include "code/iCodeEditor.h"

#include <QString>

struct MemoryCodeDocument final : iCodeDocument
{
    QString Body;
    void Open(const QString &, QString &, QString &) override {}
    QString Identity() const override { return {}; }
    QString Text() const override { return Body; }
    void SetText(const QString &text) override { Body = text; }
    void Show() override {}
    void GoToLabel(const QString &) override {}
    void SetEvents(iCodeDocumentEvents *) override {}
    QString DocumentName() const override { return {}; }
    void SetDocumentName(const QString &) override {}
    bool IsSaved() const override { return true; }
    bool IsModified() const override { return false; }
    void Save() override {}
    void Close() override {}
};
