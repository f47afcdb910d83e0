// Feeds arbitrary bytes to the project loader as a stored document would reach it, then
// writes and deletes whatever was loaded. Any crash, leak or undefined behaviour is a fault.
#include "app/DocumentStorage.h"
#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "host/ItemFile.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <cstddef>
#include <cstdint>

namespace {
// Reports are dropped; duplicates are skipped once and then cancelled, so both roads run.
class FuzzPrompter final : public iPrompter
{
public:
    void ShowMessage(const QString &, MessageIcon) override {}
    Answer Ask(const QString &, Buttons, MessageIcon) override { return Answer::Cancel; }
    void Report(const ErrorReport &report) override { (void)report.Text.size(); }
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override
    {
        DuplicateIdAnswer answer;
        if (++m_asked % 3 == 1)
            answer.Choice = decltype(answer.Choice)::Skip;
        else if (m_asked % 3 == 2) {
            answer.Choice = decltype(answer.Choice)::Ok;
            answer.NewId = request.Id + QStringLiteral("X");
        }
        return answer;
    }

private:
    int m_asked = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = DocumentStorage::ToMemoryForm(ItemFile::Decode(bytes));
    clsItems items;
    FuzzPrompter prompter;
    clsDesigner designer(items, &prompter);
    designer.SetTemplate(text);
    for (clsControl *app : designer.LastLoad().Applications)
        (void)designer.GetTemplate(app->FullID(), QString(), 0);
    designer.ReleaseAll();
    return 0;
}
