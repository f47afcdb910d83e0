#include "runtime/RuntimeProject.h"

#include "app/ProjectLoader.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"

namespace {
// The runtime has nobody to ask: a duplicate ID skips the object and becomes a status row.
class StatusPrompter final : public iPrompter
{
public:
    explicit StatusPrompter(QList<QStringList> &rows) : m_rows(rows) {}

    void ShowMessage(const QString &text, MessageIcon icon) override
    {
        m_rows << QStringList{icon == MessageIcon::Information ? QStringLiteral("1") : QStringLiteral("2"),
                              {}, {}, {}, QStringLiteral("0"), text};
    }
    Answer Ask(const QString &, Buttons, MessageIcon) override { return Answer::Cancel; }
    void Report(const ErrorReport &report) override
    {
        ShowMessage(report.Text, report.Icon);
    }
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override
    {
        QStringList path;
        if (request.Level >= 1)
            path << request.AppId;
        if (request.Level >= 2)
            path << request.FormId;
        path << request.Id;
        const int number = request.Id.isEmpty() ? GuiErrors::InvalidIdForObject : GuiErrors::DuplicateId;
        m_rows << QStringList{QStringLiteral("2"), {}, path.join(QLatin1Char('*')), {},
                              QString::number(number), GuiError::StandardText(number)};
        DuplicateIdAnswer answer;
        answer.Choice = DuplicateIdAnswer::Action::Skip;
        return answer;
    }

private:
    QList<QStringList> &m_rows;
};

bool IsMethodProblem(int number)
{
    return number == GuiErrors::MethodConverted || number == GuiErrors::MethodIgnored;
}
} // namespace

RuntimeProject::RuntimeProject() : m_items(std::make_unique<clsItems>()) {}

RuntimeProject::~RuntimeProject() = default;

clsControl *RuntimeProject::Find(const QString &fullId) const
{
    clsControl *item = m_items->Find(fullId.trimmed());
    return item && item->ObjType() != Vocabulary::Type::Root ? item : nullptr;
}

QList<QStringList> RuntimeProject::Load(const QString &text)
{
    QList<QStringList> rows;
    StatusPrompter prompter(rows);
    ProjectLoader loader(*m_items, prompter);
    loader.SetProblemSink([&rows](const ProjectLoader::Problem &p) {
        const bool label = p.Source.startsWith(QLatin1Char('<'));
        QString message = p.Description;
        if (message.isEmpty() || (p.Number >= 5001 && p.Number <= 5055))
            message = GuiError::StandardText(p.Number);
        if (IsMethodProblem(p.Number))
            message += QStringLiteral(" (Method = ") + MethodName(p.Extra) + QLatin1Char(')');
        const bool property = !IsMethodProblem(p.Number) && p.Extra != 0;
        rows << QStringList{QString::number(p.Severity), {}, label ? QString() : p.Source,
                            property ? QString::number(p.Extra) : QString(),
                            QString::number(p.Number), message};
    });
    const ProjectLoader::Result result = loader.Load(text);
    for (clsControl *app : result.Applications)
        m_applications << app;
    return rows;
}
