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

    virtual QString Align() const override;
    virtual void SetAlign(const QString &value) override;
    virtual QString AltColor() const override;
    virtual void SetAltColor(const QString &value) override;
    virtual QString Arrange() const override;
    virtual void SetArrange(const QString &value) override;
    virtual QString Author() const override;
    virtual void SetAuthor(const QString &value) override;
    virtual QString AutoSelect() const override;
    virtual void SetAutoSelect(const QString &value) override;
    virtual QString BackColor() const override;
    virtual void SetBackColor(const QString &value) override;
    virtual QString Border() const override;
    virtual void SetBorder(const QString &value) override;
    virtual QString Caption() const override;
    virtual void SetCaption(const QString &value) override;
    virtual QString Columns() const override;
    virtual void SetColumns(const QString &value) override;
    virtual QString Copyright() const override;
    virtual void SetCopyright(const QString &value) override;
    virtual QString DataCol() const override;
    virtual void SetDataCol(const QString &value) override;
    virtual QString DataType() const override;
    virtual void SetDataType(const QString &value) override;
    virtual QString DefVal() const override;
    virtual void SetDefVal(const QString &value) override;
    virtual QString Description() const override;
    virtual void SetDescription(const QString &value) override;
    virtual QString Enabled() const override;
    virtual void SetEnabled(const QString &value) override;
    virtual QString EventMask() const override;
    virtual void SetEventMask(const QString &value) override;
    virtual QString Extension() const override;
    virtual void SetExtension(const QString &value) override;
    virtual QString FixedCols() const override;
    virtual void SetFixedCols(const QString &value) override;
    virtual QString FontBold() const override;
    virtual void SetFontBold(const QString &value) override;
    virtual QString FontItalic() const override;
    virtual void SetFontItalic(const QString &value) override;
    virtual QString FontName() const override;
    virtual void SetFontName(const QString &value) override;
    virtual QString FontSize() const override;
    virtual void SetFontSize(const QString &value) override;
    virtual QString FontUnderline() const override;
    virtual void SetFontUnderline(const QString &value) override;
    virtual QString ForeColor() const override;
    virtual void SetForeColor(const QString &value) override;
    virtual QString GridLines() const override;
    virtual void SetGridLines(const QString &value) override;
    virtual QString Height() const override;
    virtual void SetHeight(const QString &value) override;
    virtual QString HelpFile() const override;
    virtual void SetHelpFile(const QString &value) override;
    virtual QString HelpID() const override;
    virtual void SetHelpID(const QString &value) override;
    virtual QString HelpType() const override;
    virtual void SetHelpType(const QString &value) override;
    virtual QString Hint() const override;
    virtual void SetHint(const QString &value) override;
    virtual QString IconFileName() const override;
    virtual void SetIconFileName(const QString &value) override;
    virtual QString ID() const override;
    virtual void SetID(const QString &value) override;
    virtual QString Items() const override;
    virtual void SetItems(const QString &value) override;
    virtual QString Left() const override;
    virtual void SetLeft(const QString &value) override;
    virtual QString LogoFileName() const override;
    virtual void SetLogoFileName(const QString &value) override;
    virtual QString MaxDrop() const override;
    virtual void SetMaxDrop(const QString &value) override;
    virtual QString MaxLen() const override;
    virtual void SetMaxLen(const QString &value) override;
    virtual QString MaxLines() const override;
    virtual void SetMaxLines(const QString &value) override;
    virtual QString MsgText() const override;
    virtual void SetMsgText(const QString &value) override;
    virtual QString ObjectType() const override;
    virtual void SetObjectType(const QString &value) override;
    virtual QString PictureFileName() const override;
    virtual void SetPictureFileName(const QString &value) override;
    virtual QString ReadOnly() const override;
    virtual void SetReadOnly(const QString &value) override;
    virtual QString Required() const override;
    virtual void SetRequired(const QString &value) override;
    virtual QString RtnEqTab() const override;
    virtual void SetRtnEqTab(const QString &value) override;
    virtual QString ScaleMode() const override;
    virtual void SetScaleMode(const QString &value) override;
    virtual QString State() const override;
    virtual void SetState(const QString &value) override;
    virtual QString Style() const override;
    virtual void SetStyle(const QString &value) override;
    virtual QString TabStop() const override;
    virtual void SetTabStop(const QString &value) override;
    virtual QString Timeout() const override;
    virtual void SetTimeout(const QString &value) override;
    virtual QString Top() const override;
    virtual void SetTop(const QString &value) override;
    virtual QString Version() const override;
    virtual void SetVersion(const QString &value) override;
    virtual QString Visible() const override;
    virtual void SetVisible(const QString &value) override;
    virtual QString Width() const override;
    virtual void SetWidth(const QString &value) override;
    virtual QString WindowState() const override;
    virtual void SetWindowState(const QString &value) override;

    virtual QString ColAlign(int column) const override;
    virtual void SetColAlign(int column, const QString &value) override;
    virtual QString ColDataType(int column) const override;
    virtual void SetColDataType(int column, const QString &value) override;
    virtual QString ColFieldType(int column) const override;
    virtual void SetColFieldType(int column, const QString &value) override;
    virtual QString ColHeading(int column) const override;
    virtual void SetColHeading(int column, const QString &value) override;
    virtual QString ColHint(int column) const override;
    virtual void SetColHint(int column, const QString &value) override;
    virtual QString ColItems(int column) const override;
    virtual void SetColItems(int column, const QString &value) override;
    virtual QString ColSizable(int column) const override;
    virtual void SetColSizable(int column, const QString &value) override;
    virtual QString ColWidth(int column) const override;
    virtual void SetColWidth(int column, const QString &value) override;

private:
    QString Read(const char *member, int propertyCode, int column = 0) const;
    [[noreturn]] static void ReadOnly(const char *member);
    [[noreturn]] static void NotImplemented(const char *member);

    iPropertySource *m_source;
};
