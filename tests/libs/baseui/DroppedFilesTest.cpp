#include "DroppedFiles.h"

#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

TEST(DroppedFiles, LocalFilesInOrderWithoutWebAddressesOrOverlongPaths)
{
    const QString longest = QStringLiteral("/") + QString(519, QLatin1Char('a'));
    const QString tooLong = longest + QLatin1Char('b');
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tracks/b.gpx")), QUrl(QStringLiteral("https://example.org/a.gpx")),
                  QUrl::fromLocalFile(tooLong), QUrl::fromLocalFile(QStringLiteral("/tracks/a.gpx")),
                  QUrl::fromLocalFile(longest)});
    EXPECT_EQ(DroppedFilePaths(data),
              (QStringList{QStringLiteral("/tracks/b.gpx"), QStringLiteral("/tracks/a.gpx"), longest}));

    QMimeData text;
    text.setText(QStringLiteral("/tracks/a.gpx"));
    EXPECT_TRUE(DroppedFilePaths(text).isEmpty());
}
