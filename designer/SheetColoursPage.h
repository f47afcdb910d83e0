#pragma once

#include "panels/PropertySheetModel.h"

#include <QWidget>

class QComboBox;
class SheetEditors;

// The Colors page of the property sheet: each colour as a list of the standard and system
// colours with "Custom Color >>" (the colour chooser), a "Use default color" tick and the
// colour described in words; the page's other fields below.
class SheetColoursPage final : public QWidget
{
public:
    explicit SheetColoursPage(SheetEditors &editors);

private:
    QWidget *ColourEditor(const PropertySheetModel::Field &field);
    void Fill(QComboBox *combo, int code);
    void Chosen(int code, QComboBox *combo);

    SheetEditors &m_editors;
};
