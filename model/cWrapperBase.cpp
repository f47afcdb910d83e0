#include "model/cWrapperBase.h"

#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"
#include "support/ColourNames.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <algorithm>

using namespace Vocabulary;

namespace {

[[noreturn]] void InvalidValue()
{
    throw GuiError(GuiErrors::InvalidPropertyValue);
}

constexpr quint32 Bit(int method) { return quint32(1) << method; }

// Codes holding a whole number that may not be negative.
constexpr int CountCodes[] = {Prop::Columns, Prop::Rows, Prop::Column, Prop::Row,
                              Prop::DataCol, Prop::Arrange, Prop::MaxLen, Prop::MaxLines,
                              Prop::MaxDrop, Prop::FixedCols, Prop::SelStart,
                              Prop::SelLength, Prop::Timeout, Prop::DragMode,
                              Prop::FocusStyle, Prop::PasteMode, Prop::WindowState,
                              Prop::HelpType};

bool IsCountCode(int code)
{
    return std::find(std::begin(CountCodes), std::end(CountCodes), code) != std::end(CountCodes);
}

// The control field of a full ID (its third "*" part); "" when there is none.
QString ControlField(const QString &fullId)
{
    const qsizetype first = fullId.indexOf(QLatin1Char('*'));
    const qsizetype second = first < 0 ? -1 : fullId.indexOf(QLatin1Char('*'), first + 1);
    if (second < 0)
        return {};
    const qsizetype third = fullId.indexOf(QLatin1Char('*'), second + 1);
    return fullId.mid(second + 1, third < 0 ? -1 : third - second - 1);
}

QString ShownText(const QString &value)
{
    QString text = value;
    text.replace(QChar(Marks::Value), QLatin1Char('\n'));
    return text;
}

} // namespace

cWrapperBase::cWrapperBase(WrapperKind kind) : m_kind(kind) {}

bool cWrapperBase::Supports(int code) const
{
    return SupportedProperties(m_kind).Has(code);
}

qintptr cWrapperBase::hWnd() const
{
    return qintptr(m_control);
}

qint32 cWrapperBase::EventMask() const
{
    return qint32(Stored(Prop::EventMask).toLongLong());
}

void cWrapperBase::SetEventMask(qint32 mask)
{
    QString value = QString::number(mask);
    QString none;
    SetProperty(Prop::EventMask, 0, 0, value, none);
}

qint32 cWrapperBase::DataType() const { return StoredInt(Prop::DataType); }
bool cWrapperBase::Required() const { return StoredBool(Prop::Required); }
QString cWrapperBase::HelpID() const { return Stored(Prop::HelpID); }

bool cWrapperBase::HasValue() const
{
    return Supports(Prop::Value);
}

clsControl *cWrapperBase::FormItem() const
{
    return m_owner ? m_owner->Form() : nullptr;
}

void cWrapperBase::RequireControl() const
{
    if (!m_control)
        throw GuiError(GuiErrors::ObjectNotSet);
}

// ---- Life of the control --------------------------------------------------------------

void cWrapperBase::CreateItem(clsControl *owner, int type, const QString &fullId)
{
    const std::vector<int> types = TypesOf(m_kind);
    if (std::find(types.begin(), types.end(), type) == types.end())
        throw GuiError(GuiErrors::InvalidArgument);
    m_owner = owner;
    m_type = type;
    m_fullId = fullId;

    m_control = ObtainControl();
    if (!m_control)
        throw GuiError(GuiErrors::CreateFailed);

    if (owner && owner->Parent() && owner->Parent()->ControlObject()
        && owner->Parent()->ControlObject() != m_control)
        m_control->SetContainer(owner->Parent()->ControlObject());
    m_control->SetAppearance3D(true);
    ApplyFont();
    ApplyColours();
    ApplyVariant(type);
    if (Supports(Prop::Border))
        m_control->SetBorder(StoredInt(Prop::Border));
    m_control->Move(-10000, -10000, m_control->Width(), m_control->Height());
    m_control->SetVisible(true);
    m_control->BringToFront();
    m_control->SetTag(fullId.toUpper());
    m_control->SetTabIndex(32767);
    if (ShowsIdAsText()) {
        m_control->SetText(ControlField(fullId));
        m_showsId = true;
    }
}

