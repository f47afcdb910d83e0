#pragma once

#include <QString>

// The object an extension component receives for the object being edited in the property
// sheet. Every property is offered as a read accessor and a write accessor taking and giving
// the value as text; the per-column properties take a 1-based column index. An
// implementation may leave members out: those raise the not-implemented error, and members
// it only reads raise the read-only error when written.
class cvGUIObject
{
public:
    virtual ~cvGUIObject() = default;

    virtual QString Align() const = 0;
    virtual void SetAlign(const QString &value) = 0;
    virtual QString AltColor() const = 0;
    virtual void SetAltColor(const QString &value) = 0;
    virtual QString Arrange() const = 0;
    virtual void SetArrange(const QString &value) = 0;
    virtual QString Author() const = 0;
    virtual void SetAuthor(const QString &value) = 0;
    virtual QString AutoSelect() const = 0;
    virtual void SetAutoSelect(const QString &value) = 0;
    virtual QString BackColor() const = 0;
    virtual void SetBackColor(const QString &value) = 0;
    virtual QString Border() const = 0;
    virtual void SetBorder(const QString &value) = 0;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString &value) = 0;
    virtual QString Columns() const = 0;
    virtual void SetColumns(const QString &value) = 0;
    virtual QString Copyright() const = 0;
    virtual void SetCopyright(const QString &value) = 0;
    virtual QString DataCol() const = 0;
    virtual void SetDataCol(const QString &value) = 0;
    virtual QString DataType() const = 0;
    virtual void SetDataType(const QString &value) = 0;
    virtual QString DefVal() const = 0;
    virtual void SetDefVal(const QString &value) = 0;
    virtual QString Description() const = 0;
    virtual void SetDescription(const QString &value) = 0;
    virtual QString Enabled() const = 0;
    virtual void SetEnabled(const QString &value) = 0;
    virtual QString EventMask() const = 0;
    virtual void SetEventMask(const QString &value) = 0;
    virtual QString Extension() const = 0;
    virtual void SetExtension(const QString &value) = 0;
    virtual QString FixedCols() const = 0;
    virtual void SetFixedCols(const QString &value) = 0;
    virtual QString FontBold() const = 0;
    virtual void SetFontBold(const QString &value) = 0;
    virtual QString FontItalic() const = 0;
    virtual void SetFontItalic(const QString &value) = 0;
    virtual QString FontName() const = 0;
    virtual void SetFontName(const QString &value) = 0;
    virtual QString FontSize() const = 0;
    virtual void SetFontSize(const QString &value) = 0;
    virtual QString FontUnderline() const = 0;
    virtual void SetFontUnderline(const QString &value) = 0;
    virtual QString ForeColor() const = 0;
    virtual void SetForeColor(const QString &value) = 0;
    virtual QString GridLines() const = 0;
    virtual void SetGridLines(const QString &value) = 0;
    virtual QString Height() const = 0;
    virtual void SetHeight(const QString &value) = 0;
    virtual QString HelpFile() const = 0;
    virtual void SetHelpFile(const QString &value) = 0;
    virtual QString HelpID() const = 0;
    virtual void SetHelpID(const QString &value) = 0;
    virtual QString HelpType() const = 0;
    virtual void SetHelpType(const QString &value) = 0;
    virtual QString Hint() const = 0;
    virtual void SetHint(const QString &value) = 0;
    virtual QString IconFileName() const = 0;
    virtual void SetIconFileName(const QString &value) = 0;
    virtual QString ID() const = 0;
    virtual void SetID(const QString &value) = 0;
    virtual QString Items() const = 0;
    virtual void SetItems(const QString &value) = 0;
    virtual QString Left() const = 0;
    virtual void SetLeft(const QString &value) = 0;
    virtual QString LogoFileName() const = 0;
    virtual void SetLogoFileName(const QString &value) = 0;
    virtual QString MaxDrop() const = 0;
    virtual void SetMaxDrop(const QString &value) = 0;
    virtual QString MaxLen() const = 0;
    virtual void SetMaxLen(const QString &value) = 0;
    virtual QString MaxLines() const = 0;
    virtual void SetMaxLines(const QString &value) = 0;
    virtual QString MsgText() const = 0;
    virtual void SetMsgText(const QString &value) = 0;
    virtual QString ObjectType() const = 0;
    virtual void SetObjectType(const QString &value) = 0;
    virtual QString PictureFileName() const = 0;
    virtual void SetPictureFileName(const QString &value) = 0;
    virtual QString ReadOnly() const = 0;
    virtual void SetReadOnly(const QString &value) = 0;
    virtual QString Required() const = 0;
    virtual void SetRequired(const QString &value) = 0;
    virtual QString RtnEqTab() const = 0;
    virtual void SetRtnEqTab(const QString &value) = 0;
    virtual QString ScaleMode() const = 0;
    virtual void SetScaleMode(const QString &value) = 0;
    virtual QString State() const = 0;
    virtual void SetState(const QString &value) = 0;
    virtual QString Style() const = 0;
    virtual void SetStyle(const QString &value) = 0;
    virtual QString TabStop() const = 0;
    virtual void SetTabStop(const QString &value) = 0;
    virtual QString Timeout() const = 0;
    virtual void SetTimeout(const QString &value) = 0;
    virtual QString Top() const = 0;
    virtual void SetTop(const QString &value) = 0;
    virtual QString Version() const = 0;
    virtual void SetVersion(const QString &value) = 0;
    virtual QString Visible() const = 0;
    virtual void SetVisible(const QString &value) = 0;
    virtual QString Width() const = 0;
    virtual void SetWidth(const QString &value) = 0;
    virtual QString WindowState() const = 0;
    virtual void SetWindowState(const QString &value) = 0;

    // Per-column properties of lists and grids.
    virtual QString ColAlign(int column) const = 0;
    virtual void SetColAlign(int column, const QString &value) = 0;
    virtual QString ColDataType(int column) const = 0;
    virtual void SetColDataType(int column, const QString &value) = 0;
    virtual QString ColFieldType(int column) const = 0;
    virtual void SetColFieldType(int column, const QString &value) = 0;
    virtual QString ColHeading(int column) const = 0;
    virtual void SetColHeading(int column, const QString &value) = 0;
    virtual QString ColHint(int column) const = 0;
    virtual void SetColHint(int column, const QString &value) = 0;
    virtual QString ColItems(int column) const = 0;
    virtual void SetColItems(int column, const QString &value) = 0;
    virtual QString ColSizable(int column) const = 0;
    virtual void SetColSizable(int column, const QString &value) = 0;
    virtual QString ColWidth(int column) const = 0;
    virtual void SetColWidth(int column, const QString &value) = 0;
};
