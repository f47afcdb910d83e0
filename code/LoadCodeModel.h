#pragma once

#include <QString>
#include <QStringList>

class QObject;
class TemplateFiles;
class mvConnection;

// The code item dialog without its widgets: which program item belongs to the project, new
// or existing, with which code template and casing.
//
// The boxes start from the project's current code item; with both filled "existing" is
// preselected. The template list shows every template by name with the one of the project's
// code style selected; the casing list selects the project's casing.
class LoadCodeModel
{
public:
    struct Start
    {
        QString HostType;            // of the code item: "file" for a local program
        QString HostName;
        QString AccountName;
        QString ProgramDocumentName; // the project's current code item; "" for none
        QString CodeStyle;           // "" counts as "0"
        int Casing = 0;              // 1 upper, 2 lower, 3 mixed
    };

    LoadCodeModel(TemplateFiles &templates, const mvConnection *connection, const Start &start);

    static QString Caption();
    static QString ExplainText();
    // "upper case", "lower case", "mixed case" (casings 1, 2, 3).
    static QStringList CasingNames();

    QString FileName;
    QString ItemId;
    bool NewItem = true;
    int TemplateIndex = -1; // into TemplateNames(); -1 for none
    int CasingIndex = 0;    // into CasingNames()

    QStringList TemplateNames() const;
    // The description of the selected template, or the message that the folder has none.
    QString TemplateDescription() const;
    bool HasTemplates() const { return !m_names.isEmpty(); }
    // "No code template files found in folder '...'" when there is none, else "".
    const QString &TemplateMessage() const { return m_templateMessage; }

    // The host document chooser titled "Open Code", starting at the document of the boxes.
    // A chosen local file fills the file name box with its path and empties the item ID;
    // any other document fills both boxes. False when nothing was chosen.
    bool Browse(QObject *owner);

    // Why the answer cannot be accepted yet ("" when it can).
    QString Problem() const;
    // The answer.
    QString ProgramDocumentName() const;
    QString Style() const; // the selected template's style ("" with no template)
    int Casing() const { return CasingIndex + 1; }
    bool IsLocal() const;

private:
    const mvConnection *m_connection;
    Start m_start;
    QStringList m_names;
    QStringList m_descs;
    QStringList m_styles;
    QString m_templateMessage;
};
