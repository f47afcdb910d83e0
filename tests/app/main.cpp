// The app tests' entry: runs every test, or with "--child=MODE ARG" plays the other process
// of a two-process test (see test_TwoProcess.cpp).
#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

int RunTwoProcessChild(const QString &mode, const QString &argument);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc >= 3 && QString::fromLocal8Bit(argv[1]).startsWith(QLatin1String("--child=")))
        return RunTwoProcessChild(QString::fromLocal8Bit(argv[1]).mid(8), QString::fromLocal8Bit(argv[2]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
