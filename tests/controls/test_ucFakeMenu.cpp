// ucFakeMenu: buttons added side by side, sized to their captions, with their members, Clear,
// and panel widths by rule; a whole set given at once laid out as one by one, in one pass;
// ucFakeBrowser's range checks.
#include "controls/ucFakeBrowser.h"
#include "controls/ucFakeMenu.h"

#include "support/GuiError.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "ErrorOf.h"

TEST(ucFakeMenu, ButtonsSitSideBySideSizedToTheirCaptions)
{
    QWidget form;
    form.resize(500, 300);
    ucFakeMenu band(&form);
    band.SetTop(0);
    EXPECT_EQ(band.height(), band.BandHeight());
    EXPECT_EQ(band.width(), 500);
    EXPECT_EQ(band.AddButton(QStringLiteral("&File"), QStringLiteral("FILE")), 1);
    EXPECT_EQ(band.AddButton(QStringLiteral("&Administration"), QStringLiteral("ADMIN")), 2);
    EXPECT_EQ(band.AddButton(QStringLiteral("&Help"), QStringLiteral("HELP")), 3);
    EXPECT_EQ(band.ButtonCount(), 3);
    QPushButton *file = band.Button(1), *admin = band.Button(2), *help = band.Button(3);
    EXPECT_GT(admin->width(), file->width());
    EXPECT_EQ(admin->x(), file->geometry().right() + 1);
    EXPECT_EQ(help->x(), admin->geometry().right() + 1);

    band.SetButtonCaption(1, QStringLiteral("&File and Folder"));
    EXPECT_EQ(band.ButtonCaption(1), QStringLiteral("&File and Folder"));
    EXPECT_GT(band.Button(1)->width(), help->width());
    EXPECT_EQ(admin->x(), band.Button(1)->geometry().right() + 1);
    band.SetButtonEnabled(2, false);
    EXPECT_FALSE(band.ButtonEnabled(2));
    band.SetButtonVisible(2, false);
    EXPECT_FALSE(band.ButtonVisible(2));
    EXPECT_EQ(help->x(), band.Button(1)->geometry().right() + 1);
    band.SetButtonID(3, QStringLiteral("ABOUT"));
    EXPECT_EQ(band.ButtonID(3), QStringLiteral("ABOUT"));
    // Numbers outside the set answer nothing and change nothing.
    EXPECT_EQ(band.ButtonCaption(0), QString());
    EXPECT_EQ(band.ButtonID(4), QString());
    band.SetButtonCaption(9, QStringLiteral("x"));

    QSignalSpy clicks(&band, &ucFakeMenu::ButtonClick);
    QTest::mouseClick(help, Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 3);

    band.Clear();
    EXPECT_EQ(band.ButtonCount(), 0);
    EXPECT_EQ(band.AddButton(QStringLiteral("Again"), QStringLiteral("A")), 1);
}

TEST(ucFakeMenu, PanelsFollowTheirWidthRule)
{
    ucFakeMenu band;
    band.resize(600, 24);
    band.AddButton(QStringLiteral("Ready"), QStringLiteral("P1"));
    band.AddButton(QString(), QStringLiteral("P2"));
    band.AddButton(QStringLiteral("NUM"), QStringLiteral("P3"));
    band.AddButton(QString(), QStringLiteral("P4"));
    band.SetButtonWidth(1, 120);
    band.SetButtonWidth(2, ucFakeMenu::SpringWidth);
    band.SetButtonWidth(4, ucFakeMenu::SpringWidth);
    EXPECT_EQ(band.Button(1)->width(), 120);
    const int inner = band.contentsRect().width();
    const int springs = inner - 120 - band.Button(3)->width();
    EXPECT_LE(qAbs(band.Button(2)->width() - band.Button(4)->width()), 1);
    EXPECT_EQ(band.Button(2)->width() + band.Button(4)->width(), springs);
    EXPECT_EQ(band.Button(4)->geometry().right(), band.contentsRect().right());
}