void cWrapperBase::CreateDefaultItem(clsControl *owner, int type)
{
    const std::vector<int> types = TypesOf(m_kind);
    if (std::find(types.begin(), types.end(), type) == types.end())
        throw GuiError(GuiErrors::InvalidArgument);
    m_owner = owner;
    m_type = type;
}

iDesignControl *cWrapperBase::ObtainControl()
{
    m_formFuncs = m_owner ? m_owner->DesignForm() : nullptr;
    return m_formFuncs ? m_formFuncs->CreateControlInstance(m_type) : nullptr;
}

void cWrapperBase::ReleaseControl()
{
    if (m_formFuncs && m_control)
        m_formFuncs->DeleteControlInstance(m_type, m_control);
}

bool cWrapperBase::ChangeControlType(int newType)
{
    if (!ChangesInPlace())
        return false;
    const std::vector<int> types = TypesOf(m_kind);
    if (std::find(types.begin(), types.end(), newType) == types.end())
        return false;
    m_type = newType;
    if (m_control)
        ApplyVariant(newType);
    return true;
}

void cWrapperBase::DeleteItem()
{
    // The control may outlive this wrapper: a font it has not made yet is made now.
    if (m_control)
        m_control->Font();
    ReleaseControl();
    m_control = nullptr;
    m_formFuncs = nullptr;
    m_owner = nullptr;
}

// ---- Properties -----------------------------------------------------------------------

const QString *cWrapperBase::FindStored(int code) const
{
    for (const auto &[stored, value] : m_values) {
        if (stored == code)
            return &value;
    }
    return nullptr;
}

QString cWrapperBase::Stored(int code) const
{
    if (IsListValued(code))
        return GetListEntry(code, 0, 0, {});
    if (code == Prop::Value) {
        if (!m_valueSet)
            return Stored(Prop::DefVal);
        const QString *value = FindStored(Prop::Value);
        return value ? *value : QString();
    }
    const QString *value = FindStored(code);
    return value ? *value : GetDefaultProperty(code);
}

bool cWrapperBase::StoredBool(int code) const
{
    return Stored(code) == QLatin1String("1");
}

int cWrapperBase::StoredInt(int code) const
{
    return Stored(code).toInt();
}

void cWrapperBase::Store(int code, const QString &value)
{
    if (IsListValued(code)) {
        SetListEntry(code, 0, 0, value, {});
        ApplyList(code);
    } else if (code == Prop::Value) {
        StoreValue(code, value);
        m_valueSet = true;
    } else if (value == GetDefaultProperty(code)) {
        std::erase_if(m_values, [code](const auto &entry) { return entry.first == code; });
    } else {
        StoreValue(code, value);
    }
}

void cWrapperBase::StoreValue(int code, const QString &value)
{
    for (auto &[stored, current] : m_values) {
        if (stored == code) {
            current = value;
            return;
        }
    }
    m_values.emplace_back(code, value);
}

QString cWrapperBase::FormFixedDefault(int code)
{
    switch (code) {
    case Prop::FontName: return QString::fromLatin1(DefaultFontName);
    case Prop::FontSize: return QString::fromLatin1(DefaultFontSize);
    case Prop::FontBold:
    case Prop::FontItalic:
    case Prop::FontUnderline: return QStringLiteral("0");
    case Prop::BackColor: return QStringLiteral("&H8000000F");
    case Prop::ForeColor: return QStringLiteral("&H80000008");
    default: return {};
    }
}

