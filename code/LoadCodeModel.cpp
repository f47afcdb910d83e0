#include "code/LoadCodeModel.h"

#include "code/TemplateFiles.h"
#include "host/DocumentName.h"
#include "host/FileDocument.h"
#include "host/mvConnection.h"

LoadCodeModel::LoadCodeModel(TemplateFiles &templates, const mvConnection *connection,
                             const Start &start)
    : m_connection(connection), m_start(start)
{
    DocumentName current;
    if (!start.ProgramDocumentName.isEmpty()
        && DocumentName::Split(start.ProgramDocumentName, current)) {
        // A local program is named by its whole path; an item inside a folder joins them.
        if (current.IsLocalFile()) {
            FileName = current.ItemID.isEmpty() ? current.FileName
                                                : current.FileName + QLatin1Char('/') + current.ItemID;
        } else {
            FileName = current.FileName;
            ItemId = current.ItemID;
        }
    }
    NewItem = FileName.isEmpty() || (!IsLocal() && ItemId.isEmpty());

    if (templates.EnumerateTemplates()) {
        QString style = start.CodeStyle.trimmed().toLower();
        if (style.isEmpty())
            style = QStringLiteral("0");
        for (const TemplateInfo &info : templates.Templates()) {
            if (TemplateIndex < 0 && info.Style == style)
                TemplateIndex = int(m_names.size());
            m_names << info.Name;
            m_descs << info.Desc;
            m_styles << info.Style;
        }
        if (TemplateIndex < 0)
            TemplateIndex = 0;
    } else {
        m_templateMessage = QStringLiteral("No code template files found in folder '%1'")
                                .arg(templates.Folder());
    }
    CasingIndex = start.Casing >= 1 && start.Casing <= 3 ? start.Casing - 1 : 0;
}

QString LoadCodeModel::Caption() { return QStringLiteral("Load Code"); }

QString LoadCodeModel::ExplainText()
{
    return QStringLiteral("In order to access the code for your GUI project, you need to "
                          "associate a code item with the project. ");
}

QStringList LoadCodeModel::CasingNames()
{
    return {QStringLiteral("upper case"), QStringLiteral("lower case"),
            QStringLiteral("mixed case")};
}

QStringList LoadCodeModel::TemplateNames() const { return m_names; }

QString LoadCodeModel::TemplateDescription() const
{
    if (!HasTemplates())
        return m_templateMessage;
    return m_descs.value(TemplateIndex);
}

bool LoadCodeModel::IsLocal() const
{
    return m_start.HostType.compare(DocumentName::FileType, Qt::CaseInsensitive) == 0;
}

QString LoadCodeModel::ProgramDocumentName() const
{
    if (IsLocal())
        return DocumentName::Build(QString(DocumentName::FileType), {}, {}, FileName.trimmed(),
                                   ItemId.trimmed());
    return DocumentName::Build(m_start.HostType, m_start.HostName, m_start.AccountName,
                               FileName.trimmed(), ItemId.trimmed());
}

QString LoadCodeModel::Style() const { return m_styles.value(TemplateIndex); }

bool LoadCodeModel::Browse(QObject *owner)
{
    if (!m_connection)
        return false;
    const auto chosen = m_connection->Chooser(QStringLiteral("Open Code"), owner, ProgramDocumentName());
    if (!chosen)
        return false;
    if (chosen->Parts().IsLocalFile()) {
        auto *file = dynamic_cast<const FileDocument *>(chosen.get());
        FileName = file ? file->Path() : chosen->FileName();
        ItemId.clear();
    } else {
        FileName = chosen->FileName();
        ItemId = chosen->ItemID();
    }
    return true;
}

QString LoadCodeModel::Problem() const
{
    if (FileName.trimmed().isEmpty())
        return IsLocal() ? QStringLiteral("Please enter the file name of the program.")
                         : QStringLiteral("Please enter the file name and item ID of the program.");
    if (!IsLocal() && ItemId.trimmed().isEmpty())
        return QStringLiteral("Please enter the item ID of the program.");
    if (NewItem && !HasTemplates())
        return m_templateMessage;
    return {};
}