TEST(ucFakeBrowser, OutOfRangeValuesRaise380AndKeepTheOldValue)
{
    ucFakeBrowser browser;
    QSignalSpy changed(&browser, &ucFakeBrowser::PropertyChanged);
    browser.SetAppearance(0);
    browser.SetAppearance(-1);
    EXPECT_EQ(changed.size(), 2);
    for (int bad : {2, -2, 100}) {
        EXPECT_EQ(ErrorOf([&] { browser.SetAppearance(bad); }), 380) << bad;
        EXPECT_EQ(browser.Appearance(), -1);
    }
    EXPECT_THROW(browser.SetBorderStyle(2), GuiError);
    EXPECT_THROW(browser.SetBorderStyle(-1), GuiError);
    EXPECT_EQ(browser.BorderStyle(), 1);
    browser.SetBorderStyle(0);
    EXPECT_EQ(browser.BorderStyle(), 0);
    EXPECT_EQ(changed.size(), 3);
    EXPECT_EQ(browser.Title(), QStringLiteral("Web browser"));
    browser.SetURL(QStringLiteral("https://example.test/"));
    EXPECT_EQ(browser.Title(), QStringLiteral("https://example.test/"));
}

TEST(ucFakeMenu, AWholeSetOfButtonsIsLaidOutAsOneByOneAndAtOnce)
{
    // The same bar made button by button and given whole: every button in the same place.
    QPixmap square(16, 16);
    square.fill(Qt::red);
    const QIcon icon(square);
    const QList<ucFakeMenu::BandButton> buttons = {
        {"&File", "FILE", true, true, false, ucFakeMenu::AutoWidth, {}, "Files"},
        {"Hidden", "H", true, false, false, ucFakeMenu::AutoWidth, {}, {}},
        {"", "TOOL", false, true, true, ucFakeMenu::AutoWidth, icon, {}},
        {"Ready", "P1", true, true, false, 90, {}, {}},
        {"", "SPRING", true, true, false, ucFakeMenu::SpringWidth, {}, {}},
        {"NUM", "P3", true, true, true, ucFakeMenu::SpringWidth, {}, {}},
    };
    ucFakeMenu oneByOne, atOnce;
    for (ucFakeMenu *band : {&oneByOne, &atOnce})
        band->resize(640, 26);
    for (const auto &button : buttons) {
        const int index = oneByOne.AddButton(button.Caption, button.ID);
        oneByOne.SetButtonEnabled(index, button.Enabled);
        oneByOne.SetButtonVisible(index, button.Visible);
        oneByOne.SetButtonGap(index, button.Gap);
        oneByOne.Button(index)->setToolTip(button.ToolTip);
        oneByOne.SetButtonIcon(index, button.Icon);
        oneByOne.SetButtonWidth(index, button.Rule);
    }
    atOnce.AddButton("gone", "OLD"); // replaced, not kept
    atOnce.SetButtons(buttons);
    ASSERT_EQ(atOnce.ButtonCount(), int(buttons.size()));
    for (int i = 1; i <= atOnce.ButtonCount(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(atOnce.Button(i)->isVisibleTo(&atOnce), oneByOne.Button(i)->isVisibleTo(&oneByOne));
        if (atOnce.ButtonVisible(i))
            EXPECT_EQ(atOnce.Button(i)->geometry(), oneByOne.Button(i)->geometry());
        EXPECT_EQ(atOnce.ButtonEnabled(i), oneByOne.ButtonEnabled(i));
        EXPECT_EQ(atOnce.ButtonID(i), oneByOne.ButtonID(i));
        EXPECT_EQ(atOnce.Button(i)->toolTip(), oneByOne.Button(i)->toolTip());
        EXPECT_EQ(atOnce.Button(i)->icon().isNull(), oneByOne.Button(i)->icon().isNull());
    }
    QSignalSpy clicks(&atOnce, &ucFakeMenu::ButtonClick);
    QTest::mouseClick(atOnce.Button(4), Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 4);

    // Five thousand titles given at once are measured once each: well inside the test's time
    // limit, where measuring all of them again for each title added took many minutes.
    QList<ucFakeMenu::BandButton> many;
    for (int i = 0; i < 5000; ++i)
        many.append({QStringLiteral("Title %1").arg(i), QStringLiteral("M%1").arg(i)});
    QElapsedTimer clock;
    clock.start();
    atOnce.SetButtons(many);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(atOnce.Button(5000)->x(), atOnce.Button(4999)->geometry().right() + 1);
}
