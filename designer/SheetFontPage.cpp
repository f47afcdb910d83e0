#include "designer/SheetFontPage.h"

#include "designer/SheetEditors.h"

#include "model/Vocabulary.h"
#include "support/NumberFormat.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Vocabulary;

SheetFontPage::SheetFontPage(SheetEditors &editors) : m_editors(editors)
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("FontName"));
    m_size = new QLabel(this);
    m_size->setObjectName(QStringLiteral("FontSize"));
    m_style = new QLabel(this);
    m_style->setObjectName(QStringLiteral("FontStyle"));
    form->addRow(tr("Name:"), m_name);
    form->addRow(tr("Size:"), m_size);
    form->addRow(tr("Style:"), m_style);
    layout->addLayout(form);
    auto *row = new QHBoxLayout;
    const struct { int Code; const char *Label; } flags[] = {
        {Prop::FontBold, "Bold"}, {Prop::FontItalic, "Italic"}, {Prop::FontUnderline, "Underline"}};
    for (const auto &flag : flags) {
        auto *box = new QCheckBox(editors.WithAccessKey(tr(flag.Label)), this);
        box->setObjectName(QStringLiteral("Field") + QString::number(flag.Code));
        editors.AddField(flag.Code, box);
        row->addWidget(box);
        connect(box, &QCheckBox::toggled, this,
                [this, code = flag.Code](bool on) { Tick(code, on); });
    }
    row->addStretch(1);
    layout->addLayout(row);
    m_useDefault = new QCheckBox(editors.WithAccessKey(tr("Use default font")), this);
    m_useDefault->setChecked(editors.Model().UsesDefault(Prop::FontName));
    editors.AddUseDefault(Prop::FontName, m_useDefault);
    m_change = new QPushButton(editors.WithAccessKey(tr("Change...")), this);
    m_change->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_useDefault);
    buttons->addStretch(1);
    buttons->addWidget(m_change);
    layout->addLayout(buttons);
    layout->addStretch(1);
    editors.AddField(Prop::FontName, m_change);

    connect(m_useDefault, &QCheckBox::toggled, this, [this](bool on) {
        m_editors.Model().SetUseDefault(Prop::FontName, on);
        Refresh();
    });
    connect(m_change, &QPushButton::clicked, this, &SheetFontPage::Change);
}

void SheetFontPage::Tick(int code, bool on)
{
    PropertySheetModel &model = m_editors.Model();
    if (model.Text(code) == (on ? QLatin1String("1") : QLatin1String("0")))
        return;
    bool ok = false;
    const double size = NumberFormat::ParseInvariant(model.Text(Prop::FontSize), &ok);
    const auto flag = [&](int flagCode) {
        return code == flagCode ? on : model.Text(flagCode) == QLatin1String("1");
    };
    model.SetFont(model.Text(Prop::FontName), ok ? size : 9, flag(Prop::FontBold),
                  flag(Prop::FontItalic), flag(Prop::FontUnderline));
    Refresh();
}

void SheetFontPage::Change()
{
    PropertySheetModel &model = m_editors.Model();
    bool ok = false;
    const double size = NumberFormat::ParseInvariant(model.Text(Prop::FontSize), &ok);
    QFont font(model.Text(Prop::FontName), ok ? qRound(size) : 9);
    font.setBold(model.Text(Prop::FontBold) == "1");
    font.setItalic(model.Text(Prop::FontItalic) == "1");
    font.setUnderline(model.Text(Prop::FontUnderline) == "1");
    bool chosen = false;
    if (m_editors.Choose().Font) {
        chosen = m_editors.Choose().Font(font);
    } else {
        QWidget &dialog = m_editors.Dialog();
        font = QFontDialog::getFont(&chosen, font, &dialog, dialog.windowTitle());
    }
    if (!chosen)
        return;
    model.SetFont(font.family(), font.pointSizeF() > 0 ? font.pointSizeF() : 9, font.bold(),
                  font.italic(), font.underline());
    Refresh();
}

void SheetFontPage::Refresh()
{
    const PropertySheetModel &model = m_editors.Model();
    const bool isDefault = model.UsesDefault(Prop::FontName);
    m_name->setText(model.Text(Prop::FontName));
    // The name is shown in the font itself, as a sample.
    bool sizeOk = false;
    const double points = NumberFormat::ParseInvariant(model.Text(Prop::FontSize), &sizeOk);
    QFont sample(model.Text(Prop::FontName));
    sample.setPointSizeF(sizeOk ? qBound(4.0, points, 36.0) : 9.0);
    sample.setBold(model.Text(Prop::FontBold) == "1");
    sample.setItalic(model.Text(Prop::FontItalic) == "1");
    sample.setUnderline(model.Text(Prop::FontUnderline) == "1");
    m_name->setFont(sample);
    m_size->setText(model.Text(Prop::FontSize));
    QStringList style;
    if (model.Text(Prop::FontBold) == "1")
        style << tr("Bold");
    if (model.Text(Prop::FontItalic) == "1")
        style << tr("Italic");
    if (model.Text(Prop::FontUnderline) == "1")
        style << tr("Underline");
    m_style->setText((style.isEmpty() ? tr("Regular") : style.join(", "))
                     + (isDefault ? tr(" (default)") : QString()));
    for (int code : {Prop::FontBold, Prop::FontItalic, Prop::FontUnderline})
        if (auto *box = qobject_cast<QCheckBox *>(m_editors.Field(code))) {
            const QSignalBlocker block(box);
            box->setChecked(model.Text(code) == "1");
        }
    const QSignalBlocker block(m_useDefault);
    m_useDefault->setChecked(isDefault);
}
