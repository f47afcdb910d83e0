#pragma once

// Plays the user's part for a modal dialog: once a dialog of the expected type is the active
// modal widget (its exec() is running) and has the keyboard, the action clicks or types into
// it. A dialog the action failed to close, or one that never became ready, is rejected after
// a while, so a broken test fails instead of hanging.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Failed comparisons of texts print the text itself.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

template <class Dialog>
void WhenModal(std::function<void(Dialog *)> action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, tries, action] {
        // Keys and focus only work once the dialog's window has been activated.
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isActiveWindow()) {
            if (++*tries > 400) {
                poll->stop();
                poll->deleteLater();
                ADD_FAILURE() << "no modal dialog of the expected type became active";
                if (auto *stray = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    stray->reject();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        QPointer<QDialog> guard(dialog);
        action(dialog);
        QTimer::singleShot(3000, qApp, [guard] {
            if (guard && guard->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                guard->reject();
            }
        });
    });
    poll->start();
}

// Replaces what a box holds by typing, as the user does.
inline void Retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Saves a picture of a window when CORVANE_GRAB names a folder, for looking at it.
inline void Grab(QWidget &w, const QString &name)
{
    const QString folder = qEnvironmentVariable("CORVANE_GRAB");
    if (!folder.isEmpty())
        w.grab().save(folder + "/" + name + ".png");
}
