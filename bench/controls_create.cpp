// The control widgets must cost about what plain Qt widgets cost: 500 design controls of
// every kind, configured as a form's load configures them, against 500 bare Qt widgets of
// the nearest kinds in one plain QWidget, in the same run. Also the picture loader's header
// check against a plain QImage load of the same file.
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"

#include "controls/PictureLoader.h"
#include "model/Vocabulary.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <memory>
#include <vector>

using namespace Vocabulary;

namespace {

constexpr int Count = 500;
constexpr int Kinds[] = {Type::Label, Type::Text, Type::Command, Type::Option, Type::Check,
                         Type::List, Type::Combo, Type::Picture, Type::Frame,
                         Type::GridProtected, Type::Tabgroup, Type::Tab, Type::Gauge,
                         Type::Tree, Type::Browser, Type::Toolbar};

double DesignControls()
{
    QWidget form;
    form.resize(800, 600);
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<DesignControl>> controls;
    for (int i = 0; i < Count; ++i) {
        auto c = CreateDesignControl(Kinds[i % std::size(Kinds)], &form);
        c->SetAppearance3D(true);
        c->SetFont({QStringLiteral("Arial"), 9, false, false, false});
        c->SetForeColor(qint32(0x80000012));
        c->SetBackColor(qint32(0x80000005));
        c->SetBorder(2);
        c->Move(-10000, -10000, 0, 0);
        c->SetVisible(true);
        c->BringToFront();
        c->SetText(QStringLiteral("CONTROL%1").arg(i));
        c->Move((i % 20) * 600, (i / 20) * 400, 1200, 330);
        controls.push_back(std::move(c));
    }
    form.grab();
    return double(timer.nsecsElapsed()) / 1e6;
}

double BareWidgets()
{
    QWidget form;
    form.resize(800, 600);
    QElapsedTimer timer;
    timer.start();
    std::vector<QWidget *> widgets;
    for (int i = 0; i < Count; ++i) {
        QWidget *w = nullptr;
        const QString text = QStringLiteral("CONTROL%1").arg(i);
        switch (i % 16) {
        case 0: w = new QLabel(text, &form); break;
        case 1: w = new QLineEdit(text, &form); break;
        case 2: w = new QPushButton(text, &form); break;
        case 3: w = new QGroupBox(text, &form); break;
        case 4: w = new QCheckBox(text, &form); break;
        case 5: w = new QListWidget(&form); break;
        case 6: w = new QComboBox(&form); break;
        case 7: w = new QLabel(&form); break;
        case 8: w = new QGroupBox(text, &form); break;
        case 9: w = new QTableWidget(&form); break;
        case 10: w = new QTabBar(&form); break;
        case 11: w = new QFrame(&form); break;
        case 12: w = new QProgressBar(&form); break;
        case 13: w = new QTreeWidget(&form); break;
        case 14: w = new QFrame(&form); break;
        default: w = new QWidget(&form); break;
        }
        w->setFont(QFont(QStringLiteral("Arial"), 9));
        w->setGeometry((i % 20) * 40, (i / 20) * 27, 80, 22);
        w->show();
        widgets.push_back(w);
    }
    form.grab();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BareWidgets(); // warm up styles and fonts
    DesignControls();
    double bare = 1e300, design = 1e300;
    for (int round = 0; round < 3; ++round) {
        bare = std::min(bare, BareWidgets());
        design = std::min(design, DesignControls());
    }
    std::printf("500 controls: design controls %.1f ms, bare Qt widgets %.1f ms, ratio %.2f\n",
                design, bare, design / bare);

    QTemporaryDir dir;
    QImage picture(1024, 768, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString file = dir.filePath(QStringLiteral("p.png"));
    picture.save(file);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i)
        QImage(file).isNull();
    const double plain = double(timer.nsecsElapsed()) / 20e6;
    timer.restart();
    for (int i = 0; i < 20; ++i)
        PictureLoader::LoadFile(file);
    const double checked = double(timer.nsecsElapsed()) / 20e6;
    std::printf("1024x768 PNG: PictureLoader %.2f ms, QImage %.2f ms, ratio %.2f\n", checked,
                plain, checked / plain);
    return 0;
}
