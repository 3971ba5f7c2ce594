#include "SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

QString UniqueName()
{
    return QStringLiteral("quorvel-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// Runs the event loop until pred holds or a second has passed.
template <class Pred>
bool WaitFor(Pred pred)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

} // namespace

TEST(SingleInstanceName, PathLowerCasedWithSeparatorsReplacedAndUserAppended)
{
    EXPECT_EQ(SingleInstance::ServerName(QStringLiteral("/opt/Quorvel/bin/Quorvel"), 1000),
              QStringLiteral("-opt-quorvel-bin-quorvel-1000"));
    EXPECT_EQ(SingleInstance::ServerName(QStringLiteral("C:\\Prog\\Q.exe"), 5), QStringLiteral("c:-prog-q.exe-5"));
}

TEST(SingleInstanceName, CopiesAndUsersGetTheirOwnNames)
{
    const QString a = SingleInstance::ServerName(QStringLiteral("/opt/a/quorvel"), 1000);
    EXPECT_NE(a, SingleInstance::ServerName(QStringLiteral("/opt/b/quorvel"), 1000));
    EXPECT_NE(a, SingleInstance::ServerName(QStringLiteral("/opt/a/quorvel"), 1001));
}

TEST(SingleInstanceName, DeepPathsStayShortAndDistinct)
{
    const QString deep = QStringLiteral("/very/deep").repeated(20);
    const QString a = SingleInstance::ServerName(QStringLiteral("/a") + deep + QStringLiteral("/quorvel"), 1000);
    const QString b = SingleInstance::ServerName(QStringLiteral("/b") + deep + QStringLiteral("/quorvel"), 1000);
    EXPECT_LE(a.size(), 80);
    EXPECT_NE(a, b);
    // The tail keeps the program and the user readable.
    EXPECT_TRUE(a.endsWith(QStringLiteral("-quorvel-1000"))) << qPrintable(a);
}

TEST(SingleInstanceHandOver, NobodyListeningMeansNoHandOver)
{
    SingleInstance instance(UniqueName());
    EXPECT_FALSE(instance.HandOver(QStringLiteral("a.gpx")));
}

TEST(SingleInstanceHandOver, TheRunningInstanceReceivesTheCommandLine)
{
    const QString name = UniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QStringList received;
    first.SetReceiver([&](const QString& line) { received.append(line); });

    SingleInstance second(name);
    const QString line = QStringLiteral("\"/tmp/x y.gpx\" \"b.tcx\"");
    EXPECT_TRUE(second.HandOver(line));
    ASSERT_TRUE(WaitFor([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{line});
}
