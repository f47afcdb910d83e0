#pragma once

#include <QString>
#include <optional>

class QObject;

// The document chooser dialog, supplied by the user interface. The host layer runs headless
// without one.
class iDocumentChooser
{
public:
    virtual ~iDocumentChooser() = default;
    // The chosen document name, or nothing when the user cancels. `title` is the dialog caption,
    // `owner` the owner window, `startName` the document name to start from (may be empty).
    virtual std::optional<QString> ChooseDocument(const QString &title, QObject *owner,
                                                  const QString &startName) = 0;
};
