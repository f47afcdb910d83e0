// Opening the property sheet on one object and applying a change must cost the same however
// large the project is; the drop page's list of the project's drag IDs reads every object and
// grows with it. Prints microseconds per round for 1,000 and 10,000 controls and the ratios.
#include "app/EditCommands.h"
#include "app/MemoryClipboard.h"
#include "panels/PropertySheetModel.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace Vocabulary;

namespace {

struct Result
{
    double openApplyUs;
    double dragIdsUs;
};

Result Run(int controls, int rounds)
{
    clsItems items;
    clsDesigner designer(items);
    DynamicArray store;
    UndoBuffer undo(store);
    MemoryClipboard clipboard;
    EditCommands edit(designer, undo, clipboard);
    designer.AddControl(Type::AppMdi, "B", {}, {}, {}, {}, {});
    for (int i = 0; i < controls; ++i) {
        const QString form = QStringLiteral("B*F%1").arg(i / 100);
        if (i % 100 == 0)
            designer.AddControl(Type::FormSizableChild, form, {}, {}, {}, {}, {});
        clsControl *c = designer.AddControl(i % 2 ? Type::Text : Type::Label,
                                            form + QStringLiteral("*C%1").arg(i), {}, "1", "1",
                                            "8", "1");
        if (i % 10 == 0)
            c->SetProperty(Prop::DragID, QStringLiteral("D%1").arg(i % 50));
    }
    clsControl *target = items.Find("B*F0*C1");
    PropertySheetModel sheet;
    QElapsedTimer timer;
    qint64 dragIds = 0;
    timer.start();
    for (int r = 0; r < rounds; ++r) {
        sheet.SetupModify(designer, *target);
        QElapsedTimer part;
        part.start();
        (void)sheet.ProjectDragIds();
        dragIds += part.nsecsElapsed();
        sheet.SetText(Prop::Hint, QStringLiteral("hint %1").arg(r));
        if (!sheet.Validate())
            sheet.Apply(&edit);
        sheet.Close();
    }
    const double total = double(timer.nsecsElapsed() - dragIds) / rounds / 1000.0;
    return {total, double(dragIds) / rounds / 1000.0};
}

} // namespace

int main()
{
    Run(200, 20); // warm up
    const Result small = Run(1000, 200);
    const Result large = Run(10000, 200);
    std::printf("controls   us per open+apply   us per drag-ID list\n");
    std::printf("%8d   %17.1f   %19.1f\n", 1000, small.openApplyUs, small.dragIdsUs);
    std::printf("%8d   %17.1f   %19.1f\n", 10000, large.openApplyUs, large.dragIdsUs);
    std::printf("ratio 10000/1000: open+apply %.2f (flat expected), drag-ID list %.2f "
                "(linear: it reads every object of the project)\n",
                large.openApplyUs / small.openApplyUs, large.dragIdsUs / small.dragIdsUs);
    return 0;
}
