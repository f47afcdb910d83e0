#include "model/clsGUIObject.h"

#include "support/GuiError.h"

namespace {
constexpr int kExtensionCode = 50;

QString Label(const char *member)
{
    return QStringLiteral("<clsGUIObject ") + QString::fromLatin1(member) + QLatin1Char('>');
}
} // namespace

QString clsGUIObject::Read(const char *member, int propertyCode, int column) const
{
    if (!m_source)
        throw GuiError(GuiErrors::ObjectNotSet, {}, Label(member));
    return m_source->GetPendingValue(propertyCode, column);
}

void clsGUIObject::ReadOnly(const char *member)
{
    throw GuiError(GuiErrors::ReadOnlyProperty, {}, Label(member));
}

void clsGUIObject::NotImplemented(const char *member)
{
    throw GuiError(GuiErrors::NotImplemented, {}, Label(member));
}

void clsGUIObject::SetExtension(const QString &value)
{
    if (!m_source)
        throw GuiError(GuiErrors::ObjectNotSet, {}, Label("Extension"));
    m_source->SetPendingValue(kExtensionCode, value);
}

// Members served from the pending values.
QString clsGUIObject::ObjectType() const { return Read("ObjectType", -1); }
void clsGUIObject::SetObjectType(const QString &) { ReadOnly("ObjectType"); }
QString clsGUIObject::ID() const { return Read("ID", -2); }
void clsGUIObject::SetID(const QString &) { ReadOnly("ID"); }
QString clsGUIObject::Extension() const { return Read("Extension", 50); }
QString clsGUIObject::Left() const { return Read("Left", 2); }
void clsGUIObject::SetLeft(const QString &) { ReadOnly("Left"); }
QString clsGUIObject::Top() const { return Read("Top", 3); }
void clsGUIObject::SetTop(const QString &) { ReadOnly("Top"); }
QString clsGUIObject::Width() const { return Read("Width", 4); }
void clsGUIObject::SetWidth(const QString &) { ReadOnly("Width"); }
QString clsGUIObject::Height() const { return Read("Height", 5); }
void clsGUIObject::SetHeight(const QString &) { ReadOnly("Height"); }
QString clsGUIObject::ScaleMode() const { return Read("ScaleMode", 7); }
void clsGUIObject::SetScaleMode(const QString &) { ReadOnly("ScaleMode"); }
QString clsGUIObject::Enabled() const { return Read("Enabled", 8); }
void clsGUIObject::SetEnabled(const QString &) { ReadOnly("Enabled"); }
QString clsGUIObject::Visible() const { return Read("Visible", 9); }
void clsGUIObject::SetVisible(const QString &) { ReadOnly("Visible"); }
QString clsGUIObject::Style() const { return Read("Style", 10); }
void clsGUIObject::SetStyle(const QString &) { ReadOnly("Style"); }
QString clsGUIObject::ReadOnly() const { return Read("ReadOnly", 12); }
void clsGUIObject::SetReadOnly(const QString &) { ReadOnly("ReadOnly"); }
QString clsGUIObject::Columns() const { return Read("Columns", 27); }
void clsGUIObject::SetColumns(const QString &) { ReadOnly("Columns"); }
QString clsGUIObject::DataType() const { return Read("DataType", 29); }
void clsGUIObject::SetDataType(const QString &) { ReadOnly("DataType"); }
QString clsGUIObject::Required() const { return Read("Required", 54); }
void clsGUIObject::SetRequired(const QString &) { ReadOnly("Required"); }
QString clsGUIObject::EventMask() const { return Read("EventMask", 99); }
void clsGUIObject::SetEventMask(const QString &) { ReadOnly("EventMask"); }
QString clsGUIObject::ColHeading(int column) const { return Read("ColHeading", 32, column); }
void clsGUIObject::SetColHeading(int, const QString &) { ReadOnly("ColHeading"); }
QString clsGUIObject::ColFieldType(int column) const { return Read("ColFieldType", 34, column); }
void clsGUIObject::SetColFieldType(int, const QString &) { ReadOnly("ColFieldType"); }
QString clsGUIObject::ColDataType(int column) const { return Read("ColDataType", 35, column); }
void clsGUIObject::SetColDataType(int, const QString &) { ReadOnly("ColDataType"); }
QString clsGUIObject::ColWidth(int column) const { return Read("ColWidth", 37, column); }
void clsGUIObject::SetColWidth(int, const QString &) { ReadOnly("ColWidth"); }
QString clsGUIObject::ColAlign(int column) const { return Read("ColAlign", 38, column); }
void clsGUIObject::SetColAlign(int, const QString &) { ReadOnly("ColAlign"); }
QString clsGUIObject::ColSizable(int column) const { return Read("ColSizable", 63, column); }
void clsGUIObject::SetColSizable(int, const QString &) { ReadOnly("ColSizable"); }

