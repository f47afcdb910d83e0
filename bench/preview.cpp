// Previewing a form of 500 controls (initialise, load the project text, show the form, until
// the window is on screen) against the baseline of making the same 500 widgets bare on one
// window and showing it, which is the least any surface that shows them can do. Also listed:
// the designer's own load of the same text into headless design items. Run offscreen.
#include "app/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "runtime/clsGuiRuntime.h"
#include "support/Marks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
QString Rec(const QStringList &fields) { return fields.join(QChar(Marks::Value)); }
constexpr int Controls = 500;
// Labels, text boxes, buttons, check boxes and drop-down lists in turn.
constexpr int Kinds[] = {15, 16, 18, 20, 24};

QString Project()
{
    QStringList recs{Rec({"TEMPLATE", "45000", "bench"}), Rec({"0", "1.4", "0"}),
                     Rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"}),
                     Rec({"2", "APP*BIG", "", "8", "0", "0", "200", "110", "1"})};
    for (int c = 0; c < Controls; ++c) {
        recs << Rec({"2", QStringLiteral("APP*BIG*C%1").arg(c), "", QString::number(Kinds[c % 5]),
                     QString::number((c % 20) * 10), QString::number(c / 20 * 1.1), "9", "1", "32"});
        // Labels, buttons and check boxes have a caption; text boxes and lists a value.
        const int kind = Kinds[c % 5];
        const bool caption = kind == 15 || kind == 18 || kind == 20;
        recs << Rec({"4", "", caption ? "22" : "0", "", "", QStringLiteral("Item %1").arg(c)});
    }
    recs << Rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}

double Preview(const QString &text)
{
    QElapsedTimer t;
    t.start();
    clsGuiRuntime runtime;
    const QString vm = Marks::ValueMark();
    runtime.Execute("1" + vm + "1.4");
    const GuiResult loaded = runtime.Execute("11" + vm + "2" + vm + text);
    for (const QStringList &row : loaded.Status)
        if (row.value(0) != QLatin1String("0"))
            std::fprintf(stderr, "load: %s\n", qPrintable(row.join(QLatin1Char('|'))));
    runtime.Execute("6" + vm + "APP*BIG" + vm + "2");
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    runtime.Execute("99");
    QApplication::processEvents();
    return ms;
}

double Bare()
{
    QElapsedTimer t;
    t.start();
    auto *window = new QWidget;
    window->resize(1000, 600);
    for (int c = 0; c < Controls; ++c) {
        QWidget *w = nullptr;
        const QString caption = QStringLiteral("Item %1").arg(c);
        switch (Kinds[c % 5]) {
        case 15: w = new QLabel(caption, window); break;
        case 16: w = new QLineEdit(window); break;
        case 18: w = new QPushButton(caption, window); break;
        case 20: w = new QCheckBox(caption, window); break;
        default: w = new QComboBox(window); break;
        }
        w->setGeometry((c % 20) * 80, c / 20 * 24, 72, 16);
    }
    window->show();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    delete window;
    return ms;
}

double DesignerLoad(const QString &text)
{
    QElapsedTimer t;
    t.start();
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    if (!designer.SetTemplate(text) || items.Count() < Controls)
        std::fprintf(stderr, "the designer did not load the whole form\n");
    return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString text = Project();
    Preview(text); // warm-up: styles, fonts
    Bare();
    std::vector<double> preview, bare, load;
    for (int i = 0; i < 7; ++i) {
        preview.push_back(Preview(text));
        bare.push_back(Bare());
        load.push_back(DesignerLoad(text));
    }
    const double p = Median(preview), b = Median(bare), l = Median(load);
    std::printf("form of %d controls, median of 7 runs\n", Controls);
    std::printf("  preview (1, 11, 6, shown)        %8.2f ms\n", p);
    std::printf("  bare widgets made and shown      %8.2f ms\n", b);
    std::printf("  designer load into items         %8.2f ms\n", l);
    std::printf("  ratio preview / bare widgets     %8.2f (limit 3)\n", p / b);
    std::printf("  ratio preview / (bare + load)    %8.2f\n", p / (b + l));
    return 0;
}
