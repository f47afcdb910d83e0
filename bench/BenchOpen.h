#pragma once
// Opening projects of many forms in the designer, one open per child process so that its
// wall time, CPU time and resident memory are those of that open alone: the benchmark runs
// itself with "--child" for every measurement and prints the growth table from the answers.
// On the X platform when a display is present (the load's cost there is what users see),
// offscreen otherwise.
#include "app/DesignerRoot.h"
#include "app/DocumentStorage.h"
#include "testsupport/ScriptedPrompter.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignerStyle.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/FormArea.h"
#include "designer/LoadProgressBar.h"
#include "designer/clsProjectTree.h"
#include "model/Vocabulary.h"
#include "support/Marks.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <vector>

namespace BenchOpen {

// Forms of `perForm` controls each, the kinds taking turns on a form; a few properties per
// control (colours, font, and the caption or list items where the kind has them).
inline QString Project(int forms, const QList<int> &kinds, int perForm = 100)
{
    auto rec = [](const QStringList &fields) { return fields.join(QChar(Marks::Value)); };
    QStringList recs{rec({"TEMPLATE", "45000", "bench"}), rec({"0", "1.4", "0"}),
                     rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"})};
    for (int form = 0; form < forms; ++form) {
        const QString f = QStringLiteral("APP*F%1").arg(form);
        recs << rec({"2", f, "", "8", "auto", "auto", "72", "44", "1"});
        recs << rec({"4", "", "22", "", "", f});
        for (int c = 0; c < perForm; ++c) {
            const int kind = kinds[c % kinds.size()];
            recs << rec({"2", f + QStringLiteral("*C%1").arg(c), "", QString::number(kind),
                         QString::number(c % 10 * 7), QString::number(c / 10 % 10 * 4), "6", "3",
                         "0"});
            const Vocabulary::PropertySet &supported = Vocabulary::SupportedProperties(Vocabulary::WrapperKindOf(kind));
            const std::pair<int, QStringList> props[] = {
                {Vocabulary::Prop::BackColor, {"16777215"}},
                {Vocabulary::Prop::ForeColor, {"0"}},
                {Vocabulary::Prop::FontName, {"Courier New"}},
                {Vocabulary::Prop::FontSize, {"10"}},
                {Vocabulary::Prop::Caption, {QStringLiteral("Caption %1").arg(c)}},
                {Vocabulary::Prop::Items, {"First", "Second", "Third"}},
            };
            for (const auto &[code, value] : props)
                if (supported.Has(code))
                    recs << rec(QStringList{"4", "", QString::number(code), "", ""} + value);
        }
    }
    recs << rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

inline double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
           usage.ru_stime.tv_usec / 1e3;
}

// Resident memory of this process now, in kB.
inline long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

struct Measure
{
    double Wall = -1, Cpu = -1, CheckMs = -1;
    long RssKb = 0;
    int Forms = 0, Reports = 0;
    bool Ok() const { return Wall >= 0; }
};

// The child's answer to the parent, which Run reads.
inline void PrintResult(const Measure &m)
{
    std::printf("RESULT %.1f %.1f %ld %.1f %d %d\n", m.Wall, m.Cpu, m.RssKb, m.CheckMs, m.Forms,
                m.Reports);
    std::fflush(stdout);
}

// Shows the main window at its benchmark size and waits until it is mapped.
inline void ShowMapped(QMainWindow &window)
{
    window.resize(1400, 1000);
    window.show();
    QDeadlineTimer mapped(5000);
    while (!window.isVisible() && !mapped.hasExpired())
        QApplication::processEvents();
    QApplication::processEvents();
}

// Handles events until every window of the area shows its client area, then one more pass
// for the paints.
inline void UntilAllShown(const QMdiArea &area)
{
    auto allShown = [&] {
        for (QMdiSubWindow *sub : area.subWindowList())
            if (!sub->widget() || !sub->widget()->isVisible())
                return false;
        return true;
    };
    QDeadlineTimer deadline(600000);
    do
        QApplication::processEvents();
    while (!allShown() && !deadline.hasExpired());
    QApplication::processEvents();
}

// The child's side: open the project as File > Open does, beside a project tree, and time it
// until every form's window shows its controls and the window has caught up with its events.
inline int Child(const QList<int> &kinds, int forms)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/bench.gui");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(DocumentStorage::ToStoredForm(Project(forms, kinds)).toUtf8());
    }
    DesignerRoot root(std::make_unique<ProcessState>(dir.path()));
    ScriptedPrompter prompter;
    // The same load headless first, for the ratio to it.
    double check = 0;
    {
        DesignerPorts ports;
        ports.Prompter = &prompter;
        root.Connect(ports);
        QElapsedTimer timer;
        timer.start();
        root.Storage().OpenByName(path);
        check = Ms(timer);
        root.Designer().ReleaseAll();
        root.Disconnect();
    }
    prompter.Calls.clear();

