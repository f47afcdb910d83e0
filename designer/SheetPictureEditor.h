#pragma once

#include "panels/PropertySheetModel.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class SheetEditors;

// The editor of a picture, logo or icon field of the property sheet: the file name with
// Browse and Clear; for an icon also a preview, the "Default icon" tick and, on a form, "Show
// form icon". A chosen file that cannot be loaded is refused with a message.
class SheetPictureEditor final : public QWidget
{
public:
    SheetPictureEditor(SheetEditors &editors, const PropertySheetModel::Field &field,
                       QWidget *parent);

private:
    void Browse();
    void Clear();
    void ShowPreview();

    SheetEditors &m_editors;
    const int m_code;
    const bool m_icon;
    QLineEdit *m_edit;
    QLabel *m_preview = nullptr;
    QCheckBox *m_useDefault = nullptr;
};
