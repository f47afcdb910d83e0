#pragma once

#include "panels/PropertySheetModel.h"

#include <QHash>
#include <QString>
#include <functional>

class QCheckBox;
class QFont;
class QLabel;
class QWidget;
class iPrompter;

// What the property sheet's pages share while the sheet shows an object: its model, the
// prompter for the questions edits ask, the dialog the system choosers open over, the editor
// of each field (the sheet focuses it when a check refuses the field), and the access keys the
// page being built has given away. It makes the editors of plain fields.
class SheetEditors final
{
public:
    // The system choosers, or what a test puts in their place (empty: the system's own).
    struct Choosers
    {
        const std::function<bool(qint32 &colour)> &Colour;
        const std::function<bool(QFont &font)> &Font;
        const std::function<QString(const QString &filter)> &File;
    };

    SheetEditors(PropertySheetModel &model, iPrompter &prompter, QWidget &dialog,
                 Choosers choosers)
        : m_model(model), m_prompter(prompter), m_dialog(dialog), m_choosers(choosers)
    {
    }

    PropertySheetModel &Model() const { return m_model; }
    iPrompter &Prompter() const { return m_prompter; }
    QWidget &Dialog() const { return m_dialog; }
    const Choosers &Choose() const { return m_choosers; }

    // Forgets the editors of the pages shown before.
    void Clear();
    // A new page: the letters of the identity area and the buttons are taken already.
    void StartPage() { m_usedKeys = QStringLiteral("icans"); }
    // The label with an access key: its own, or the first letter the page has not given away.
    QString WithAccessKey(const QString &label);

    // The editor of a field (line edit, check box or combo box), or of one of its parts.
    QWidget *Field(int code) const { return m_fields.value(code); }
    void AddField(int code, QWidget *editor) { m_fields.insert(code, editor); }
    // The "Use default ..." tick of a colour, font or icon.
    QCheckBox *UseDefault(int code) const { return m_useDefault.value(code); }
    void AddUseDefault(int code, QCheckBox *box) { m_useDefault.insert(code, box); }
    QLabel *ColourDescription(int code) const { return m_colourDescriptions.value(code); }
    void AddColourDescription(int code, QLabel *label) { m_colourDescriptions.insert(code, label); }

    // A check box, choice list or line edit that edits the field in the model.
    QWidget *FieldEditor(const PropertySheetModel::Field &field, QWidget *parent);
    // Shows whether the field holds only its default (in italics, with a tip).
    void ShowDefaultMark(int code, QWidget *editor) const;

private:
    PropertySheetModel &m_model;
    iPrompter &m_prompter;
    QWidget &m_dialog;
    Choosers m_choosers;
    QHash<int, QWidget *> m_fields;
    QHash<int, QCheckBox *> m_useDefault;
    QHash<int, QLabel *> m_colourDescriptions;
    QString m_usedKeys;
};
