#pragma once

#include "host/DocumentName.h"
#include "host/MvdbStore.h"
#include "host/mvDocument.h"

#include <memory>

class QObject;
class iDocumentChooser;

// The host connection: builds and splits document names, opens document objects and shows the
// document chooser. Host types: "file" (a local file, the name is its path) and "mvdb" (the
// directory-backed MultiValue store); any other type gives no document.
class mvConnection
{
public:
    mvConnection();
    ~mvConnection();

    // The designer sets 1 at start-up; the connection keeps it for callers that ask.
    int Mode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }

    // See DocumentName for the textual form.
    QString BuildName(const QString &hostType, const QString &hostName, const QString &account,
                      const QString &fileName, const QString &itemId) const;
    bool SplitName(const QString &name, DocumentName &parts) const;

    // A host name or account of "*" in a name stands for these (the designer's host parameters).
    void SetCurrentHost(const QString &hostName, const QString &account);

    // A document object, or nullptr when the name is empty or invalid, the host type unknown, or
    // an mvdb part holds a MultiValue mark. Never raises; opening does not touch the item.
    std::unique_ptr<mvDocument> Open(const QString &name) const;

    // The chooser of the user interface (not owned; nullptr for none). Without one, or when the
    // user cancels, Chooser gives nullptr.
    void SetChooser(iDocumentChooser *chooser) { m_chooser = chooser; }
    std::unique_ptr<mvDocument> Chooser(const QString &title, QObject *owner,
                                        const mvDocument *start) const;
    std::unique_ptr<mvDocument> Chooser(const QString &title, QObject *owner,
                                        const QString &startName) const;

    MvdbStore &Store() { return m_store; }
    const MvdbStore &Store() const { return m_store; }

private:
    int m_mode = 0;
    QString m_currentHost;
    QString m_currentAccount;
    iDocumentChooser *m_chooser = nullptr;
    MvdbStore m_store;
};
