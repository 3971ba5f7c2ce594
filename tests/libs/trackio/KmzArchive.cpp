#include "KmzArchive.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

QByteArray MakeZipArchive(const std::vector<std::pair<QString, QByteArray>>& files)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("archive.zip"));
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr) << "libzip error " << error;
    if (!archive)
        return {};
    for (const auto& [name, bytes] : files) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        EXPECT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0)
            << zip_strerror(archive);
    }
    EXPECT_EQ(zip_close(archive), 0);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}
