#include "designer/SheetColoursPage.h"

#include "designer/SheetEditors.h"

#include "support/ColourNames.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QVBoxLayout>

using Kind = PropertySheetModel::Kind;

namespace {

constexpr int ColourValueRole = Qt::UserRole + 1;
constexpr const char *CustomColourText = "Custom Color >>";

QColor ToQColor(qint32 value)
{
    const qint32 rgb = ColourToRGB(value);
    return QColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255);
}

QIcon Swatch(const QColor &colour)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

void AddHeading(QComboBox *combo, const QString &text)
{
    combo->addItem(text);
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    if (QStandardItem *item = model ? model->item(combo->count() - 1) : nullptr) {
        item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
}

} // namespace

SheetColoursPage::SheetColoursPage(SheetEditors &editors) : m_editors(editors)
{
    auto *layout = new QVBoxLayout(this);
    for (const PropertySheetModel::Field *field :
         editors.Model().FieldsOn(PropertySheetModel::Page::Colors)) {
        if (field->Type == Kind::Colour)
            layout->addWidget(ColourEditor(*field));
        else
            layout->addWidget(editors.FieldEditor(*field, this));
    }
    layout->addStretch(1);
}

void SheetColoursPage::Fill(QComboBox *combo, int code)
{
    combo->clear();
    const auto addColours = [combo](const QString &heading, const QStringList &names,
                                    const QList<qint32> &values) {
        AddHeading(combo, heading);
        for (int i = 0; i < names.size(); ++i) {
            combo->addItem(Swatch(ToQColor(values[i])), names[i]);
            combo->setItemData(combo->count() - 1, values[i], ColourValueRole);
        }
    };
    addColours(tr("Standard Colors"), StandardColourNames(), StandardColourValues());
    addColours(tr("System Colors"), SystemColourNames(), SystemColourValues());
    combo->addItem(QString::fromLatin1(CustomColourText));
    // The current value: its named row, or a custom row above the lists.
    qint32 value = 0;
    const bool known = ParseColourValue(m_editors.Model().Text(code), value);
    int index = -1;
    if (known)
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemData(i, ColourValueRole).isValid()
                && combo->itemData(i, ColourValueRole).toInt() == value) {
                index = i;
                break;
            }
    if (known && index < 0) {
        combo->insertItem(0, Swatch(ToQColor(value)), tr("Custom"));
        combo->setItemData(0, value, ColourValueRole);
        index = 0;
    }
    combo->setCurrentIndex(index);
}

QWidget *SheetColoursPage::ColourEditor(const PropertySheetModel::Field &field)
{
    PropertySheetModel &model = m_editors.Model();
    const int code = field.Code;
    auto *group = new QGroupBox(field.Label, this);
    auto *layout = new QGridLayout(group);
    auto *combo = new QComboBox(group);
    combo->setObjectName(QStringLiteral("Field") + QString::number(code));
    combo->setMaxVisibleItems(20);
    auto *description = new QLabel(group);
    description->setTextFormat(Qt::PlainText);
    auto *useDefault = new QCheckBox(m_editors.WithAccessKey(tr("Use default color")), group);
    useDefault->setChecked(model.UsesDefault(code));
    auto *label = new QLabel(m_editors.WithAccessKey(tr("Color:")), group);
    label->setBuddy(combo);
    layout->addWidget(label, 0, 0);
    layout->addWidget(combo, 0, 1);
    layout->addWidget(useDefault, 0, 2);
    layout->addWidget(description, 1, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    m_editors.AddField(code, combo);
    m_editors.AddUseDefault(code, useDefault);
    m_editors.AddColourDescription(code, description);
    Fill(combo, code);

    auto describe = [&model, code, description] {
        qint32 value = 0;
        const bool ok = ParseColourValue(model.Text(code), value);
        const QString text = ok ? DescribeColour(value) : QString();
        description->setText(model.UsesDefault(code) && ok ? text + tr(" (default)") : text);
    };
    describe();
    connect(combo, &QComboBox::activated, this, [this, &model, code, combo, useDefault, describe] {
        Chosen(code, combo);
        useDefault->setChecked(model.UsesDefault(code));
        describe();
    });
    connect(useDefault, &QCheckBox::toggled, this, [&model, code, combo, describe](bool on) {
        model.SetUseDefault(code, on);
        combo->setEnabled(true);
        describe();
    });
    return group;
}

void SheetColoursPage::Chosen(int code, QComboBox *combo)
{
    PropertySheetModel &model = m_editors.Model();
    const int index = combo->currentIndex();
    if (combo->itemText(index) == QLatin1String(CustomColourText)) {
        qint32 value = 0;
        ParseColourValue(model.Text(code), value);
        bool chosen = false;
        if (m_editors.Choose().Colour) {
            chosen = m_editors.Choose().Colour(value);
        } else {
            QWidget &dialog = m_editors.Dialog();
            const QColor colour =
                QColorDialog::getColor(ToQColor(value), &dialog, dialog.windowTitle());
            if (colour.isValid()) {
                value = qint32(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
                chosen = true;
            }
        }
        if (chosen)
            model.SetText(code, FormatColourValue(value));
        Fill(combo, code);
        return;
    }
    const QVariant value = combo->itemData(index, ColourValueRole);
    if (value.isValid())
        model.SetText(code, FormatColourValue(qint32(value.toInt())));
}
