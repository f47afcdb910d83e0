#include "designer/SheetDragDropPage.h"

#include "designer/SheetEditors.h"

#include "model/Vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Vocabulary;

SheetDragDropPage::SheetDragDropPage(SheetEditors &editors) : m_editors(editors)
{
    auto *layout = new QVBoxLayout(this);
    const PropertySet &supported =
        SupportedProperties(WrapperKindOf(editors.Model().OriginalType()));
    if (supported.Has(Prop::DragID))
        BuildSource(layout);
    if (supported.Has(Prop::DropIDs))
        BuildTarget(layout);
    layout->addStretch(1);
}

void SheetDragDropPage::BuildSource(QVBoxLayout *layout)
{
    PropertySheetModel &model = m_editors.Model();
    iPrompter &prompter = m_editors.Prompter();
    m_source = new QCheckBox(m_editors.WithAccessKey(tr("Drag source (control can be dragged "
                                                        "and dropped onto matching drop target)")),
                             this);
    m_source->setObjectName(QStringLiteral("DragSource"));
    layout->addWidget(m_source);
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(m_editors.WithAccessKey(tr("Drag ID:")), this);
    m_dragId = new QLineEdit(this);
    m_dragId->setObjectName(QStringLiteral("DragId"));
    label->setBuddy(m_dragId);
    m_useControlId = new QCheckBox(m_editors.WithAccessKey(tr("Use Control ID as Drag ID")), this);
    row->addSpacing(20);
    row->addWidget(label);
    row->addWidget(m_dragId, 1);
    row->addWidget(m_useControlId);
    layout->addLayout(row);
    connect(m_source, &QCheckBox::clicked, this, [this, &model, &prompter](bool on) {
        model.SetDragSource(on, prompter);
        Refresh();
    });
    connect(m_dragId, &QLineEdit::textEdited, this, [this, &model, &prompter](const QString &text) {
        // Typing an ID makes the control a drag source.
        model.SetDragSource(true, prompter);
        model.SetUseControlIdAsDragId(false);
        model.SetDragIdText(text);
        Refresh();
    });
    connect(m_useControlId, &QCheckBox::clicked, this, [this, &model, &prompter](bool on) {
        model.SetDragSource(true, prompter);
        model.SetUseControlIdAsDragId(on);
        Refresh();
    });
}

void SheetDragDropPage::BuildTarget(QVBoxLayout *layout)
{
    PropertySheetModel &model = m_editors.Model();
    iPrompter &prompter = m_editors.Prompter();
    m_target = new QCheckBox(m_editors.WithAccessKey(tr("Drop target (control allows matching "
                                                        "drag source to be dropped)")),
                             this);
    m_target->setObjectName(QStringLiteral("DropTarget"));
    layout->addWidget(m_target);
    auto *grid = new QGridLayout;
    auto *dropLabel = new QLabel(m_editors.WithAccessKey(tr("Drop IDs:")), this);
    m_dropList = new QListWidget(this);
    m_dropList->setObjectName(QStringLiteral("DropIds"));
    dropLabel->setBuddy(m_dropList);
    auto *dragLabel = new QLabel(m_editors.WithAccessKey(tr("Drag ID:")), this);
    m_dropIdCombo = new QComboBox(this);
    m_dropIdCombo->setEditable(true);
    m_dropIdCombo->setMinimumWidth(m_editors.Dialog().fontMetrics().averageCharWidth() * 20);
    m_dropIdCombo->addItems(model.ProjectDragIds());
    m_dropIdCombo->setCurrentText(QString());
    dragLabel->setBuddy(m_dropIdCombo);
    auto *add = new QPushButton(m_editors.WithAccessKey(tr("Add >>")), this);
    auto *remove = new QPushButton(m_editors.WithAccessKey(tr("<< Remove")), this);
    add->setAutoDefault(false);
    remove->setAutoDefault(false);
    grid->setColumnMinimumWidth(0, 20);
    grid->addWidget(dragLabel, 0, 1);
    grid->addWidget(m_dropIdCombo, 1, 1);
    grid->addWidget(add, 2, 1);
    grid->addWidget(remove, 3, 1);
    grid->addWidget(dropLabel, 0, 2);
    grid->addWidget(m_dropList, 1, 2, 4, 1);
    layout->addLayout(grid);
    connect(m_target, &QCheckBox::clicked, this, [this, &model, &prompter](bool on) {
        model.SetDropTarget(on, prompter);
        Refresh();
    });
    connect(add, &QPushButton::clicked, this, [this, &model] {
        model.AddDropId(m_dropIdCombo->currentText());
        m_dropIdCombo->setCurrentText(QString());
        Refresh();
    });
    connect(remove, &QPushButton::clicked, this, [this, &model] {
        if (QListWidgetItem *item = m_dropList->currentItem())
            model.RemoveDropId(item->text());
        Refresh();
    });
}

void SheetDragDropPage::IdChanged()
{
    if (m_useControlId && m_useControlId->isChecked())
        m_editors.Model().SetUseControlIdAsDragId(true);
    Refresh();
}

void SheetDragDropPage::Refresh()
{
    const PropertySheetModel &model = m_editors.Model();
    if (m_source) {
        const QSignalBlocker b1(m_source);
        const QSignalBlocker b2(m_useControlId);
        m_source->setChecked(model.DragSource());
        m_useControlId->setChecked(model.UseControlIdAsDragId());
        if (m_dragId->text() != model.DragIdText())
            m_dragId->setText(model.DragIdText());
        m_dragId->setEnabled(!model.UseControlIdAsDragId());
    }
    if (m_target) {
        const QSignalBlocker b(m_target);
        m_target->setChecked(model.DropTarget());
        const QString current = m_dropList->currentItem() ? m_dropList->currentItem()->text()
                                                          : QString();
        m_dropList->clear();
        m_dropList->addItems(model.DropIds());
        const auto found = m_dropList->findItems(current, Qt::MatchFixedString);
        if (!found.isEmpty())
            m_dropList->setCurrentItem(found.first());
    }
}