    // The main window's parts that take part in a load: the project tree, the MDI area and the
    // status bar with the load's progress.
    QMainWindow window;
    auto *splitter = new QSplitter(&window);
    auto *treeView = new QTreeWidget(splitter);
    auto *area = new FormArea(splitter);
    window.setCentralWidget(splitter);
    auto *progress = new LoadProgressBar(window.statusBar());
    progress->HoldPaintsOf(area->viewport());
    ShowMapped(window);

    clsProjectTree tree(*treeView);
    DesignSurfaceHost host(root.Designer(), root.Edit());
    DesignFormFactory formFactory(&host, area);
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.ProjectTree = &tree;
    ports.FormFactory = &formFactory;
    // BENCH_OPEN_UNSEEN=1 opens as before the load had a progress: nothing answers until the
    // load is over (the figures to compare with).
    if (!qEnvironmentVariableIsSet("BENCH_OPEN_UNSEEN"))
        ports.LoadProgress = progress;
    root.Connect(ports);
    tree.SetLinks({&root.Designer(), &root.Edit(), &prompter, root.State().CursorIds});

    const long rssBefore = ResidentKb();
    const double cpuBefore = ProcessCpuMs();
    QElapsedTimer timer;
    timer.start();
    const DocumentStorage::OpenResult result = root.Storage().OpenByName(path);
    UntilAllShown(*area);
    Measure m;
    m.Wall = Ms(timer);
    m.Cpu = ProcessCpuMs() - cpuBefore;
    m.RssKb = ResidentKb() - rssBefore;
    m.CheckMs = check;
    m.Forms = int(area->subWindowList().size());
    m.Reports = int(prompter.Calls.size());
    if (result.Success)
        root.Storage().Close(result.App);
    QApplication::processEvents();
    root.Disconnect();
    PrintResult(m);
    return 0;
}

// The baseline of a kind: a bare Qt widget of the class its design control is made of, with
// the caption or items the benchmark's project gives it, and none of the designer's parts.
inline QWidget *BareWidget(int kind, int c, QWidget *parent)
{
    using namespace Vocabulary;
    const QString caption = QStringLiteral("Caption %1").arg(c);
    const QStringList items{"First", "Second", "Third"};
    switch (kind) {
    case Type::Label: return new QLabel(caption, parent);
    case Type::Text:
    case Type::TextPassword: return new QLineEdit(parent);
    case Type::TextMultiLine: return new QPlainTextEdit(parent);
    case Type::Command: return new QPushButton(caption, parent);
    case Type::Check: return new QCheckBox(caption, parent);
    case Type::Option: {
        auto *group = new QGroupBox(caption, parent);
        for (const QString &item : items)
            new QRadioButton(item, group);
        return group;
    }
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck:
    case Type::Tree: {
        auto *tree = new QTreeWidget(parent);
        for (const QString &item : items)
            tree->addTopLevelItem(new QTreeWidgetItem({item}));
        return tree;
    }
    case Type::Combo:
    case Type::DropDownList: {
        auto *combo = new QComboBox(parent);
        combo->addItems(items);
        return combo;
    }
    case Type::Frame: return new QGroupBox(caption, parent);
    case Type::GridProtected:
    case Type::GridEditable: return new QTableWidget(parent);
    case Type::Tabgroup: return new QTabWidget(parent);
    case Type::Gauge: return new QProgressBar(parent);
    case Type::Picture: return new QFrame(parent);
    default: return new QWidget(parent);
    }
}