// Members this object does not serve.
QString clsGUIObject::Align() const { NotImplemented("Align"); }
void clsGUIObject::SetAlign(const QString &) { NotImplemented("Align"); }
QString clsGUIObject::AltColor() const { NotImplemented("AltColor"); }
void clsGUIObject::SetAltColor(const QString &) { NotImplemented("AltColor"); }
QString clsGUIObject::Arrange() const { NotImplemented("Arrange"); }
void clsGUIObject::SetArrange(const QString &) { NotImplemented("Arrange"); }
QString clsGUIObject::Author() const { NotImplemented("Author"); }
void clsGUIObject::SetAuthor(const QString &) { NotImplemented("Author"); }
QString clsGUIObject::AutoSelect() const { NotImplemented("AutoSelect"); }
void clsGUIObject::SetAutoSelect(const QString &) { NotImplemented("AutoSelect"); }
QString clsGUIObject::BackColor() const { NotImplemented("BackColor"); }
void clsGUIObject::SetBackColor(const QString &) { NotImplemented("BackColor"); }
QString clsGUIObject::Border() const { NotImplemented("Border"); }
void clsGUIObject::SetBorder(const QString &) { NotImplemented("Border"); }
QString clsGUIObject::Caption() const { NotImplemented("Caption"); }
void clsGUIObject::SetCaption(const QString &) { NotImplemented("Caption"); }
QString clsGUIObject::Copyright() const { NotImplemented("Copyright"); }
void clsGUIObject::SetCopyright(const QString &) { NotImplemented("Copyright"); }
QString clsGUIObject::DataCol() const { NotImplemented("DataCol"); }
void clsGUIObject::SetDataCol(const QString &) { NotImplemented("DataCol"); }
QString clsGUIObject::DefVal() const { NotImplemented("DefVal"); }
void clsGUIObject::SetDefVal(const QString &) { NotImplemented("DefVal"); }
QString clsGUIObject::Description() const { NotImplemented("Description"); }
void clsGUIObject::SetDescription(const QString &) { NotImplemented("Description"); }
QString clsGUIObject::FixedCols() const { NotImplemented("FixedCols"); }
void clsGUIObject::SetFixedCols(const QString &) { NotImplemented("FixedCols"); }
QString clsGUIObject::FontName() const { NotImplemented("FontName"); }
void clsGUIObject::SetFontName(const QString &) { NotImplemented("FontName"); }
QString clsGUIObject::FontSize() const { NotImplemented("FontSize"); }
void clsGUIObject::SetFontSize(const QString &) { NotImplemented("FontSize"); }
QString clsGUIObject::FontBold() const { NotImplemented("FontBold"); }
void clsGUIObject::SetFontBold(const QString &) { NotImplemented("FontBold"); }
QString clsGUIObject::FontItalic() const { NotImplemented("FontItalic"); }
void clsGUIObject::SetFontItalic(const QString &) { NotImplemented("FontItalic"); }
QString clsGUIObject::FontUnderline() const { NotImplemented("FontUnderline"); }
void clsGUIObject::SetFontUnderline(const QString &) { NotImplemented("FontUnderline"); }
QString clsGUIObject::ForeColor() const { NotImplemented("ForeColor"); }
void clsGUIObject::SetForeColor(const QString &) { NotImplemented("ForeColor"); }
QString clsGUIObject::GridLines() const { NotImplemented("GridLines"); }
void clsGUIObject::SetGridLines(const QString &) { NotImplemented("GridLines"); }
QString clsGUIObject::HelpFile() const { NotImplemented("HelpFile"); }
void clsGUIObject::SetHelpFile(const QString &) { NotImplemented("HelpFile"); }
QString clsGUIObject::HelpID() const { NotImplemented("HelpID"); }
void clsGUIObject::SetHelpID(const QString &) { NotImplemented("HelpID"); }
QString clsGUIObject::HelpType() const { NotImplemented("HelpType"); }
void clsGUIObject::SetHelpType(const QString &) { NotImplemented("HelpType"); }
QString clsGUIObject::Hint() const { NotImplemented("Hint"); }
void clsGUIObject::SetHint(const QString &) { NotImplemented("Hint"); }
QString clsGUIObject::IconFileName() const { NotImplemented("IconFileName"); }
void clsGUIObject::SetIconFileName(const QString &) { NotImplemented("IconFileName"); }
QString clsGUIObject::Items() const { NotImplemented("Items"); }
void clsGUIObject::SetItems(const QString &) { NotImplemented("Items"); }
QString clsGUIObject::LogoFileName() const { NotImplemented("LogoFileName"); }
void clsGUIObject::SetLogoFileName(const QString &) { NotImplemented("LogoFileName"); }
QString clsGUIObject::MaxDrop() const { NotImplemented("MaxDrop"); }
void clsGUIObject::SetMaxDrop(const QString &) { NotImplemented("MaxDrop"); }
QString clsGUIObject::MaxLen() const { NotImplemented("MaxLen"); }
void clsGUIObject::SetMaxLen(const QString &) { NotImplemented("MaxLen"); }
QString clsGUIObject::MaxLines() const { NotImplemented("MaxLines"); }
void clsGUIObject::SetMaxLines(const QString &) { NotImplemented("MaxLines"); }
QString clsGUIObject::MsgText() const { NotImplemented("MsgText"); }
void clsGUIObject::SetMsgText(const QString &) { NotImplemented("MsgText"); }
QString clsGUIObject::PictureFileName() const { NotImplemented("PictureFileName"); }
void clsGUIObject::SetPictureFileName(const QString &) { NotImplemented("PictureFileName"); }
QString clsGUIObject::RtnEqTab() const { NotImplemented("RtnEqTab"); }
void clsGUIObject::SetRtnEqTab(const QString &) { NotImplemented("RtnEqTab"); }
QString clsGUIObject::State() const { NotImplemented("State"); }
void clsGUIObject::SetState(const QString &) { NotImplemented("State"); }
QString clsGUIObject::TabStop() const { NotImplemented("TabStop"); }
void clsGUIObject::SetTabStop(const QString &) { NotImplemented("TabStop"); }
QString clsGUIObject::Timeout() const { NotImplemented("Timeout"); }
void clsGUIObject::SetTimeout(const QString &) { NotImplemented("Timeout"); }
QString clsGUIObject::Version() const { NotImplemented("Version"); }
void clsGUIObject::SetVersion(const QString &) { NotImplemented("Version"); }
QString clsGUIObject::WindowState() const { NotImplemented("WindowState"); }
void clsGUIObject::SetWindowState(const QString &) { NotImplemented("WindowState"); }
QString clsGUIObject::ColHint(int) const { NotImplemented("ColHint"); }
void clsGUIObject::SetColHint(int, const QString &) { NotImplemented("ColHint"); }
QString clsGUIObject::ColItems(int) const { NotImplemented("ColItems"); }
void clsGUIObject::SetColItems(int, const QString &) { NotImplemented("ColItems"); }
