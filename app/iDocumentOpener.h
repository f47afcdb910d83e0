#pragma once

#include <QString>

class GuiError;

// What the command line needs from document storage and the host connection. The main
// program supplies the real one; tests record the calls.
class iDocumentOpener
{
public:
    struct OpenResult {
        bool success = false;
        QString displayName; // the name the recent-file list shows
        // Only part of the document loaded: the project is open read-only and stays off the
        // recent-file list.
        bool partial = false;
    };

    virtual ~iDocumentOpener() = default;

    // The host connection's document name for these host parameters.
    virtual QString BuildDocumentName(const QString &hostType, const QString &hostName,
                                      const QString &accountName, const QString &hostFileName,
                                      const QString &itemId) = 0;
    // Opens the document read/write through the normal open path, which shows its own
    // messages when it fails.
    virtual OpenResult OpenDocument(const QString &documentName) = 0;
    virtual void AddToRecentList(const QString &displayName) = 0;
    // Opens the host document object of that name and, when it supports the feature, keeps
    // the service object it returns for the property sheet. True when one was kept.
    virtual bool QueryHostService(const QString &documentName, int feature) = 0;
    // An error raised inside a command-line step, with the procedure label to report it under.
    virtual void ReportError(const GuiError &error, const QString &procedureLabel) = 0;
};
