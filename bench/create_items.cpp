// Creating items must cost the same per item whatever the project's size: an application,
// forms of 100 controls each, every control given ten non-default properties, then the
// whole project deleted. Prints the time per item for 2,000 and 20,000 items and the ratio.
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>

using namespace Vocabulary;

namespace {

constexpr int ControlsPerForm = 100;
constexpr int ControlTypes[] = {Type::Label, Type::Text, Type::Command, Type::Check,
                                Type::List, Type::Frame, Type::Combo, Type::Gauge};

struct Result
{
    double createNs;
    double deleteNs;
};

Result Run(int itemCount)
{
    clsItems items;
    QElapsedTimer timer;
    timer.start();
    clsControl &app = items.CreateItem(Type::AppMdi, QStringLiteral("BENCH"));
    int created = 1;
    int formNo = 0;
    while (created < itemCount) {
        const QString formId = QStringLiteral("BENCH*F%1").arg(++formNo);
        items.CreateItem(Type::FormSizableChild, formId);
        ++created;
        for (int i = 0; i < ControlsPerForm && created < itemCount; ++i, ++created) {
            const int type = ControlTypes[i % std::size(ControlTypes)];
            clsControl &c = items.CreateItem(type, formId + QStringLiteral("*C%1").arg(i));
            c.Move(QString::number(i % 10), QString::number(i / 10), QStringLiteral("8"),
                   QStringLiteral("1"));
            c.SetProperty(Prop::Left, QString::number(i % 10 + 1));
            c.SetProperty(Prop::Top, QString::number(i / 10 + 1));
            c.SetProperty(Prop::Width, QStringLiteral("9"));
            c.SetProperty(Prop::Height, QStringLiteral("2"));
            c.SetProperty(Prop::Visible, QStringLiteral("0"));
            c.SetProperty(Prop::Enabled, QStringLiteral("0"));
            c.SetProperty(Prop::Border, QStringLiteral("1"));
            c.SetProperty(Prop::BackColor, QStringLiteral("255"));
            c.SetProperty(Prop::FontBold, QStringLiteral("1"));
            c.SetProperty(Prop::HelpID, QStringLiteral("7"));
        }
    }
    const qint64 createElapsed = timer.nsecsElapsed();
    timer.restart();
    app.DeleteItem();
    const qint64 deleteElapsed = timer.nsecsElapsed();
    return {double(createElapsed) / itemCount, double(deleteElapsed) / itemCount};
}

} // namespace

int main()
{
    Run(500); // warm up
    const Result small = Run(2000);
    const Result large = Run(20000);
    std::printf("items    create ns/item   delete ns/item\n");
    std::printf("%6d   %14.0f   %14.0f\n", 2000, small.createNs, small.deleteNs);
    std::printf("%6d   %14.0f   %14.0f\n", 20000, large.createNs, large.deleteNs);
    std::printf("ratio 20000/2000: create %.2f, delete %.2f\n", large.createNs / small.createNs,
                large.deleteNs / small.deleteNs);
    return 0;
}
