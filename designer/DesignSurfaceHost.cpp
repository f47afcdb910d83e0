#include "designer/DesignSurfaceHost.h"

#include "app/EditCommands.h"
#include "app/SizerGeometry.h"
#include "app/clsDesigner.h"
#include "designer/DesignFormFactory.h"
#include "designer/frmDesign.h"
#include "designer/ucSizer.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/Vocabulary.h"

#include <tuple>

DesignSurfaceHost::DesignSurfaceHost(clsDesigner &designer, EditCommands &edit)
    : m_designer(designer), m_edit(edit)
{
}

clsControl *DesignSurfaceHost::Selected() const
{
    return m_selectedId.isNull() ? nullptr : m_designer.Items().Find(m_selectedId);
}

void DesignSurfaceHost::SelectItem(clsControl &item)
{
    clsControl *previous = Selected();
    if (previous && previous != &item)
        if (auto *sizer = dynamic_cast<ucSizer *>(previous->Sizer()))
            sizer->SetActive(false);
    m_selectedId = item.FullID();
    m_designer.SetCurrentItem(&item);
    // The grid follows the application's scale unit, read again on every selection.
    int gridX = 0, gridY = 0;
    if (clsControl *app = item.App())
        if (auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper()))
            std::tie(gridX, gridY) = SizerGeometry::GridSpacing(wrapper->ScaleUnit(),
                                                                wrapper->ScaleX(), wrapper->ScaleY());
    if (clsControl *form = Vocabulary::IsForm(item.ObjType()) ? &item : item.Form())
        if (frmDesign *design = DesignFormFactory::FormOf(*form))
            design->SetGrid(gridX, gridY);
    if (auto *sizer = dynamic_cast<ucSizer *>(item.Sizer())) {
        sizer->GridX = gridX;
        sizer->GridY = gridY;
        sizer->SnapToGrid = SnapToGrid();
        sizer->SetActive(true);
    }
    if (HighlightInTree)
        HighlightInTree(item);
    SetStatusPanel(1, item.FullID());
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
    const auto units = [](int twips, double factor) {
        return twips < 0 ? QString() : QString::number(double(twips) / factor, 'g', 12);
    };
    const double sx = item.ScaleX(), sy = item.ScaleY();
    if (sized)
        m_edit.MoveItem(item, units(left, sx), units(top, sy), units(width, sx), units(height, sy));
    else
        m_edit.MoveItem(item, units(left, sx), units(top, sy), QString(), QString());
    SetStatusPanel(2, SizerGeometry::PairText(item.TwipLeft(), item.TwipTop(), sx, sy));
    SetStatusPanel(3, SizerGeometry::PairText(item.TwipWidth(), item.TwipHeight(), sx, sy));
}
