#include "designer/DesignSurfaceHost.h"

#include "app/EditCommands.h"
#include "panels/SizerModel.h"
#include "app/clsDesigner.h"
#include "designer/DesignFormFactory.h"
#include "designer/frmDesign.h"
#include "designer/ucSizer.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/Vocabulary.h"

#include <optional>
#include <tuple>

DesignSurfaceHost::DesignSurfaceHost(clsDesigner &designer, EditCommands &edit)
    : m_designer(designer), m_edit(edit)
{
}

void DesignSurfaceHost::SelectItem(clsControl &item)
{
    // The sizer takes the grid of the application's scale unit, read again on every
    // selection, and the snapping switch, before the designer shows it.
    int gridX = 0, gridY = 0;
    if (clsControl *app = item.App())
        if (auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper()))
            std::tie(gridX, gridY) = SizerModel::GridSpacing(wrapper->ScaleUnit(),
                                                                wrapper->ScaleX(), wrapper->ScaleY());
    if (clsControl *form = Vocabulary::IsForm(item.ObjType()) ? &item : item.Form())
        if (frmDesign *design = DesignFormFactory::FormOf(*form))
            design->SetGrid(gridX, gridY);
    if (auto *sizer = dynamic_cast<ucSizer *>(item.Sizer())) {
        sizer->GridX = gridX;
        sizer->GridY = gridY;
        sizer->SnapToGrid = SnapToGrid();
    }
    if (m_designer.SelectItem(&item) && Selected)
        Selected(item);
}

void DesignSurfaceHost::ShowModify(clsControl &item)
{
    if (PropertySheet)
        PropertySheet(item);
}

void DesignSurfaceHost::ShowContextMenu(clsControl &item)
{
    if (ContextMenu)
        ContextMenu(item);
}

void DesignSurfaceHost::FocusProjectTree()
{
    if (FocusTree)
        FocusTree();
}

void DesignSurfaceHost::SetStatusPanel(int panel, const QString &text)
{
    if (StatusPanel)
        StatusPanel(panel, text);
}

bool DesignSurfaceHost::SnapToGrid() const
{
    return SnapSwitch && SnapSwitch();
}

void DesignSurfaceHost::MoveItem(clsControl &item, int left, int top, int width, int height,
                                 bool sized)
{
    const auto given = [](int twips) { return twips < 0 ? std::nullopt : std::optional<int>(twips); };
    const double sx = item.ScaleX(), sy = item.ScaleY();
    if (sized)
        m_edit.MoveItemTwips(item, given(left), given(top), given(width), given(height));
    else
        m_edit.MoveItemTwips(item, given(left), given(top), std::nullopt, std::nullopt);
    SetStatusPanel(2, SizerModel::PairText(item.TwipLeft(), item.TwipTop(), sx, sy));
    SetStatusPanel(3, SizerModel::PairText(item.TwipWidth(), item.TwipHeight(), sx, sy));
}