QString cWrapperBase::GetDefaultProperty(int code) const
{
    for (const DefaultRule &rule : Defaults()) {
        if (rule.code != code)
            continue;
        switch (rule.from) {
        case DefaultFrom::Fixed:
            return QString::fromLatin1(rule.text);
        case DefaultFrom::Form:
            if (clsControl *form = FormItem(); form && form->Wrapper() && form->Wrapper() != this)
                return form->GetProperty(code);
            return FormFixedDefault(code);
        case DefaultFrom::FormBackColor:
            if (clsControl *form = FormItem(); form && form->Wrapper() && form->Wrapper() != this)
                return form->GetProperty(Prop::BackColor);
            return FormFixedDefault(Prop::BackColor);
        case DefaultFrom::ParentBackColor: {
            clsControl *parent = m_owner ? m_owner->Parent() : nullptr;
            if (parent && parent->Wrapper() && parent != FormItem()
                && SupportedProperties(WrapperKindOf(parent->ObjType())).Has(Prop::BackColor))
                return parent->GetProperty(Prop::BackColor);
            if (clsControl *form = FormItem(); form && form->Wrapper())
                return form->GetProperty(Prop::BackColor);
            return FormFixedDefault(Prop::BackColor);
        }
        }
    }
    // Fonts follow the form unless a kind says otherwise.
    if (IsFontCode(code) && Supports(code)) {
        if (clsControl *form = FormItem(); form && form->Wrapper() && form->Wrapper() != this)
            return form->GetProperty(code);
        return FormFixedDefault(code);
    }
    switch (code) {
    case Prop::Value: return Supports(Prop::DefVal) ? Stored(Prop::DefVal) : QString();
    case Prop::Enabled:
    case Prop::Visible: return QStringLiteral("1");
    default: return {};
    }
}

bool cWrapperBase::KeepOwn(int code, const QString &value)
{
    // Only a default taken from the form or the container can change under the object.
    bool inherited = IsFontCode(code) && Supports(code);
    for (const DefaultRule &rule : Defaults())
        if (rule.code == code)
            inherited = rule.from != DefaultFrom::Fixed;
    if (!inherited || IsListValued(code) || FormItem() == m_owner)
        return false;
    StoreValue(code, value);
    return true;
}

int cWrapperBase::ParseInt(const QString &value, int low, int high)
{
    bool ok = false;
    const qlonglong n = value.trimmed().toLongLong(&ok);
    if (!ok || n < low || n > high)
        InvalidValue();
    return int(n);
}

QString cWrapperBase::NormaliseBool(const QString &value)
{
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("0") || v == QLatin1String("false"))
        return QStringLiteral("0");
    if (v == QLatin1String("1") || v == QLatin1String("-1") || v == QLatin1String("true"))
        return QStringLiteral("1");
    InvalidValue();
}

void cWrapperBase::Validate(int code, QString &value) const
{
    // Only a property whose default is empty can arrive here empty.
    if (value.isEmpty())
        return;
    if (IsBooleanCode(code)) {
        value = NormaliseBool(value);
        return;
    }
    switch (code) {
    case Prop::Style:
        if (!IsValidStyle(m_type, ParseInt(value, 0, 1 << 30)))
            InvalidValue();
        value = QString::number(value.trimmed().toInt());
        return;
    case Prop::Border:
        value = QString::number(ParseInt(value, 0, 2));
        return;
    case Prop::BackColor:
    case Prop::ForeColor:
    case Prop::AltColor: {
        qint32 colour = 0;
        if (!ParseColourValue(value, colour))
            InvalidValue();
        value = FormatColourValue(colour);
        return;
    }
    case Prop::FontSize: {
        bool ok = false;
        const double size = NumberFormat::ParseInvariant(value, &ok);
        if (!ok || size <= 0 || size > 2048)
            InvalidValue();
        value = NumberFormat::Format(size, 2);
        return;
    }
    case Prop::FontName:
        if (value.trimmed().isEmpty())
            InvalidValue();
        return;
    case Prop::DataType:
    case Prop::ColDataType:
        if (code == Prop::DataType && !IsDataType(ParseInt(value, 0, 100)))
            InvalidValue();
        return;
    case Prop::EventMask: {
        bool ok = false;
        const qlonglong n = value.trimmed().toLongLong(&ok);
        if (!ok || n < qlonglong(INT32_MIN) || n > qlonglong(UINT32_MAX))
            InvalidValue();
        value = QString::number(qint32(quint32(n)));
        return;
    }
    case Prop::Align:
        value = QString::number(ParseInt(value, 0, 2));
        return;
    case Prop::GridLines:
        value = QString::number(ParseInt(value, 0, 3));
        return;
    case Prop::IconAlign:
        value = QString::number(ParseInt(value, 0, 4));
        return;
    case Prop::IconSize:
        value = QString::number(ParseInt(value, 0, 1));
        return;
    default:
        break;
    }
    if (IsCountCode(code))
        value = QString::number(ParseInt(value, 0, INT32_MAX));
}

