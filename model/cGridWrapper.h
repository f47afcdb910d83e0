#pragma once

#include "model/GridContent.h"
#include "model/cWrapperBase.h"

#include <optional>

// A grid: protected (27) or editable (28), switched in place. The counts, the cells (Value,
// row by row; index 1 selects a column and index 2 a row) and the per-column settings live
// in one GridContent; the editable grid shows one more, empty, row for new input.
class cGridWrapper final : public cWrapperBase
{
public:
    cGridWrapper();
    QString GetDefaultProperty(int code) const override;
    void ScaleChanged() override;

    // The content, measured in the application's current scale unit.
    const GridContent &Content() const;
    // The editing record of a column; a grid-wide ReadOnly makes every column read-only.
    clsGridColProps ColProps(int column) const;
    bool Required() const override;
    clsGridRowProps RowProps(int row) const { return m_content.RowProps(row); }
    void SetRowProps(int row, const clsGridRowProps &props) { m_content.SetRowProps(row, props); }
    clsGridCellProps CellProps(int column, int row) const { return m_content.CellProps(column, row); }
    void SetCellProps(int column, int row, const clsGridCellProps &props)
    {
        m_content.SetCellProps(column, row, props);
    }

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool ChangesInPlace() const override { return true; }
    void Apply(int code, const QString &value) override;
    void ApplyVariant(int type) override;
    bool IsListValued(int code) const override;
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    void SetListEntry(int code, int index1, int index2, const QString &value,
                      const QString &itemId) override;
    void ApplyList(int code) override;
    QString ContentDefault(int code) const override;
    bool IsContentDefault(int code) const override;
    quint32 SupportedMethods() const override;
    QString InvokeMethod(int method, const QString &arg1, const QString &arg2,
                         const QString &arg3) override;

private:
    GridContent &Synced() const;
    void ShowCells();
    void ShowColumns();

    mutable GridContent m_content;
    // The column and row (0: all) that the last Value entry changed, so only they are shown
    // again; cleared by every change that may touch more.
    struct Range
    {
        int Column = 0;
        int Row = 0;
    };
    std::optional<Range> m_changed;
};
