#include "CommandLine.h"
#include "InstanceMessage.h"

#include <QDataStream>
#include <QIODevice>

#include <gtest/gtest.h>

namespace {

QByteArray MessageWithId(quint32 id, const QString& line)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out << id << line;
    return block;
}

} // namespace

TEST(InstanceMessage, ACommandLineComesBackAsSent)
{
    const QString line = CommandLine::Join({QStringLiteral("/t/Zürich \"old\".gpx"), QStringLiteral("-s800x600")});
    QString received;
    ASSERT_TRUE(InstanceMessage::Decode(InstanceMessage::Encode(line), received));
    EXPECT_EQ(received, line);
}

TEST(InstanceMessage, AnotherIdACutOrAnEmptyMessageIsRefusedAndLeavesTheLineAlone)
{
    const QByteArray whole = InstanceMessage::Encode(QStringLiteral("\"/t/a.gpx\""));
    for (const QByteArray& message : {MessageWithId(InstanceMessage::kId + 1, QStringLiteral("\"/t/a.gpx\"")),
                                      whole.left(whole.size() - 1), whole.left(3), QByteArray()}) {
        QString received = QStringLiteral("before");
        EXPECT_FALSE(InstanceMessage::Decode(message, received)) << message.toHex().toStdString();
        EXPECT_EQ(received, QStringLiteral("before"));
    }
}

TEST(InstanceMessage, ALengthBeyondTheMessageIsRefusedWithoutReservingIt)
{
    // An id, then a string said to be 2 GB long with four bytes of it.
    QByteArray message = MessageWithId(InstanceMessage::kId, QString());
    message.chop(4);
    message += QByteArray::fromHex("7ffffffe") + QByteArray("\0a\0b", 4);
    QString received;
    EXPECT_FALSE(InstanceMessage::Decode(message, received));
}

TEST(InstanceMessage, AMessageLongerThanTheCapIsRefused)
{
    // An id and a length of four bytes each, then two bytes a character.
    const qsizetype fitting = (InstanceMessage::kMaxBytes - 8) / 2;
    QString received;
    EXPECT_TRUE(InstanceMessage::Decode(InstanceMessage::Encode(QString(fitting, QLatin1Char('a'))), received));
    EXPECT_EQ(received.size(), fitting);
    EXPECT_FALSE(InstanceMessage::Decode(InstanceMessage::Encode(QString(fitting + 1, QLatin1Char('a'))), received));
    EXPECT_EQ(received.size(), fitting);
}