bool cWrapperBase::SetProperty(int code, int index1, int index2, QString &value,
                               QString &itemId)
{
    RequireControl();
    if (!itemId.isEmpty() && !AcceptsItemId(code))
        throw GuiError(GuiErrors::NoOptionalItemId);
    if (!Supports(code) || code == Prop::Status)
        throw GuiError(GuiErrors::NotSupported);

    if (IsListValued(code) || !itemId.isEmpty()) {
        // An empty entry is a value of its own; only an empty whole value resets.
        const bool whole = index1 == 0 && index2 == 0 && itemId.isEmpty();
        if (whole && value.isEmpty())
            value = ContentDefault(code);
        SetListEntry(code, index1, index2, value, itemId);
        if (code == Prop::Value)
            m_owner->SetChanged(false);
        ApplyList(code);
        if (!IsListValued(code)) // an entry reached by item ID; the scalar is untouched
            return Stored(code) == GetDefaultProperty(code);
        return IsContentDefault(code) || (whole && value == ContentDefault(code));
    }

    if (value.isEmpty() && !(code == Prop::Value && index1 != 0))
        value = GetDefaultProperty(code);
    Validate(code, value);
    switch (code) {
    case Prop::Left:
        m_owner->Move(value, {}, {}, {});
        return value.isEmpty();
    case Prop::Top:
        m_owner->Move({}, value, {}, {});
        return value.isEmpty();
    case Prop::Width:
        m_owner->Move({}, {}, value, {});
        return value.isEmpty();
    case Prop::Height:
        m_owner->Move({}, {}, {}, value);
        return value.isEmpty();
    case Prop::Changed:
        m_owner->SetChanged(value == QLatin1String("1"));
        return true;
    case Prop::Extension:
        m_owner->SetExtension(value);
        Store(code, value);
        return value == GetDefaultProperty(code);
    case Prop::Value:
        Store(code, value);
        m_owner->SetChanged(false);
        ShowValue(value);
        break;
    default:
        Store(code, value);
        Apply(code, value);
        // Content measured in the application's unit is shown in the new one.
        if (code == Prop::Scale && m_owner)
            NotifyScaleChanged(*m_owner);
        break;
    }
    return value == GetDefaultProperty(code);
}

QString cWrapperBase::GetProperty(int code, int index1, int index2, const QString &itemId) const
{
    if (!itemId.isEmpty() && !AcceptsItemId(code))
        throw GuiError(GuiErrors::NoOptionalItemId);
    if (!Supports(code))
        throw GuiError(GuiErrors::NotSupported);
    if (IsListValued(code) || !itemId.isEmpty())
        return GetListEntry(code, index1, index2, itemId);
    switch (code) {
    case Prop::Left:
        return m_owner ? NumberFormat::Format(m_owner->Left(), 2) : QString();
    case Prop::Top:
        return m_owner ? NumberFormat::Format(m_owner->Top(), 2) : QString();
    case Prop::Width:
        return m_owner ? NumberFormat::Format(m_owner->Width(), 2) : QString();
    case Prop::Height:
        return m_owner ? NumberFormat::Format(m_owner->Height(), 2) : QString();
    case Prop::Changed:
        return QStringLiteral("0");
    case Prop::Status:
        return QStringLiteral("0");
    case Prop::Extension:
        return m_owner ? m_owner->Extension() : Stored(code);
    default:
        return Stored(code);
    }
}

