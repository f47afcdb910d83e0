#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class SheetEditors;

// The Font page of the property sheet: the font's name (shown in the font itself), size and
// style, ticks for bold, italic and underline, "Use default font" and "Change..." (the font
// chooser).
class SheetFontPage final : public QWidget
{
public:
    explicit SheetFontPage(SheetEditors &editors);

    QPushButton *ChangeButton() const { return m_change; }
    QLabel *Summary() const { return m_name; }
    // Shows the font the model holds.
    void Refresh();

private:
    void Tick(int code, bool on);
    void Change();

    SheetEditors &m_editors;
    QLabel *m_name;
    QLabel *m_size;
    QLabel *m_style;
    QCheckBox *m_useDefault;
    QPushButton *m_change;
};
