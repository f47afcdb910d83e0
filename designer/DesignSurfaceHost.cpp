#include "designer/DesignSurfaceHost.h"

#include "app/EditCommands.h"
#include "panels/SizerModel.h"
#include "app/clsDesigner.h"
#include "designer/iMainWindowHost.h"
#include "model/clsControl.h"

#include <optional>

DesignSurfaceHost::DesignSurfaceHost(clsDesigner &designer, EditCommands &edit,
                                     iMainWindowHost *window)
    : m_designer(designer), m_edit(edit), m_window(window)
{
}

void DesignSurfaceHost::SelectItem(clsControl &item)
{
    if (m_designer.SelectItem(&item) && m_window)
        m_window->ItemSelected(item);
}

QList<clsControl *> DesignSurfaceHost::Selection() const
{
    return m_designer.Selection();
}

bool DesignSurfaceHost::Chosen(bool taken)
{
    if (taken && m_window && m_designer.CurrentItem())
        m_window->ItemSelected(*m_designer.CurrentItem());
    return taken;
}

bool DesignSurfaceHost::AddToSelection(clsControl &item)
{
    return Chosen(m_designer.AddToSelection(&item));
}

bool DesignSurfaceHost::ToggleSelection(clsControl &item)
{
    return Chosen(m_designer.ToggleSelection(&item));
}

bool DesignSurfaceHost::SelectItems(const QList<clsControl *> &items, clsControl *primary)
{
    return Chosen(m_designer.SelectItems(items, primary));
}

void DesignSurfaceHost::ShowModify(clsControl &item)
{
    if (m_window)
        m_window->ShowPropertySheet(item);
}

void DesignSurfaceHost::ShowContextMenu(clsControl &item)
{
    if (m_window)
        m_window->ShowContextMenu(item);
}

void DesignSurfaceHost::FocusProjectTree()
{
    if (m_window)
        m_window->FocusProjectTree();
}

void DesignSurfaceHost::ShowGeometry(const clsControl &item, const Dragged *dragged)
{
    if (!m_window)
        return;
    const double sx = item.ScaleX(), sy = item.ScaleY();
    const auto show = [&](int panel, int x, int y) {
        m_window->ShowStatusPanel(panel, SizerModel::PairText(x, y, sx, sy));
    };
    if (!dragged) {
        // An object that the runtime places shows 0 for that coordinate.
        show(2, item.AutoLeft() ? 0 : item.TwipLeft(), item.AutoTop() ? 0 : item.TwipTop());
        show(3, item.TwipWidth(), item.TwipHeight());
        return;
    }
    if (const auto at = dragged->Position)
        show(2, at->x(), at->y());
    if (const auto size = dragged->Size)
        show(3, size->width(), size->height());
}

bool DesignSurfaceHost::SnapToGrid() const
{
    return m_window && m_window->SnapToGrid();
}

void DesignSurfaceHost::MoveItem(clsControl &item, int left, int top, int width, int height,
                                 bool sized)
{
    const auto given = [](int twips) { return twips < 0 ? std::nullopt : std::optional<int>(twips); };
    if (sized)
        m_edit.MoveItemTwips(item, given(left), given(top), given(width), given(height));
    else
        m_edit.MoveItemTwips(item, given(left), given(top), std::nullopt, std::nullopt);
    ShowGeometry(item);
}

void DesignSurfaceHost::MoveItems(const QList<std::pair<clsControl *, QPoint>> &topLefts)
{
    if (topLefts.isEmpty())
        return;
    m_edit.MoveItemsTwips(topLefts);
    if (clsControl *primary = m_designer.CurrentItem())
        ShowGeometry(*primary);
}

void DesignSurfaceHost::Nudge(const QList<clsControl *> &items, clsControl &primary, int dxTwips,
                              int dyTwips, bool resize)
{
    if (m_edit.Nudge(items, primary, dxTwips, dyTwips, resize))
        ShowGeometry(primary);
}

iPrompter &DesignSurfaceHost::Prompter() const
{
    return m_designer.Prompter();
}
