#pragma once
// Widget tests need a QApplication; without a display they run on the offscreen platform.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace WidgetTestMain {

inline QtMessageHandler DefaultHandler = nullptr;

// The offscreen platform says this for every dialog it shows; it is noise in test output.
inline void QuietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    DefaultHandler(type, context, message);
}

inline int Run(int argc, char **argv)
{
    // The user's stored settings are neither read nor written: each test process keeps its own.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    DefaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace WidgetTestMain
