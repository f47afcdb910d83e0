#include "model/clsControl.h"

#include "model/Vocabulary.h"
#include "model/WrapperFactory.h"
#include "model/cAppWrapper.h"
#include "model/clsItems.h"
#include "model/iControlWrapper.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"
#include "model/iItemsObserver.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"
#include "support/PlatformMetrics.h"

#include <QStringBuilder>
#include <cmath>

using namespace Vocabulary;

namespace {

[[noreturn]] void Fail(int number)
{
    throw GuiError(number);
}

QString Field(const QStringList &fields, int i)
{
    return i < fields.size() ? fields.at(i) : QString();
}

} // namespace

clsControl::clsControl(clsItems &items) : m_items(&items) {}

clsControl::~clsControl()
{
    if (m_nonDefault.contains(Prop::DragID))
        m_items->NoteDragSource(this, false);
}

std::unique_ptr<iControlWrapper> clsControl::CreateWrapper(int type)
{
    return WrapperFactory::Create(type);
}

int clsControl::FrameWidthTwips()
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    return 2 * m.SizingFrameWidth * m.TwipsPerPixelX;
}

int clsControl::CaptionHeightTwips()
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    return (m.CaptionHeight + 2 * m.SizingFrameHeight) * m.TwipsPerPixelY;
}

// ---- Creation -------------------------------------------------------------------------

void clsControl::Create(int type, const QString &fullId, const QString &parentId)
{
    // The parts of the full ID, viewed in place: a project load creates items by the
    // thousand, and a list of copied parts for each costs more than the checks below.
    QStringView field[3];
    qsizetype fieldCount = 0;
    for (qsizetype start = 0;; ++fieldCount) {
        const qsizetype end = fullId.indexOf(QLatin1Char('*'), start);
        if (fieldCount < 3)
            field[fieldCount] = QStringView(fullId).mid(start, end < 0 ? -1 : end - start);
        if (end < 0) {
            ++fieldCount;
            break;
        }
        start = end + 1;
    }
    const QStringView appField = field[0];
    const QStringView formField = field[1];
    const QStringView ctlField = field[2];
    m_fullId = fullId;
    m_objType = type;

    if (m_items->Contains(fullId))
        Fail(GuiErrors::DuplicateId);

    // Forms and applications never name a parent; say so rather than "parent not found".
    if (!parentId.isEmpty() && (IsForm(type) || IsApplication(type)))
        Fail(GuiErrors::CannotDesignateParent);

    clsControl *parent = nullptr;
    if (!parentId.isEmpty())
        parent = m_items->Find(appField % QLatin1Char('*') % formField % QLatin1Char('*')
                               % parentId);
    else if (!formField.isEmpty() && !ctlField.isEmpty())
        parent = m_items->Find(appField % QLatin1Char('*') % formField);
    else if (!formField.isEmpty() || !ctlField.isEmpty())
        parent = m_items->Find(appField.toString());
    else
        parent = m_items->Root();
    if (!parent && type != Type::Root)
        Fail(GuiErrors::InvalidFormOrParent);
    // A full ID with more than three fields names nothing.
    if (fieldCount > 3)
        Fail(GuiErrors::InvalidIdForObject);

    switch (KindOf(type)) {
    case ObjectKind::FormBar:
        if (ctlField.isEmpty())
            Fail(GuiErrors::InvalidIdForObject);
        if (!(IsForm(parent->ObjType()) || parent->ObjType() == Type::AppMdi))
            Fail(GuiErrors::InvalidFormOrParent);
        m_id = ctlField.toString();
        m_app = parent->App();
        m_form = parent->Form();
        break;
    case ObjectKind::Control:
        if (ctlField.isEmpty())
            Fail(GuiErrors::InvalidIdForObject);
        // Controls live on a form, directly or inside a container of the same form.
        if (!parent->Form()
            || !(IsForm(parent->ObjType()) || parent->ObjType() == Type::Frame
                 || parent->ObjType() == Type::Tabgroup || parent->ObjType() == Type::Tab))
            Fail(GuiErrors::InvalidFormOrParent);
        m_id = ctlField.toString();
        m_app = parent->App();
        m_form = parent->Form();
        break;
    case ObjectKind::Form:
        if (formField.isEmpty() || !ctlField.isEmpty())
            Fail(GuiErrors::InvalidIdForObject);
        if (!parentId.isEmpty())
            Fail(GuiErrors::CannotDesignateParent);
        if (!IsApplication(parent->ObjType()))
            Fail(GuiErrors::InvalidFormOrParent);
        m_id = formField.toString();
        m_app = parent->App();
        m_form = this;
        break;
    case ObjectKind::Application:
        if (appField.isEmpty() || fieldCount > 1)
            Fail(GuiErrors::InvalidIdForObject);
        if (!parentId.isEmpty())
            Fail(GuiErrors::CannotDesignateParent);
        m_id = appField.toString();
        m_app = this;
        break;
    case ObjectKind::Root:
        break;
    case ObjectKind::Unknown:
        Fail(GuiErrors::InvalidArgument);
    }
    // A form bar of an MDI application and a form share the application as parent.
    if (parent && type != Type::Root && parent->Child(m_id))
        Fail(GuiErrors::DuplicateId);
    m_parent = parent;

    std::unique_ptr<iControlWrapper> wrapper = CreateWrapper(type);
    if (!wrapper)
        Fail(GuiErrors::CreateFailed);
    try {
        wrapper->CreateItem(this, type, fullId);
    } catch (...) {
        // Whatever the wrapper obtained goes back to the design form.
        try {
            wrapper->DeleteItem();
        } catch (...) {
        }
        throw;
    }
    m_wrapper = std::move(wrapper);
}

