// The session bus is connected by a pool thread, before the interface thread asks for it.

#include "UiApp.h"
#include "app/SessionBusAhead.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

using parvo::test::App;

TEST(SessionBusAhead, APoolThreadMakesTheSessionConnection)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        GTEST_SKIP() << "no dbus-daemon to stand for the session bus";
    // A bus of the test's own; the process asks for no bus before this point.
    QTemporaryDir sockets;
    ASSERT_TRUE(sockets.isValid());
    QProcess bus;
    bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                       QStringLiteral("--address=unix:dir=") + sockets.path()});
    ASSERT_TRUE(bus.waitForReadyRead(10000)) << "the bus daemon did not start";
    const QByteArray address = bus.readLine().trimmed();
    ASSERT_FALSE(address.isEmpty());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    App();

    // A private connection of the test counts the daemon's clients, itself among them.
    {
        QDBusConnection counter = QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("counter"));
        ASSERT_TRUE(counter.isConnected());
        const auto clients = [&counter] {
            int n = 0;
            for (const QString& name : counter.interface()->registeredServiceNames().value())
                n += name.startsWith(QLatin1Char(':'));
            return n;
        };
        ASSERT_EQ(clients(), 1);

        parvo::ConnectSessionBusAhead();
        ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(10000));
        EXPECT_EQ(clients(), 2) << "the session connection was made while the interface thread went on";
        EXPECT_TRUE(QDBusConnection::sessionBus().isConnected());
        EXPECT_EQ(clients(), 2) << "the interface thread finds it made and makes no other";
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("counter"));
    bus.kill();
    bus.waitForFinished();
}
