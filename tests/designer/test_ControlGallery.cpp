// Every control kind drawn on one offscreen form: each paints something of its own where it
// stands. With CORVANE_GRAB_DIR set, the picture is saved there for a look.
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"

#include "model/Vocabulary.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Vocabulary;

namespace {

struct Placed
{
    int Kind;
    QRect Twips;
};

void Configure(DesignControl &c)
{
    c.SetFont({QStringLiteral("Arial"), 9, false, false, false});
    c.SetForeColor(qint32(0x80000012));
    c.SetBackColor(c.Kind() == Type::Label || c.Kind() == Type::Check || c.Kind() == Type::Option
                           || c.Kind() == Type::Frame
                       ? qint32(0x8000000F)
                       : qint32(0x80000005));
    c.SetBorder(c.Kind() == Type::Label || c.Kind() == Type::Check ? 0 : 2);
    switch (c.Kind()) {
    case Type::Label: c.SetText(QStringLiteral("Customer name:")); break;
    case Type::Text: c.SetText(QStringLiteral("Smith & Sons Ltd")); break;
    case Type::TextMultiLine:
        c.SetMultiLine(true);
        c.SetVerticalScrollBar(true);
        c.SetText(QStringLiteral("12 High Street\nSpringfield\nRegion 7"));
        break;
    case Type::TextPassword:
        c.SetPasswordChar(QStringLiteral("*"));
        c.SetText(QStringLiteral("secret"));
        break;
    case Type::Command: c.SetText(QStringLiteral("&OK")); break;
    case Type::Option:
        c.SetText(QStringLiteral("Delivery"));
        c.SetListRows({QStringLiteral("Post"), QStringLiteral("Courier"), QStringLiteral("Collect")});
        c.SetValue(QStringLiteral("2"));
        break;
    case Type::Check:
        c.SetText(QStringLiteral("Active"));
        c.SetValue(QStringLiteral("1"));
        break;
    case Type::ListCheck:
        c.SetColumnHeadings({QStringLiteral("Code"), QStringLiteral("Description")});
        c.SetColumnWidths({600, 1600});
        c.SetListRows({QStringLiteral("A1\tApples"), QStringLiteral("B2\tBananas"),
                       QStringLiteral("C3\tCherries")});
        c.SetCheckBoxes(true);
        break;
    case Type::DropDownList:
        c.SetListRows({QStringLiteral("North"), QStringLiteral("South")});
        c.SetText(QStringLiteral("South"));
        break;
    case Type::Frame: c.SetText(QStringLiteral("Address")); break;
    case Type::GridEditable:
        c.SetColumnHeadings({QStringLiteral("Qty"), QStringLiteral("Item")});
        c.SetGridSize(3, 2);
        c.SetCellText(1, 1, QStringLiteral("4"));
        c.SetCellText(1, 2, QStringLiteral("Bolts"));
        c.SetCellText(2, 1, QStringLiteral("12"));
        c.SetCellText(2, 2, QStringLiteral("Nuts"));
        break;
    case Type::Tabgroup:
        c.SetTabs({QStringLiteral("General"), QStringLiteral("Terms")});
        c.SetCurrentTab(1);
        break;
    case Type::Gauge: c.SetValue(QStringLiteral("65")); break;
    case Type::Tree:
        c.SetTreeNodes({{QStringLiteral("R"), 1, QStringLiteral("Orders"), {}, 1, {}},
                        {QStringLiteral("O1"), 2, QStringLiteral("Order 1001"), {}, 0, {}},
                        {QStringLiteral("O2"), 2, QStringLiteral("Order 1002"), {}, 4, {}}});
        break;
    case Type::Browser: c.SetText(QStringLiteral("https://example.test/")); break;
    case Type::Picture: c.SetPictureName(QStringLiteral("missing-logo.bmp")); break;
    case Type::Toolbar: {
        DesignBarItem newItem{DesignBarItem::Button, QStringLiteral("NEW"), 1, QStringLiteral("New")};
        DesignBarItem open{DesignBarItem::Button, QStringLiteral("OPEN"), 1, QStringLiteral("Open")};
        DesignBarItem print{DesignBarItem::Button, QStringLiteral("PRINT"), 1, QStringLiteral("Print")};
        print.GroupBreak = true;
        c.SetBarItems({newItem, open, print});
        break;
    }
    default: break;
    }
    c.SetHelpMarker(c.Kind() == Type::Text);
}

} // namespace

TEST(ControlGallery, EveryKindPaintsWhereItStands)
{
    QWidget form;
    form.resize(660, 420);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    form.setPalette(palette);
    form.setAutoFillBackground(true);
    const Placed placed[] = {
        {Type::Toolbar, {0, 0, 9900, 420}},
        {Type::Label, {150, 600, 1800, 300}},
        {Type::Text, {2000, 560, 2400, 330}},
        {Type::TextPassword, {4600, 560, 1500, 330}},
        {Type::TextMultiLine, {2000, 1000, 2400, 900}},
        {Type::Command, {4600, 1000, 1500, 400}},
        {Type::Check, {150, 1000, 1700, 330}},
        {Type::Option, {150, 1500, 1700, 1300}},
        {Type::ListCheck, {2000, 2050, 2400, 1100}},
        {Type::DropDownList, {4600, 1550, 1500, 330}},
        {Type::Gauge, {4600, 2050, 1500, 300}},
        {Type::Frame, {6300, 560, 3400, 1300}},
        {Type::GridEditable, {6300, 2000, 3400, 1100}},
        {Type::Tabgroup, {150, 3300, 3000, 1500}},
        {Type::Tree, {3300, 3300, 2400, 1500}},
        {Type::Browser, {5900, 3300, 1900, 1500}},
        {Type::Picture, {7950, 3300, 1800, 1500}},
        {Type::Statusbar, {0, 5900, 9900, 330}},
    };
    std::vector<std::unique_ptr<DesignControl>> controls;
    for (const Placed &p : placed) {
        auto control = CreateDesignControl(p.Kind, &form);
        ASSERT_TRUE(control) << p.Kind;
        Configure(*control);
        control->Move(p.Twips.x(), p.Twips.y(), p.Twips.width(), p.Twips.height());
        control->SetVisible(true);
        controls.push_back(std::move(control));
    }
    DesignBarItem ready{DesignBarItem::TextPanel, QStringLiteral("P1"), 1, QStringLiteral("Ready")};
    ready.PanelWidth = -1;
    DesignBarItem caps{DesignBarItem::AutoPanel, QStringLiteral("P2"), 1, QString()};
    caps.PanelKeyword = QStringLiteral("CAPS");
    controls.back()->SetBarItems({ready, caps});

    const QImage shot = form.grab().toImage();
    if (const QString dir = qEnvironmentVariable("CORVANE_GRAB_DIR"); !dir.isEmpty())
        shot.save(QDir(dir).filePath(QStringLiteral("control-gallery.png")));
    const QRgb background = shot.pixel(form.width() - 1, form.height() / 2);
    for (const auto &control : controls) {
        const QRect area = control->Widget()->geometry() & shot.rect();
        int differing = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                differing += shot.pixel(x, y) != background;
        EXPECT_GT(differing, area.width() * area.height() / 20) << "kind " << control->Kind();
    }
}