void clsControl::CreateDefault(int type, clsControl *parent)
{
    m_objType = type;
    if (parent) {
        m_parent = parent;
        m_app = parent->App();
        m_form = parent->Form();
    }
    std::unique_ptr<iControlWrapper> wrapper = CreateWrapper(type);
    wrapper->CreateDefaultItem(this, type);
    m_wrapper = std::move(wrapper);
}

// ---- Forwarders -----------------------------------------------------------------------

clsControl *clsControl::Child(const QString &id) const
{
    clsControl *const *child = m_children.Find(clsItems::KeyOf(id));
    return child ? *child : nullptr;
}

void clsControl::MarkNonDefault(int code, bool nonDefault)
{
    if (code == Prop::DragID)
        m_items->NoteDragSource(this, nonDefault);
    if (nonDefault) {
        if (!m_nonDefault.contains(code))
            m_nonDefault.append(code);
    } else {
        m_nonDefault.removeOne(code);
    }
}

iDesignControl *clsControl::ControlObject() const
{
    return m_wrapper ? m_wrapper->ControlObject() : nullptr;
}

qint32 clsControl::DataType() const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->DataType();
}

bool clsControl::Required() const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->Required();
}

qint32 clsControl::EventMask() const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->EventMask();
}

void clsControl::SetEventMask(qint32 mask)
{
    SetProperty(Prop::EventMask, QString::number(mask));
}

QString clsControl::HelpID() const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->HelpID();
}

bool clsControl::HasValue() const
{
    return m_wrapper && m_wrapper->HasValue();
}

void clsControl::SetProperty(int code, int index1, int index2, QString &value, QString &itemId)
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    const bool isDefault = m_wrapper->SetProperty(code, index1, index2, value, itemId);
    MarkNonDefault(code, !isDefault);
}

void clsControl::SetProperty(int code, const QString &value)
{
    QString v = value;
    QString none;
    SetProperty(code, 0, 0, v, none);
}

void clsControl::SetOwnProperty(int code, const QString &value)
{
    SetProperty(code, value);
    if (!IsNonDefault(code) && !value.isEmpty() && m_wrapper && m_wrapper->KeepOwn(code, value))
        MarkNonDefault(code, true);
}

QString clsControl::GetProperty(int code, int index1, int index2, const QString &itemId) const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->GetProperty(code, index1, index2, itemId);
}

QString clsControl::GetDefaultProperty(int code) const
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->GetDefaultProperty(code);
}

QString clsControl::InvokeMethod(int method, const QString &arg1, const QString &arg2,
                                 const QString &arg3)
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    return m_wrapper->InvokeMethod(method, arg1, arg2, arg3);
}

bool clsControl::Visible() const { return m_wrapper && m_wrapper->Visible(); }
void clsControl::SetVisible(bool visible)
{
    if (m_wrapper)
        m_wrapper->SetVisible(visible);
}
bool clsControl::Enabled() const { return m_wrapper && m_wrapper->Enabled(); }
void clsControl::SetEnabled(bool enabled)
{
    if (m_wrapper)
        m_wrapper->SetEnabled(enabled);
}

void clsControl::Resized()
{
    if (m_wrapper)
        m_wrapper->Resized();
}

// ---- Deletion and reset ---------------------------------------------------------------

void clsControl::DeleteItem()
{
    if (m_registered && m_objType != Type::Root)
        if (iItemsObserver *observer = m_items->Observer())
            observer->ItemRemoving(*this);
    DeleteTree();
}

