// Every format has the same size limit, and pipes and devices, which report
// no size, are read no further than it.
#include "LoadManager.h"
#include "NmeaLoader.h"
#include "NmeaTestLog.h"
#include "OziLoader.h"
#include "TrackTree.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

#include <thread>

namespace {

TrackLoaderI::LoadStatus Open(TrackLoaderI& loader, const QString& path)
{
    TrackTree tree;
    auto progress = std::make_shared<OperationProgress>();
    loader.OpenTrack(path, tree.GetCreator(), std::make_shared<TrackDataSetImpl>(), progress);
    return TrackLoaderI::ConvertStatus(progress->GetStatus());
}

// count fixes, one second apart.
QByteArray NmeaFixes(int count)
{
    std::vector<std::string> sentences;
    for (int i = 0; i < count; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "10%02d%02d", i / 60 % 60, i % 60);
        sentences.push_back(std::string("GPRMC,") + time + ",A,4807.038,N,01131.000,E,0.0,0.0,010524,,");
    }
    return NmeaLog(sentences);
}

} // namespace

TEST(SizeLimit, EveryFormatIsRefusedBeyondTheLimit)
{
    const std::pair<const char*, QByteArray> heads[] = {
        {"big.tcx", "<?xml version=\"1.0\"?><TrainingCenterDatabase>"},
        {"big.nmea", NmeaFixes(1)},
        {"big.plt", "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\n"},
        {"big.log", "$PMGNTRK,4231.829,N,08807.303,W,00210,M,032908.38,A,,070898*64\n"},
        {"big.gpx", "<gpx version=\"1.1\">"},
    };
    QTemporaryDir dir;
    for (const auto& [name, head] : heads) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(head);
        // Sparse: no disk is spent on the size.
        ASSERT_TRUE(file.resize(LoadManager::MaxFileBytes + 1));
        file.close();
        TrackFileType type = TrackFileAll;
        EXPECT_EQ(LoadManager().Verify(file.fileName(), type), TrackLoaderI::TooLarge) << name;
    }
}

TEST(SizeLimit, LoaderRefusesARegularFileBeyondItsLimit)
{
    // Loaders check too: the file may have grown since it was verified.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("fixes.nmea")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray log = NmeaFixes(50);
    file.write(log);
    file.close();
    NmeaLoader loader;
    loader.SetMaxBytes(log.size());
    EXPECT_EQ(Open(loader, file.fileName()), TrackLoaderI::Success);
    loader.SetMaxBytes(log.size() - 1);
    EXPECT_EQ(Open(loader, file.fileName()), TrackLoaderI::TooLarge);
}

TEST(SizeLimit, EndlessDeviceIsReadOnlyUpToTheLimit)
{
    QElapsedTimer timer;
    timer.start();
    NmeaLoader nmea;
    nmea.SetMaxBytes(4 << 20);
    EXPECT_EQ(Open(nmea, QStringLiteral("/dev/zero")), TrackLoaderI::TooLarge);
    OziLoader ozi;
    ozi.SetMaxBytes(4 << 20);
    // Its first line never ends.
    EXPECT_EQ(Open(ozi, QStringLiteral("/dev/zero")), TrackLoaderI::TooLarge);
    EXPECT_LT(timer.elapsed(), 2000);
}

class FifoRead : public ::testing::Test
{
protected:
    // Opens the pipe for the loader while a thread writes bytes into it.
    TrackLoaderI::LoadStatus ReadThroughFifo(TrackLoaderBase& loader, const QByteArray& bytes)
    {
        // The loader may close its end while the writer still writes.
        std::signal(SIGPIPE, SIG_IGN);
        const QString path = dir.filePath(QStringLiteral("pipe.nmea"));
        EXPECT_EQ(mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        std::thread writer([&] {
            QFile pipe(path);
            if (pipe.open(QIODevice::WriteOnly))
                pipe.write(bytes);
        });
        const TrackLoaderI::LoadStatus status = Open(loader, path);
        writer.join();
        QFile::remove(path);
        return status;
    }

    QTemporaryDir dir;
};

TEST_F(FifoRead, WithinTheLimitLoadsAndBeyondIsTooLarge)
{
    const QByteArray log = NmeaFixes(2000);
    NmeaLoader loader;
    loader.SetMaxBytes(log.size());
    EXPECT_EQ(ReadThroughFifo(loader, log), TrackLoaderI::Success);
    loader.SetMaxBytes(log.size() / 2);
    EXPECT_EQ(ReadThroughFifo(loader, log), TrackLoaderI::TooLarge);
}