// Kinds that declare content implement both; reaching these is a fault of the kind.
QString cWrapperBase::GetListEntry(int, int, int, const QString &) const
{
    throw GuiError(GuiErrors::NotSupported);
}

void cWrapperBase::SetListEntry(int, int, int, const QString &, const QString &)
{
    throw GuiError(GuiErrors::NotSupported);
}

QString cWrapperBase::ContentDefault(int code) const
{
    return code == Prop::Value ? GetDefaultProperty(Prop::Value) : QString();
}

bool cWrapperBase::IsContentDefault(int code) const
{
    return GetListEntry(code, 0, 0, {}) == ContentDefault(code);
}

double cWrapperBase::ScaleFactorX() const
{
    return m_owner ? m_owner->ScaleX() : Vocabulary::TwipsPerUnitX(Scale::Characters);
}

void cWrapperBase::NotifyScaleChanged(clsControl &item)
{
    if (auto *wrapper = dynamic_cast<cWrapperBase *>(item.Wrapper()))
        wrapper->ScaleChanged();
    for (const auto &entry : item.Children())
        NotifyScaleChanged(*entry.Value);
}

void cWrapperBase::ContentChanged(int code)
{
    ApplyList(code);
    if (m_owner)
        m_owner->MarkNonDefault(code, !IsContentDefault(code));
}

// ---- Showing values -------------------------------------------------------------------

DesignFont cWrapperBase::CurrentFont() const
{
    DesignFont font;
    font.Name = Stored(Prop::FontName);
    // Stored sizes are invariant numbers; the invariant reader takes whole sizes quickly.
    font.Size = NumberFormat::ParseInvariant(Stored(Prop::FontSize));
    font.Bold = StoredBool(Prop::FontBold);
    font.Italic = StoredBool(Prop::FontItalic);
    font.Underline = StoredBool(Prop::FontUnderline);
    return font;
}

void cWrapperBase::ApplyFont()
{
    // A control that waits to show asks for its font once, not once per font property that
    // a load sets.
    if (m_control && Supports(Prop::FontName) && m_control->HasFont())
        m_control->SetFontFrom([this] { return CurrentFont(); });
}

void cWrapperBase::ApplyColours()
{
    if (!m_control)
        return;
    qint32 colour = 0;
    if (Supports(Prop::ForeColor) && ParseColourValue(Stored(Prop::ForeColor), colour))
        m_control->SetForeColor(colour);
    if (Supports(Prop::BackColor) && ParseColourValue(Stored(Prop::BackColor), colour))
        m_control->SetBackColor(colour);
}

void cWrapperBase::ShowValue(const QString &value)
{
    m_control->SetText(ShownText(value));
    m_showsId = false;
}

void cWrapperBase::Apply(int code, const QString &value)
{
    if (!m_control)
        return;
    switch (code) {
    case Prop::Border:
        m_control->SetBorder(value.toInt());
        break;
    case Prop::BackColor:
    case Prop::ForeColor:
        ApplyColours();
        break;
    case Prop::FontName:
    case Prop::FontSize:
    case Prop::FontBold:
    case Prop::FontItalic:
    case Prop::FontUnderline:
        ApplyFont();
        break;
    case Prop::HelpID:
        m_control->SetHelpMarker(!value.isEmpty());
        break;
    case Prop::Caption:
        if (ShowsIdAsText()) {
            m_control->SetText(value.isEmpty() ? ControlField(m_fullId)
                                               : ShownText(value));
            m_showsId = value.isEmpty();
        }
        break;
    case Prop::Align:
        m_control->SetAlignment(value.toInt());
        break;
    case Prop::Picture:
        m_control->SetPictureName(value);
        break;
    default:
        break;
    }
}

// ---- Methods and the rest -------------------------------------------------------------

