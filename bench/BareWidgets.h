#pragma once
// The baseline of the widget benchmarks: the same number of bare Qt widgets of the common
// kinds, made in one plain parent and painted once.
#include "BenchTiming.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>

// What making and painting `count` bare widgets costs.
inline Cost BareWidgets(int count)
{
    const CostTimer timer;
    QWidget parent;
    parent.resize(1000, 800);
    for (int c = 0; c < count; ++c) {
        QWidget *w = nullptr;
        const QString text = QStringLiteral("Item %1").arg(c);
        switch (c % 12) {
        case 0: w = new QLabel(text, &parent); break;
        case 1: w = new QLineEdit(text, &parent); break;
        case 2: w = new QPushButton(text, &parent); break;
        case 3: w = new QRadioButton(text, &parent); break;
        case 4: w = new QCheckBox(text, &parent); break;
        case 5: { auto *l = new QListWidget(&parent); l->addItem(text); w = l; break; }
        case 6: { auto *b = new QComboBox(&parent); b->addItem(text); w = b; break; }
        case 7: w = new QGroupBox(text, &parent); break;
        case 8: w = new QTableWidget(3, 3, &parent); break;
        case 9: w = new QProgressBar(&parent); break;
        case 10: { auto *t = new QTreeWidget(&parent); t->addTopLevelItem(new QTreeWidgetItem({text})); w = t; break; }
        default: w = new QTabWidget(&parent); break;
        }
        w->setGeometry((c % 20) * 48, (c / 20) * 30, 44, 26);
    }
    parent.grab();
    return timer.Elapsed();
}