void clsControl::DeleteTree()
{
    if (IsForm(m_objType) && m_wrapper)
        m_wrapper->SetVisible(false);

    // The children go with this item, so none is taken out of the list on its own: the list
    // is emptied first (whoever asks meanwhile sees no children, never a deleted one) and the
    // children are deleted from what was taken, last made first, each right after its entry.
    // That hands their memory back in the order the allocator took it, finds each at the end
    // of its form's set, and leaves no pass over a list of freed children at the end.
    std::exchange(m_children, ChildList()).DrainFromBack([](clsControl *child) {
        child->DeleteTree();
    });

    ReleaseSizer();
    if (m_wrapper) {
        m_wrapper->DeleteItem();
        m_wrapper.reset();
    }
    if (m_parent && m_registered && m_objType != Type::Root) {
        m_parent->m_children.Take(clsItems::KeyOf(m_id));
        // A tab strip loses the panel's tab.
        if (m_parent->Wrapper())
            m_parent->Wrapper()->ChildrenChanged();
    }
    m_parent = nullptr;
    m_app = nullptr;
    m_form = nullptr;
    if (m_registered)
        m_items->Unregister(this); // destroys this item
}

void clsControl::Reset()
{
    if (m_wrapper)
        m_wrapper->Reset();
    m_changedFlag = false;
    m_movedFlag = false;
    for (const auto &entry : m_children)
        entry.Value->Reset();
}

// ---- Geometry -------------------------------------------------------------------------

double clsControl::ScaleX() const
{
    if (m_app)
        if (auto *app = dynamic_cast<cAppWrapper *>(m_app->Wrapper()))
            return app->ScaleX();
    return TwipsPerUnitX(Scale::Characters);
}

double clsControl::ScaleY() const
{
    if (m_app)
        if (auto *app = dynamic_cast<cAppWrapper *>(m_app->Wrapper()))
            return app->ScaleY();
    return TwipsPerUnitY(Scale::Characters);
}

void clsControl::Move(const QString &left, const QString &top, const QString &width,
                      const QString &height)
{
    struct Coord
    {
        bool given = false;
        bool isAuto = false;
        int twips = 0;
    };
    // Everything is read before anything changes, so bad input leaves the item as it was.
    auto read = [](const QString &text, double factor, bool position) {
        Coord c;
        const QString t = text.trimmed();
        if (t.isEmpty())
            return c;
        c.given = true;
        if (position && t.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
            c.isAuto = true;
            return c;
        }
        bool ok = false;
        const double v = NumberFormat::ParseInvariant(t, &ok);
        const double twips = v * factor;
        if (!ok || std::abs(twips) > 2.0e9 || (!position && v < 0))
            Fail(GuiErrors::InvalidPropertyValue);
        c.twips = int(std::lround(twips));
        return c;
    };
    const double scaleX = ScaleX();
    const double scaleY = ScaleY();
    const Coord l = read(left, scaleX, true);
    const Coord t = read(top, scaleY, true);
    const Coord w = read(width, scaleX, false);
    const Coord h = read(height, scaleY, false);

    if (l.given) {
        m_autoLeft = l.isAuto;
        m_twipLeft = l.twips;
    }
    if (t.given) {
        m_autoTop = t.isAuto;
        m_twipTop = t.twips;
    }
    if (w.given)
        m_twipWidth = w.twips;
    if (h.given)
        m_twipHeight = h.twips;
    if (l.given || t.given || w.given || h.given)
        m_movedFlag = true;

    ApplyMove(!w.given && !h.given);
}

void clsControl::MoveTwips(std::optional<int> left, std::optional<int> top,
                           std::optional<int> width, std::optional<int> height)
{
    if ((width && *width < 0) || (height && *height < 0))
        Fail(GuiErrors::InvalidPropertyValue);
    if (left) {
        m_autoLeft = false;
        m_twipLeft = *left;
    }
    if (top) {
        m_autoTop = false;
        m_twipTop = *top;
    }
    if (width)
        m_twipWidth = *width;
    if (height)
        m_twipHeight = *height;
    if (left || top || width || height)
        m_movedFlag = true;
    ApplyMove(!width && !height);
}

