// corvane render: each named form (default every form) drawn to DIR/<APP>_<FORM>.png.
#include "cli/CliRender.h"

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "controls/PictureLoader.h"
#include "controls/ucIHlp.h"
#include "controls/ucImage.h"
#include "designer/DesignControl.h"
#include "designer/DesignFormFactory.h"
#include "designer/frmDesign.h"
#include "model/clsControl.h"
#include "model/Vocabulary.h"
#include "host/OutputFile.h"
#include "support/GuiError.h"
#include "support/PlatformMetrics.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QHash>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr const char *Name = "render";

// Picks every "--form ID" / "--form=ID" out of the arguments; the rest stays.
bool TakeForms(QStringList &arguments, QStringList &forms, QString &error)
{
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--form")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("option --form needs a form ID");
                return false;
            }
            forms.append(arguments.at(++i));
        } else if (a.startsWith(QLatin1String("--form="))) {
            forms.append(a.mid(7));
        } else {
            rest.append(a);
        }
    }
    for (const QString &form : forms)
        if (form.trimmed().isEmpty()) {
            error = QStringLiteral("option --form needs a form ID");
            return false;
        }
    arguments = rest;
    return true;
}

// A file-name part made of an ID: characters a path would take specially become '_'.
QString FileNamePart(const QString &id)
{
    QString part = id;
    for (QChar &c : part)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':')
            || c.unicode() < 32)
            c = QLatin1Char('_');
    return part;
}

// The picture file of each form. IDs that differ only in characters a file name cannot hold
// ("A/B", "A:B", "A_B") fold to one name: the first form keeps it, each later one gets "-2",
// "-3", ... before ".png", the lowest number whose name no form takes.
std::vector<QString> PictureFileNames(const clsControl &app, const std::vector<clsControl *> &forms)
{
    const QString prefix = FileNamePart(app.ID()) + QLatin1Char('_');
    std::vector<QString> stems;
    QSet<QString> plain;
    for (const clsControl *form : forms) {
        stems.push_back(prefix + FileNamePart(form->ID()));
        plain.insert(stems.back());
    }
    QSet<QString> held;
    QHash<QString, int> nextNumber;
    std::vector<QString> names;
    for (const QString &stem : stems) {
        QString name = stem;
        if (held.contains(name)) {
            int &n = nextNumber.insert(stem, nextNumber.value(stem, 2)).value();
            do
                name = stem + QLatin1Char('-') + QString::number(n++);
            while (plain.contains(name) || held.contains(name));
        }
        held.insert(name);
        names.push_back(name + QStringLiteral(".png"));
    }
    return names;
}

int Pixels(int twips, double factor)
{
    return int(std::lround(double(twips) / 15.0 * factor));
}

// The design surface shows every control; a picture of the form leaves out those that the
// running application would not show (their Visible property is off), with what they hold.
void HideInvisible(const clsControl &item)
{
    for (const auto &entry : item.Children()) {
        const clsControl &child = *entry.Value;
        const int type = child.ObjType();
        if ((Vocabulary::IsControl(type) || Vocabulary::IsFormBar(type)) && !child.Visible()) {
            if (const auto *control = dynamic_cast<const DesignControl *>(child.ControlObject()))
                if (QWidget *widget = control->Widget())
                    widget->hide();
            continue;
        }
        HideInvisible(child);
    }
}

// Draws the form's client area at the given picture size.
QImage Draw(frmDesign &form, QSize size)
{
    QWidget *canvas = form.Canvas();
    HideInvisible(form.Owner());
    form.SetDesignAids(false);
    form.LayoutBands();
    form.LayoutTabPanels();
    // Shown off screen, so that every child that is not hidden on purpose is drawn.
    canvas->setAttribute(Qt::WA_DontShowOnScreen, true);
    canvas->show();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (canvas->width() > 0 && canvas->height() > 0) {
        QPainter painter(&image);
        painter.scale(double(size.width()) / canvas->width(),
                      double(size.height()) / canvas->height());
        canvas->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    canvas->hide();
    return image;
}

} // namespace

bool IsRenderCommand(int argc, char *argv[])
{
    return argc > 1 && qstrcmp(argv[1], Name) == 0;
}

namespace {
QtMessageHandler QtDefaultHandler = nullptr;

// Qt's remarks about the desktop session it does not have are noise on the tool's stderr.
void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg
        || message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    QtDefaultHandler(type, context, message);
}
} // namespace

std::unique_ptr<QCoreApplication> CreateRenderApplication(int &argc, char *argv[])
{
    // Pictures never depend on a display, nor on the screen the tool happens to run beside.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QtDefaultHandler = qInstallMessageHandler(QuietHandler);
    return std::make_unique<QApplication>(argc, argv);
}

