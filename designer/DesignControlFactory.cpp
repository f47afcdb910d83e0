#include "designer/DesignControlFactory.h"

#include "controls/OptionGroup.h"
#include "controls/TabGroup.h"
#include "controls/TextBox.h"
#include "controls/TimerIcon.h"
#include "controls/ucFakeBrowser.h"
#include "controls/ucFakeMenu.h"
#include "controls/ucImage.h"
#include "controls/ucProgressBar.h"
#include "controls/ucTreeview.h"
#include "designer/DesignComboBox.h"
#include "designer/DesignGrid.h"
#include "designer/DesignListBox.h"
#include "model/Vocabulary.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Vocabulary;

namespace {

QWidget *CreateWidget(int kind, QWidget *parent)
{
    switch (kind) {
    case Type::AppMdi:
    case Type::AppSdi:
    case Type::FormSizableChild:
    case Type::FormFixedChild:
    case Type::FormDialog:
    case Type::FormSizable:
    case Type::FormFixed: {
        auto *surface = new QWidget(parent);
        surface->setAutoFillBackground(true);
        return surface;
    }
    case Type::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case Type::Text:
    case Type::TextPassword:
        return new TextBox(parent);
    case Type::TextMultiLine:
        return new TextBox(parent, true);
    case Type::Command:
        return new QPushButton(parent);
    case Type::Option:
        return new OptionGroup(parent);
    case Type::Check:
        return new QCheckBox(parent);
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck:
        return new DesignListBox(parent);
    case Type::Combo:
    case Type::DropDownList: {
        auto *combo = new DesignComboBox(kind == Type::Combo, parent);
        combo->setInsertPolicy(QComboBox::NoInsert);
        return combo;
    }
    case Type::Picture:
        return new ucImage(parent);
    case Type::Frame:
        return new QGroupBox(parent);
    case Type::Tab:
    case Type::BorderFrame: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(kind == Type::Tab ? QFrame::NoFrame : QFrame::Box | QFrame::Plain);
        return frame;
    }
    case Type::GridProtected:
    case Type::GridEditable:
        return new DesignGrid(parent);
    case Type::Tabgroup:
        return new TabGroup(parent);
    case Type::Gauge:
        return new ucProgressBar(parent);
    case Type::Tree:
        return new ucTreeview(parent);
    case Type::Timer:
        return new TimerIcon(parent);
    case Type::Browser:
        return new ucFakeBrowser(parent);
    case Type::Menu:
    case Type::Popup:
    case Type::Toolbar:
    case Type::Statusbar:
        return new ucFakeMenu(parent);
    default:
        return nullptr;
    }
}

} // namespace

std::unique_ptr<DesignControl> CreateDesignControl(int kind, QWidget *parent)
{
    QWidget *widget = CreateWidget(kind, parent);
    if (!widget)
        return nullptr;
    // Every scroll area's viewport asks the toolkit for pan gestures, which then keeps a
    // gesture object for each of them under one parent, filters every event of the viewport
    // through it, and on closing searches that parent's list for each one it deletes: a
    // project of thousands of lists and grids closed in time growing with the square of their
    // number. A control on a design form is never panned.
    QList<QAbstractScrollArea *> areas = widget->findChildren<QAbstractScrollArea *>();
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        areas.append(area);
    for (QAbstractScrollArea *area : std::as_const(areas))
        area->viewport()->ungrabGesture(Qt::PanGesture);
    return std::make_unique<DesignControl>(kind, widget);
}
