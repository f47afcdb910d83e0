#include "main/DesignerUsage.h"

#include "designer/frmAbout.h"

namespace DesignerUsage {

namespace {
constexpr const char *Help =
    "usage: corvane-designer [SWITCH]... [PROJECT]...\n"
    "\n"
    "Starts the GUI designer and opens each PROJECT named, in order: a local path or a host\n"
    "document name (mvdb://host/account/file/item). Names with blanks go in double quotes.\n"
    "\n"
    "switches (the letter in any case; a switch applies to the /I= switches after it):\n"
    "  /T=TYPE      host type: mvdb (the default) or file\n"
    "  /H=HOST      host name\n"
    "  /A=ACCOUNT   account name\n"
    "  /F=FILE      host file name\n"
    "  /I=ITEM      item ID: opens the item ITEM of FILE in ACCOUNT on HOST at once\n"
    "  /X=VALUE     the extension argument the property sheet hands to the host\n"
    "  -h, --help   show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "An absolute path that goes on into folders (/home/ann/orders.gui) names a PROJECT;\n"
    "any other argument beginning with \"/\" that is not one of these switches is ignored.\n"
    "\n"
    "examples:\n"
    "  corvane-designer orders.gui\n"
    "  corvane-designer \"/home/ann/GUI projects/orders.gui\"\n"
    "  corvane-designer mvdb://prod/SALES/GUI/ORDERS\n"
    "  corvane-designer /H=prod /A=SALES \"/F=GUI FORMS\" /I=ORDERS\n";
} // namespace

QByteArray InfoText(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return QByteArray(Help);
        if (argument == QLatin1String("--version"))
            return "corvane-designer " + frmAbout::VersionText().toUtf8() + '\n';
    }
    return {};
}

} // namespace DesignerUsage