void clsControl::ApplyMove(bool positionOnly)
{
    // Tab panels follow their tab group.
    if (m_objType == Type::Tab || !m_wrapper || !ControlObject())
        return;
    int x = m_autoLeft ? 0 : m_twipLeft;
    int y = m_autoTop ? 0 : m_twipTop;
    int cx = m_twipWidth;
    int cy = m_twipHeight;
    if (IsApplication(m_objType) || IsForm(m_objType)) {
        // The design form shows the object with its window frame.
        x = 0;
        y = 0;
        cx += FrameWidthTwips();
        cy += CaptionHeightTwips();
    } else if (m_parent && m_parent == m_form) {
        if (iFormFuncs *form = DesignForm()) {
            x += form->InsetLeft();
            y += form->InsetTop();
        }
    }
    m_wrapper->Move(x, y, cx, cy, positionOnly);
    if (m_sizer)
        m_sizer->Refresh();
}

namespace {
float ToUnits(int twips, double factor)
{
    return float(NumberFormat::Round2(double(twips) / factor));
}
} // namespace

float clsControl::Left() const
{
    return m_autoLeft ? AutoPosition : ToUnits(m_twipLeft, ScaleX());
}

float clsControl::Top() const
{
    return m_autoTop ? AutoPosition : ToUnits(m_twipTop, ScaleY());
}

float clsControl::Width() const { return ToUnits(m_twipWidth, ScaleX()); }
float clsControl::Height() const { return ToUnits(m_twipHeight, ScaleY()); }

void clsControl::Shift(int dx, int dy)
{
    if (!m_wrapper || !ControlObject())
        return;
    const QPoint pos = m_wrapper->GetPos();
    m_wrapper->Move(pos.x() + dx, pos.y() + dy, 0, 0, true);
    if (m_sizer)
        m_sizer->Refresh();
}

// ---- Tree edits -----------------------------------------------------------------------

QString clsControl::GetChildList(int lowest, int highest) const
{
    QStringList ids;
    for (const auto &entry : m_children) {
        const int type = entry.Value->ObjType();
        if (lowest == -1 || (type >= lowest && type <= highest))
            ids << entry.Value->FullID();
    }
    return ids.join(QChar(Marks::Value));
}

bool clsControl::RepositionItem(const QString &targetId, bool after)
{
    if (!m_parent)
        return false;
    const QString key = m_id.toUpper();
    const QString target = targetId.toUpper();
    if (target == key)
        return true;
    clsControl *sibling = m_parent->Child(target);
    if (!sibling || !m_parent->m_children.MoveNextTo(key, target, after))
        return false;
    if (iItemsObserver *observer = m_items->Observer())
        observer->ItemRepositioned(*this, m_parent->m_children.IndexOf(key));
    m_parent->RestoreZOrder();
    // Tab panels in a new order rebuild their group's strip.
    if (m_parent->Wrapper())
        m_parent->Wrapper()->ChildrenChanged();
    return true;
}

bool clsControl::RenameItem(const QString &newId)
{
    if (newId == m_id)
        return true;
    if (!m_wrapper || m_objType == Type::Root || newId.isEmpty()
        || newId.contains(QLatin1Char('*')))
        return false;
    const QStringList fields = m_fullId.split(QLatin1Char('*'));
    QString newFullId;
    if (IsApplication(m_objType))
        newFullId = newId;
    else if (IsForm(m_objType))
        newFullId = Field(fields, 0) + QLatin1Char('*') + newId;
    else
        newFullId = Field(fields, 0) + QLatin1Char('*') + Field(fields, 1) + QLatin1Char('*')
                    + newId;
    if (newId.toUpper() != m_id.toUpper()) {
        if (m_items->Contains(newFullId))
            return false;
        // Forms and the bars of an MDI application are siblings under the application
        // although their full IDs differ, so the parent's keys must be free too.
        if (m_parent && m_parent->Child(newId))
            return false;
    }

    const QString oldFullId = m_fullId;
    if (m_parent)
        m_parent->m_children.ReKey(m_id.toUpper(), newId.toUpper());
    m_items->ReKey(oldFullId.toUpper(), newFullId.toUpper());
    m_id = newId;
    m_fullId = newFullId;
    if (iItemsObserver *observer = m_items->Observer())
        observer->ItemRenamed(*this, oldFullId);
    QString renamed = newFullId;
    m_wrapper->Rename(renamed);
    if (IsApplication(m_objType) || IsForm(m_objType))
        ReKeyDescendants();
    return true;
}