// The bare child: as many sub-windows of 100 bare widgets of the kind in a plain MDI area,
// timed the same way, from the first widget made until every window shows.
inline int BareChild(int kind, int forms)
{
    QMainWindow window;
    auto *area = new QMdiArea(&window);
    window.setCentralWidget(area);
    ShowMapped(window);

    const long rssBefore = ResidentKb();
    const double cpuBefore = ProcessCpuMs();
    QElapsedTimer timer;
    timer.start();
    // Built the way many widgets are best made in Qt: each window's widgets on a hidden page,
    // the window shown without activation, the page shown and its events handled before the
    // next window, so that the queue of posted events stays short.
    for (int form = 0; form < forms; ++form) {
        auto *content = new QWidget;
        content->resize(576, 352);
        auto *page = new QWidget(content);
        page->hide();
        page->resize(576, 352);
        for (int c = 0; c < 100; ++c)
            BareWidget(kind, c, page)->setGeometry(c % 10 * 56, c / 10 % 10 * 32, 48, 24);
        QMdiSubWindow *sub = area->addSubWindow(content);
        sub->setEnabled(false);
        sub->show();
        sub->setEnabled(true);
        page->show();
        QApplication::processEvents();
    }
    UntilAllShown(*area);
    Measure m;
    m.Wall = Ms(timer);
    m.Cpu = ProcessCpuMs() - cpuBefore;
    m.RssKb = ResidentKb() - rssBefore;
    m.CheckMs = 0;
    m.Forms = int(area->subWindowList().size());
    PrintResult(m);
    return 0;
}

// The parent's side: one child run of the same program; "--bare" runs the bare baseline.
inline Measure Run(const QList<int> &kinds, int forms, bool bare = false)
{
    QStringList kindTexts;
    for (int kind : kinds)
        kindTexts << QString::number(kind);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(),
                  {QString::fromLatin1(bare ? "--bare" : "--child"), kindTexts.join(','),
                   QString::number(forms)});
    Measure m;
    if (!process.waitForFinished(900000) || process.exitCode() != 0)
        return m;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.startsWith("RESULT "))
            continue;
        const QList<QByteArray> f = line.mid(7).split(' ');
        if (f.size() < 6)
            break;
        m.Wall = f[0].toDouble();
        m.Cpu = f[1].toDouble();
        m.RssKb = f[2].toLong();
        m.CheckMs = f[3].toDouble();
        m.Forms = f[4].toInt();
        m.Reports = f[5].toInt();
    }
    return m;
}

// Keeps the run of least CPU.
inline void KeepLeast(Measure &best, const Measure &m)
{
    if (m.Ok() && (!best.Ok() || m.Cpu < best.Cpu))
        best = m;
}

// The best (least CPU) of `runs` children.
inline Measure Best(const QList<int> &kinds, int forms, int runs, bool bare = false)
{
    Measure best;
    for (int i = 0; i < runs; ++i)
        KeepLeast(best, Run(kinds, forms, bare));
    return best;
}

// Two sizes opened in turn, the least of each kept: a slow spell of a shared machine then
// falls on both sizes alike instead of on the runs of one, which would bend their ratio.
inline std::pair<Measure, Measure> BestOfPairs(const QList<int> &kinds, int small, int large,
                                               int runs, bool bare = false)
{
    std::pair<Measure, Measure> best;
    for (int i = 0; i < runs; ++i) {
        KeepLeast(best.first, Run(kinds, small, bare));
        KeepLeast(best.second, Run(kinds, large, bare));
    }
    return best;
}

// Called first in main: the platform, and the child's side when asked for. Returns -1 in the
// parent.
inline int StartChild(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    const bool bare = argc >= 4 && QByteArray(argv[1]) == "--bare";
    if (argc < 4 || (QByteArray(argv[1]) != "--child" && !bare))
        return -1;
    QApplication app(argc, argv);
    DesignerStyle::Install();
    QList<int> kinds;
    for (const QByteArray &k : QByteArray(argv[2]).split(','))
        kinds << k.toInt();
    const int forms = QByteArray(argv[3]).toInt();
    return bare ? BareChild(kinds.value(0), forms) : Child(kinds, forms);
}

inline const char *Platform()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "X display";
}

} // namespace BenchOpen
