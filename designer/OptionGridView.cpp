#include "designer/OptionGridView.h"

#include "app/iPrompter.h"
#include "model/clsControl.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { ItemCol, CaptionCol, EnabledCol, DefaultCol, HintCol };
constexpr int ValueCode = 1, ItemsCode = 26;
}

OptionGridView::OptionGridView(iPrompter &prompter, QWidget *parent)
    : ContentEditorPage(prompter, parent)
{
    m_grid = new QTableWidget(0, 5, this);
    m_grid->setHorizontalHeaderLabels({tr("Item"), tr("Caption"), tr("Enabled"), tr("Default"),
                                       tr("Help hint text")});
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(CaptionCol, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(HintCol, QHeaderView::Stretch);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);

    m_add = new QPushButton(tr("Add o&ption"), this);
    m_insert = new QPushButton(tr("I&nsert option"), this);
    m_delete = new QPushButton(tr("&Delete option"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_add, m_insert, m_delete})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_grid, 1);
    outer->addLayout(buttons);

    connect(m_grid, &QTableWidget::cellChanged, this, &OptionGridView::CellEdited);
    connect(m_add, &QPushButton::clicked, this, [this] { Fill(m_model.Add()); });
    connect(m_insert, &QPushButton::clicked, this,
            [this] { Fill(m_model.Insert(std::max(0, m_grid->currentRow()))); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int row = m_grid->currentRow();
        if (row < 0 || row >= m_model.Count())
            return;
        m_model.Delete(row);
        Fill(std::min(row, m_model.Count() - 1));
    });
}

void OptionGridView::Load(clsControl *item, int)
{
    if (item)
        m_model.Load(item->GetProperty(ItemsCode), item->GetProperty(ValueCode));
    else
        m_model.Load({}, {});
    Fill(0);
}

void OptionGridView::Fill(int select)
{
    m_filling = true;
    m_grid->setRowCount(m_model.Count());
    const int selected = m_model.DefaultOption();
    for (int r = 0; r < m_model.Count(); ++r) {
        auto *number = new QTableWidgetItem(QString::number(r + 1));
        number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_grid->setItem(r, ItemCol, number);
        m_grid->setItem(r, CaptionCol, new QTableWidgetItem(m_model.Caption(r)));
        auto *enabled = new QTableWidgetItem;
        enabled->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        enabled->setCheckState(m_model.Enabled(r) ? Qt::Checked : Qt::Unchecked);
        m_grid->setItem(r, EnabledCol, enabled);
        auto *byDefault = new QTableWidgetItem;
        byDefault->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        byDefault->setCheckState(r == selected ? Qt::Checked : Qt::Unchecked);
        m_grid->setItem(r, DefaultCol, byDefault);
        m_grid->setItem(r, HintCol, new QTableWidgetItem(m_model.Hint(r)));
    }
    m_grid->resizeColumnToContents(ItemCol);
    if (select >= 0 && select < m_model.Count())
        m_grid->setCurrentCell(select, CaptionCol);
    m_filling = false;
}

void OptionGridView::CellEdited(int row, int column)
{
    if (m_filling || row >= m_model.Count())
        return;
    QTableWidgetItem *cell = m_grid->item(row, column);
    switch (column) {
    case CaptionCol: m_model.SetCaption(row, cell->text()); break;
    case HintCol: m_model.SetHint(row, cell->text()); break;
    case EnabledCol: m_model.SetEnabled(row, cell->checkState() == Qt::Checked); break;
    case DefaultCol:
        // One default at most: ticking one clears the others.
        m_model.SetDefaultOption(cell->checkState() == Qt::Checked ? row
                                 : m_model.DefaultOption() == row ? -1
                                                                  : m_model.DefaultOption());
        Fill(row);
        break;
    default: break;
    }
}

bool OptionGridView::Check()
{
    return true;
}

void OptionGridView::Apply(clsControl &item, clsDesigner &)
{
    auto write = [&item](int code, const QString &value) {
        if (value != item.GetProperty(code))
            item.SetProperty(code, value);
    };
    write(ItemsCode, m_model.StoreItems());
    write(ValueCode, m_model.StoreValue());
}