void clsControl::ReKeyDescendants()
{
    // Only the application and form fields pass down: a control inside a frame keeps its
    // own ID in the third field.
    const QStringList own = m_fullId.split(QLatin1Char('*'));
    const int inherited = int(std::min<qsizetype>(own.size(), 2));
    for (const auto &entry : m_children) {
        clsControl *child = entry.Value;
        QStringList fields = child->m_fullId.split(QLatin1Char('*'));
        for (int i = 0; i < inherited && i < fields.size(); ++i)
            fields[i] = own[i];
        const QString oldFullId = child->m_fullId;
        child->m_fullId = fields.join(QLatin1Char('*'));
        m_items->ReKey(oldFullId.toUpper(), child->m_fullId.toUpper());
        if (child->m_wrapper)
            child->m_wrapper->FullIDChanged(child->m_fullId);
        child->ReKeyDescendants();
    }
}

bool clsControl::ChangeType(int newType)
{
    if (!m_wrapper)
        Fail(GuiErrors::ObjectNotSet);
    if (newType == m_objType)
        return false;
    // Only a variant of the same kind of object: a control stays a control.
    if (KindOf(newType) != KindOf(m_objType))
        Fail(GuiErrors::InvalidArgument);
    if (m_sizer)
        m_sizer->Detach();
    if (m_wrapper->ChangeControlType(newType)) {
        m_objType = newType;
    } else {
        std::unique_ptr<iControlWrapper> fresh = CreateWrapper(newType);
        try {
            fresh->CreateItem(this, newType, m_fullId);
        } catch (...) {
            try {
                fresh->DeleteItem();
            } catch (...) {
            }
            if (m_sizer)
                m_sizer->Attach(ControlObject());
            throw;
        }
        std::unique_ptr<iControlWrapper> old = std::move(m_wrapper);
        m_wrapper = std::move(fresh);
        m_objType = newType;
        ApplyMove(false);
        const QList<int> codes = m_nonDefault;
        for (int code : codes) {
            if (code >= Prop::Left && code <= Prop::Height)
                continue;
            try {
                QString value = old->GetProperty(code, 0, 0, {});
                QString none;
                MarkNonDefault(code, !m_wrapper->SetProperty(code, 0, 0, value, none));
            } catch (const GuiError &) {
                // A property the new kind does not have, or a value it does not accept.
                MarkNonDefault(code, false);
            }
        }
        old->DeleteItem();
    }
    if (m_sizer)
        m_sizer->Attach(ControlObject());
    return true;
}

// ---- Sizer, fonts, z-order ------------------------------------------------------------

iFormFuncs *clsControl::DesignForm() const
{
    if (IsForm(m_objType) || IsApplication(m_objType))
        return m_wrapper ? m_wrapper->FormFuncs() : nullptr;
    if (m_form && m_form->Wrapper())
        return m_form->Wrapper()->FormFuncs();
    if (m_app && m_app->Wrapper())
        return m_app->Wrapper()->FormFuncs();
    return nullptr;
}

iItemSizer *clsControl::Sizer()
{
    if (m_sizer)
        return m_sizer;
    if (m_objType == Type::Root || m_objType == Type::Timer || IsFormBar(m_objType))
        return nullptr;
    iFormFuncs *form = DesignForm();
    if (!form || !ControlObject())
        return nullptr;
    m_sizer = form->CreateSizer();
    m_sizerForm = form;
    if (m_sizer)
        m_sizer->Attach(ControlObject());
    return m_sizer;
}

void clsControl::ReleaseSizer()
{
    if (!m_sizer)
        return;
    m_sizer->Detach();
    if (m_sizerForm)
        m_sizerForm->DeleteSizer(m_sizer);
    m_sizer = nullptr;
    m_sizerForm = nullptr;
}

void clsControl::ApplyFont()
{
    iDesignControl *control = ControlObject();
    if (!control)
        return;
    ApplyFontTo(control->Font());
}

void clsControl::ApplyFontTo(const DesignFont &font)
{
    for (const auto &entry : m_children) {
        clsControl *child = entry.Value;
        iDesignControl *control = child->ControlObject();
        bool own = false;
        for (int code : FontCodes)
            own = own || child->IsNonDefault(code);
        if (control && control->HasFont() && !own)
            control->SetFont(font);
        child->ApplyFontTo(font);
    }
}

void clsControl::ResetInDescendants(int code)
{
    for (const auto &entry : m_children) {
        clsControl *child = entry.Value;
        if (child->IsNonDefault(code)) {
            QString empty;
            QString none;
            child->SetProperty(code, 0, 0, empty, none);
        }
        child->ResetInDescendants(code);
    }
}

void clsControl::RestoreZOrder()
{
    for (const auto &entry : m_children) {
        if (entry.Value->Wrapper())
            entry.Value->Wrapper()->BringToFront();
        entry.Value->RestoreZOrder();
    }
}
