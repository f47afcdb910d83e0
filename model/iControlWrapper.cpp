#include "model/iControlWrapper.h"

#include "support/GuiError.h"

namespace {
[[noreturn]] void NotImplemented()
{
    throw GuiError(GuiErrors::NotImplemented);
}
} // namespace

iDesignControl *iControlWrapper::ControlObject() const { NotImplemented(); }
qintptr iControlWrapper::hWnd() const { NotImplemented(); }
clsControl *iControlWrapper::Owner() const { NotImplemented(); }
qint32 iControlWrapper::EventMask() const { NotImplemented(); }
void iControlWrapper::SetEventMask(qint32) { NotImplemented(); }
qint32 iControlWrapper::DataType() const { NotImplemented(); }
bool iControlWrapper::Required() const { NotImplemented(); }
QString iControlWrapper::HelpID() const { NotImplemented(); }
bool iControlWrapper::HasValue() const { NotImplemented(); }
void iControlWrapper::CreateItem(clsControl *, int, const QString &) { NotImplemented(); }
void iControlWrapper::CreateDefaultItem(clsControl *, int) { NotImplemented(); }
bool iControlWrapper::ChangeControlType(int) { NotImplemented(); }
void iControlWrapper::DeleteItem() { NotImplemented(); }
bool iControlWrapper::SetProperty(int, int, int, QString &, QString &) { NotImplemented(); }
QString iControlWrapper::GetProperty(int, int, int, const QString &) const { NotImplemented(); }
QString iControlWrapper::GetDefaultProperty(int) const { NotImplemented(); }
bool iControlWrapper::KeepOwn(int, const QString &) { return false; }
QString iControlWrapper::InvokeMethod(int, const QString &, const QString &, const QString &)
{
    NotImplemented();
}
void iControlWrapper::Reset() { NotImplemented(); }
void iControlWrapper::Move(int, int, int, int, bool) { NotImplemented(); }
void iControlWrapper::UpdateImage() { NotImplemented(); }
QPoint iControlWrapper::GetPos() const { NotImplemented(); }
bool iControlWrapper::Enabled() const { NotImplemented(); }
void iControlWrapper::SetEnabled(bool) { NotImplemented(); }
bool iControlWrapper::Visible() const { NotImplemented(); }
void iControlWrapper::SetVisible(bool) { NotImplemented(); }
void iControlWrapper::BringToFront() { NotImplemented(); }
void iControlWrapper::Rename(QString &) { NotImplemented(); }
void iControlWrapper::Resized() { NotImplemented(); }
void iControlWrapper::FullIDChanged(const QString &) {}
void iControlWrapper::ChildrenChanged() {}
iFormFuncs *iControlWrapper::FormFuncs() const { return nullptr; }