int RunRender(const QStringList &given)
{
    QStringList arguments = given;
    QStringList formIds;
    QString error;
    if (!TakeForms(arguments, formIds, error))
        return CliUsage(Name, error);
    const CliOptions options = CliOptions::Parse(
        arguments, CliOptions::LoadingSyntax({QStringLiteral("output-dir"), QStringLiteral("scale")}));
    if (!options.Ok())
        return CliUsage(Name, options.Error());
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return CliUsage(Name, QStringLiteral("render needs its own application"));
    double factor = 1.0;
    if (const auto scale = options.Value(QStringLiteral("scale"))) {
        bool ok = false;
        factor = scale->toDouble(&ok);
        if (!ok || !std::isfinite(factor) || factor <= 0 || factor > 16)
            return CliUsage(Name, QStringLiteral("--scale needs a number above 0 and at most 16"));
    }
    const QString outputDir = options.Value(QStringLiteral("output-dir")).value_or(QString());
    if (!outputDir.isEmpty() && !QDir(outputDir).exists())
        return CliUsage(Name, QStringLiteral("no such folder: %1").arg(outputDir));

    // All downloads of the run share one deadline, however many pictures name URLs.
    ucIHlp::Shared()->StartRun(ucIHlp::DefaultRunTimeoutMs);
    // Rendering measures in the fixed 15 twips per pixel, whatever the screen says.
    PlatformMetrics::Install(PlatformMetrics::Headless());
    DesignFormFactory factory;
    CliProject project;
    if (!project.Configure(options, error))
        return CliUsage(Name, error);
    factory.SetPictureResolver([&project](const clsControl *app, const QString &name) {
        return project.Storage().ResolvePicture(app, name);
    });
    project.Items().SetFormFactory(&factory);
    int status = project.Load(options.Positional().at(0));
    ProjectState *loaded = project.Project();
    if (!loaded || !loaded->App) {
        project.Items().SetFormFactory(nullptr);
        return status == CliExit::Ok ? CliExit::Problem : status;
    }
    clsControl &app = *loaded->App;

    std::vector<clsControl *> forms;
    for (const auto &child : app.Children())
        if (Vocabulary::IsForm(child.Value->ObjType()))
            forms.push_back(child.Value);
    if (!formIds.isEmpty()) {
        std::vector<clsControl *> named;
        for (const QString &id : formIds) {
            clsControl *form = app.Child(id);
            if (!form || !Vocabulary::IsForm(form->ObjType())) {
                project.Items().SetFormFactory(nullptr);
                return CliUsage(Name, QStringLiteral("no form '%1' in application %2").arg(id, app.ID()));
            }
            // A form named twice is drawn once.
            if (std::find(named.begin(), named.end(), form) == named.end())
                named.push_back(form);
        }
        forms = named;
    }

    // Pictures named by URLs have been downloading side by side since the project loaded:
    // every form is drawn once they are all in, or given up at the run's deadline.
    ucIHlp::Shared()->WaitForDownloads();
    const std::vector<QString> fileNames = PictureFileNames(app, forms);
    for (size_t i = 0; i < forms.size(); ++i) {
        clsControl *form = forms[i];
        frmDesign *design = DesignFormFactory::FormOf(*form);
        const QSize size(Pixels(form->TwipWidth(), factor), Pixels(form->TwipHeight(), factor));
        const QString path = outputDir.isEmpty() ? fileNames[i] : QDir(outputDir).filePath(fileNames[i]);
        if (!design) {
            CliError(QStringLiteral("corvane render: form %1 has no design surface").arg(form->ID()));
            status = CliExit::Problem;
            continue;
        }
        if (size.width() < 1 || size.height() < 1 || size.width() > MaxRenderSide
            || size.height() > MaxRenderSide) {
            CliError(QStringLiteral("corvane render: form %1 is %2x%3 pixels; a picture must be "
                                    "1 to %4 pixels on each side (try a smaller --scale)")
                         .arg(form->ID())
                         .arg(size.width())
                         .arg(size.height())
                         .arg(MaxRenderSide));
            status = CliExit::Problem;
            continue;
        }
        QByteArray png;
        {
            const QImage image = Draw(*design, size);
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            if (!writer.write(image)) {
                CliError(QStringLiteral("corvane render: cannot write %1: %2").arg(path, writer.errorString()));
                status = CliExit::Problem;
                continue;
            }
        }
        // Written as --output writes: a temporary file renamed over the picture, so a killed
        // run leaves the old picture or the new one, never a torn one.
        try {
            OutputFile::Write(path, png, QStringLiteral("'%1'").arg(path));
        } catch (const GuiError &e) {
            CliError(QStringLiteral("corvane render: %1").arg(e.Description()));
            status = CliExit::Problem;
            continue;
        }
        CliOut(QStringLiteral("%1 %2x%3\n").arg(path).arg(size.width()).arg(size.height()).toUtf8());
    }
    // A picture left out for lack of memory leaves a drawing that is not the form: each such
    // control is named, and the run fails.
    if (PictureLoader::MemoryShortfalls() > 0) {
        bool named = false;
        for (clsControl *form : forms)
            if (frmDesign *design = DesignFormFactory::FormOf(*form))
                for (const ucImage *image : design->Canvas()->findChildren<ucImage *>())
                    if (image->LackOfMemory()) {
                        CliError(QStringLiteral("corvane render: form %1: %2")
                                     .arg(form->ID(), image->LoadError()));
                        named = true;
                    }
        if (!named)
            CliError(QStringLiteral("corvane render: %1 picture(s) could not be drawn for lack of "
                                    "memory")
                         .arg(PictureLoader::MemoryShortfalls()));
        status = CliExit::Problem;
    }
    // Drawing left an undelivered event (a layout request, an update) for many of the widgets
    // that now go; each widget destroyed would search all of them, a time that grows with the
    // square of the controls. Nothing is shown any more: drop them first.
    QCoreApplication::removePostedEvents(nullptr);
    // The forms go with the registry, before the factory that made them.
    project.Items().SetFormFactory(nullptr);
    return status;
}
