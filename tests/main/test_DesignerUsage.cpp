// What the designer answers before it makes a window: --help and --version, and nothing
// for the arguments its own command line reads; the program icon found beside it.
#include "designer/frmAbout.h"
#include "main/DesignerUsage.h"
#include "main/ProgramIcon.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DesignerUsage, HelpAndVersionAnswerOnlyTheirOwnOptions)
{
    const QByteArray help = DesignerUsage::InfoText({"--help"});
    EXPECT_TRUE(help.startsWith("usage: corvane-designer")) << help.constData();
    for (const char *form : {"/T=", "/H=", "/A=", "/F=", "/I=", "/X=", "mvdb://", "--version"})
        EXPECT_TRUE(help.contains(form)) << form;
    EXPECT_EQ(DesignerUsage::InfoText({"-h"}), help);
    EXPECT_EQ(DesignerUsage::InfoText({"orders.gui", "--version"}),
              "corvane-designer " + frmAbout::VersionText().toUtf8() + "\n");
    // Switches, document names and unknown options are the designer's own business.
    for (const QStringList &arguments :
         {QStringList{}, QStringList{"/T=file", "orders.gui"}, QStringList{"/F=\"A B\"", "/I=X"},
          QStringList{"--helpme"}, QStringList{"-x"}, QStringList{"/h"}})
        EXPECT_TRUE(DesignerUsage::InfoText(arguments).isEmpty()) << qPrintable(arguments.join(' '));
}

TEST(ProgramIcon, ComesFromTheShareFolderBesideTheProgram)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + "/a prefix";
    ASSERT_TRUE(QDir(prefix).mkpath("bin"));
    for (int size : {16, 48}) {
        const QString folder = QStringLiteral("%1/share/icons/hicolor/%2x%2/apps").arg(prefix).arg(size);
        ASSERT_TRUE(QDir().mkpath(folder));
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(folder + "/corvane-designer.png"));
    }
    const QIcon icon = ProgramIcon(prefix + "/bin");
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
    EXPECT_EQ(icon.pixmap(48, 48).toImage().pixelColor(10, 10), QColor(Qt::red));
}
