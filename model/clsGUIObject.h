#pragma once

#include "model/cvGUIObject.h"
#include "model/iPropertySource.h"

// The object handed to extension components: it answers from the property sheet's pending
// values of the object being edited, so a component sees what the user has typed before it
// is applied. Only the extension value can be written; the members it does not serve raise
// the not-implemented error.
class clsGUIObject final : public cvGUIObject
{
public:
    // The source is not owned and must outlive this object; without one every read and the
    // extension write raise "object not set".
    explicit clsGUIObject(iPropertySource *source = nullptr) : m_source(source) {}
    void SetSource(iPropertySource *source) { m_source = source; }
    iPropertySource *Source() const { return m_source; }

    QString Align() const override;
    void SetAlign(const QString &value) override;
    QString AltColor() const override;
    void SetAltColor(const QString &value) override;
    QString Arrange() const override;
    void SetArrange(const QString &value) override;
    QString Author() const override;
    void SetAuthor(const QString &value) override;
    QString AutoSelect() const override;
    void SetAutoSelect(const QString &value) override;
    QString BackColor() const override;
    void SetBackColor(const QString &value) override;
    QString Border() const override;
    void SetBorder(const QString &value) override;
    QString Caption() const override;
    void SetCaption(const QString &value) override;
    QString Columns() const override;
    void SetColumns(const QString &value) override;
    QString Copyright() const override;
    void SetCopyright(const QString &value) override;
    QString DataCol() const override;
    void SetDataCol(const QString &value) override;
    QString DataType() const override;
    void SetDataType(const QString &value) override;
    QString DefVal() const override;
    void SetDefVal(const QString &value) override;
    QString Description() const override;
    void SetDescription(const QString &value) override;
    QString Enabled() const override;
    void SetEnabled(const QString &value) override;
    QString EventMask() const override;
    void SetEventMask(const QString &value) override;
    QString Extension() const override;
    void SetExtension(const QString &value) override;
    QString FixedCols() const override;
    void SetFixedCols(const QString &value) override;
    QString FontBold() const override;
    void SetFontBold(const QString &value) override;
    QString FontItalic() const override;
    void SetFontItalic(const QString &value) override;
    QString FontName() const override;
    void SetFontName(const QString &value) override;
    QString FontSize() const override;
    void SetFontSize(const QString &value) override;
    QString FontUnderline() const override;
    void SetFontUnderline(const QString &value) override;
    QString ForeColor() const override;
    void SetForeColor(const QString &value) override;
    QString GridLines() const override;
    void SetGridLines(const QString &value) override;
    QString Height() const override;
    void SetHeight(const QString &value) override;
    QString HelpFile() const override;
    void SetHelpFile(const QString &value) override;
    QString HelpID() const override;
    void SetHelpID(const QString &value) override;
    QString HelpType() const override;
    void SetHelpType(const QString &value) override;
    QString Hint() const override;
    void SetHint(const QString &value) override;
    QString IconFileName() const override;
    void SetIconFileName(const QString &value) override;
    QString ID() const override;
    void SetID(const QString &value) override;
    QString Items() const override;
    void SetItems(const QString &value) override;
    QString Left() const override;
    void SetLeft(const QString &value) override;
    QString LogoFileName() const override;
    void SetLogoFileName(const QString &value) override;
    QString MaxDrop() const override;
    void SetMaxDrop(const QString &value) override;
    QString MaxLen() const override;
    void SetMaxLen(const QString &value) override;
    QString MaxLines() const override;
    void SetMaxLines(const QString &value) override;
    QString MsgText() const override;
    void SetMsgText(const QString &value) override;
    QString ObjectType() const override;
    void SetObjectType(const QString &value) override;
    QString PictureFileName() const override;
    void SetPictureFileName(const QString &value) override;
    QString ReadOnly() const override;
    void SetReadOnly(const QString &value) override;
    QString Required() const override;
    void SetRequired(const QString &value) override;
    QString RtnEqTab() const override;
    void SetRtnEqTab(const QString &value) override;
    QString ScaleMode() const override;
    void SetScaleMode(const QString &value) override;
    QString State() const override;
    void SetState(const QString &value) override;
    QString Style() const override;
    void SetStyle(const QString &value) override;
    QString TabStop() const override;
    void SetTabStop(const QString &value) override;
    QString Timeout() const override;
    void SetTimeout(const QString &value) override;
    QString Top() const override;
    void SetTop(const QString &value) override;
    QString Version() const override;
    void SetVersion(const QString &value) override;
    QString Visible() const override;
    void SetVisible(const QString &value) override;
    QString Width() const override;
    void SetWidth(const QString &value) override;
    QString WindowState() const override;
    void SetWindowState(const QString &value) override;

    QString ColAlign(int column) const override;
    void SetColAlign(int column, const QString &value) override;
    QString ColDataType(int column) const override;
    void SetColDataType(int column, const QString &value) override;
    QString ColFieldType(int column) const override;
    void SetColFieldType(int column, const QString &value) override;
    QString ColHeading(int column) const override;
    void SetColHeading(int column, const QString &value) override;
    QString ColHint(int column) const override;
    void SetColHint(int column, const QString &value) override;
    QString ColItems(int column) const override;
    void SetColItems(int column, const QString &value) override;
    QString ColSizable(int column) const override;
    void SetColSizable(int column, const QString &value) override;
    QString ColWidth(int column) const override;
    void SetColWidth(int column, const QString &value) override;

private:
    QString Read(const char *member, int propertyCode, int column = 0) const;
    [[noreturn]] static void ReadOnly(const char *member);
    [[noreturn]] static void NotImplemented(const char *member);

    iPropertySource *m_source;
};
