#include "designer/SheetEditors.h"

#include "model/Vocabulary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace Vocabulary;
using Kind = PropertySheetModel::Kind;

void SheetEditors::Clear()
{
    m_fields.clear();
    m_useDefault.clear();
    m_colourDescriptions.clear();
}

QString SheetEditors::WithAccessKey(const QString &label)
{
    if (label.contains(QLatin1Char('&')) && !label.contains(QLatin1String("&&")))
        return label;
    // The first letter not yet taken on this page (nor by the identity and the buttons).
    for (int i = 0; i < label.size(); ++i) {
        const QChar c = label[i].toLower();
        if (!c.isLetter() || m_usedKeys.contains(c))
            continue;
        m_usedKeys.append(c);
        QString out = label;
        out.insert(i, QLatin1Char('&'));
        return out;
    }
    return label;
}

QWidget *SheetEditors::FieldEditor(const PropertySheetModel::Field &field, QWidget *parent)
{
    const int code = field.Code;
    QWidget *editor = nullptr;
    switch (field.Type) {
    case Kind::Check: {
        auto *box = new QCheckBox(WithAccessKey(field.Label), parent);
        box->setChecked(m_model.Text(code) == QLatin1String("1"));
        QObject::connect(box, &QCheckBox::toggled, box, [this, code, box](bool on) {
            m_model.SetText(code, on ? QStringLiteral("1") : QStringLiteral("0"));
            ShowDefaultMark(code, box);
        });
        editor = box;
        break;
    }
    case Kind::Choice: {
        auto *combo = new QComboBox(parent);
        const QString current = m_model.Text(code);
        int index = -1;
        for (const auto &c : field.Choices) {
            combo->addItem(c.Label, c.Value);
            if (c.Value == current)
                index = combo->count() - 1;
        }
        combo->setCurrentIndex(index < 0 ? 0 : index);
        QObject::connect(combo, &QComboBox::activated, combo, [this, code, combo](int i) {
            if (code == Prop::HelpType)
                m_model.ChooseHelpType(combo->itemData(i).toInt(), m_prompter);
            else
                m_model.SetText(code, combo->itemData(i).toString());
            ShowDefaultMark(code, combo);
        });
        editor = combo;
        break;
    }
    default: {
        auto *edit = new QLineEdit(m_model.Text(code), parent);
        edit->setCursorPosition(0);
        if (!field.Word.isEmpty())
            edit->setPlaceholderText(field.Word);
        if (field.ReadOnly)
            edit->setEnabled(false);
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [this, code, edit](const QString &text) {
                             m_model.SetText(code, text);
                             ShowDefaultMark(code, edit);
                         });
        editor = edit;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("Field") + QString::number(code));
    m_fields.insert(code, editor);
    ShowDefaultMark(code, editor);
    return editor;
}

void SheetEditors::ShowDefaultMark(int code, QWidget *editor) const
{
    // A value that is only the default is shown in italics, with a tip that says so; grey
    // would read as "disabled".
    const bool isDefault = m_model.IsDefault(code);
    QFont font = editor->font();
    if (font.italic() != isDefault) {
        font.setItalic(isDefault);
        editor->setFont(font);
    }
    editor->setToolTip(isDefault ? QObject::tr("default") : QString());
}