quint32 cWrapperBase::SupportedMethods() const
{
    quint32 methods = Bit(Method::Show) | Bit(Method::Hide) | Bit(Method::Activate)
                      | Bit(Method::Enable) | Bit(Method::Disable) | Bit(Method::Move);
    if (Supports(Prop::Value))
        methods |= Bit(Method::Clear);
    return methods;
}

QString cWrapperBase::InvokeMethod(int method, const QString &arg1, const QString &arg2,
                                   const QString &arg3)
{
    if (method < 0 || method > 31 || !(SupportedMethods() & Bit(method)))
        throw GuiError(GuiErrors::NotSupported);
    RequireControl();
    auto given = [](const QString &a) {
        return a.trimmed() == QLatin1String("0") ? QString() : a;
    };
    switch (method) {
    case Method::Show: m_owner->SetProperty(Prop::Visible, QStringLiteral("1")); break;
    case Method::Hide: m_owner->SetProperty(Prop::Visible, QStringLiteral("0")); break;
    case Method::Enable: m_owner->SetProperty(Prop::Enabled, QStringLiteral("1")); break;
    case Method::Disable: m_owner->SetProperty(Prop::Enabled, QStringLiteral("0")); break;
    case Method::Move: {
        // The call carries three arguments: left, top, and width and height joined by a
        // value mark (a third argument without one is the width alone).
        const QString width = arg3.section(QChar(Marks::Value), 0, 0);
        const QString height = arg3.section(QChar(Marks::Value), 1, 1);
        m_owner->Move(given(arg1), given(arg2), given(width), given(height));
        break;
    }
    case Method::Clear:
        // Empty text is a value of its own here, not "back to the default".
        Store(Prop::Value, QString());
        m_owner->MarkNonDefault(Prop::Value, !Stored(Prop::DefVal).isEmpty());
        if (!IsListValued(Prop::Value))
            ShowValue(QString());
        break;
    case Method::Reset:
        Reset();
        break;
    default:
        break; // Activate, Print, Help: nothing at design time
    }
    return {};
}

void cWrapperBase::Reset()
{
    if (!m_control || !Supports(Prop::Value) || !Supports(Prop::DefVal))
        return;
    QString value = Stored(Prop::DefVal);
    QString none;
    const bool isDefault = SetProperty(Prop::Value, 0, 0, value, none);
    m_owner->MarkNonDefault(Prop::Value, !isDefault);
}

void cWrapperBase::Move(int x, int y, int width, int height, bool positionOnly)
{
    RequireControl();
    if (positionOnly)
        m_control->Move(x, y, m_control->Width(), m_control->Height());
    else
        m_control->Move(x, y, width, height);
}

QPoint cWrapperBase::GetPos() const
{
    RequireControl();
    return QPoint(m_control->Left(), m_control->Top());
}

bool cWrapperBase::Enabled() const
{
    return !Supports(Prop::Enabled) || StoredBool(Prop::Enabled);
}

void cWrapperBase::SetEnabled(bool enabled)
{
    if (Supports(Prop::Enabled))
        Store(Prop::Enabled, enabled ? QStringLiteral("1") : QStringLiteral("0"));
}

bool cWrapperBase::Visible() const
{
    return !Supports(Prop::Visible) || StoredBool(Prop::Visible);
}

void cWrapperBase::SetVisible(bool visible)
{
    if (Supports(Prop::Visible))
        Store(Prop::Visible, visible ? QStringLiteral("1") : QStringLiteral("0"));
}

void cWrapperBase::BringToFront()
{
    if (m_control)
        m_control->BringToFront();
}

void cWrapperBase::Rename(QString &newFullId)
{
    FullIDChanged(newFullId);
    if (m_control && m_showsId)
        m_control->SetText(ControlField(newFullId));
}

void cWrapperBase::FullIDChanged(const QString &newFullId)
{
    m_fullId = newFullId;
    if (m_control)
        m_control->SetTag(newFullId.toUpper());
}
