#include "TestSupport.h"
#include "TrackOpenQueueImpl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

QString Fixture(const char* relative)
{
    return FixturePath(QString::fromUtf8(relative));
}

QString WriteFile(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(QDir(MakeTempDir()).filePath(name), bytes);
}

// Records what the queue hands over and answers failure dialogs from a script.
struct QueueProbe
{
    TrackOpenQueueImpl queue;
    std::vector<QString> opened;
    std::vector<int> openedPoints;
    std::vector<QString> skipped;
    std::vector<OpenFailureReport> dialogs;
    std::vector<OpenFailureChoice> answers;
    boost::signals2::scoped_connection openedConnection;
    boost::signals2::scoped_connection skippedConnection;

    QueueProbe()
    {
        openedConnection = queue.GetOpenedSignal().connect([this](const TrackOpenTask& task, TrackFileType) {
            opened.push_back(task.GetFileName());
            openedPoints.push_back(static_cast<int>(task.GetData()->GetTotalPointCount()));
        });
        skippedConnection = queue.GetSkippedSignal().connect([this](const QString& name) { skipped.push_back(name); });
        TrackOpenQueueImpl::WindowHooks hooks;
        hooks.showFailure = [this](const OpenFailureReport& report) {
            dialogs.push_back(report);
            if (answers.empty())
                return OpenFailureChoice::Cancel;
            const OpenFailureChoice answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        };
        queue.SetWindowHooks(hooks);
    }

    // Polls as the tick would until the queue has nothing left to do.
    void RunUntilIdle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        do {
            queue.Poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        } while (!queue.IsIdle() && std::chrono::steady_clock::now() < deadline);
        ASSERT_TRUE(queue.IsIdle());
    }
};

} // namespace

TEST(TrackOpenQueue, SkippingAMissingFileOpensTheNextOne)
{
    QueueProbe probe;
    const QString first = Fixture("gpx/gpxpy/track_with_speed.gpx");
    const QString missing = QDir(MakeTempDir()).filePath(QStringLiteral("gone.gpx"));
    const QString third = Fixture("plt/mapsoft2/ozi1.plt");
    probe.answers = {OpenFailureChoice::Skip};
    probe.queue.AddFiles({first, missing, third}, TrackFileAll);
    probe.RunUntilIdle();

    EXPECT_EQ(probe.opened, (std::vector<QString>{first, third}));
    EXPECT_EQ(probe.openedPoints, (std::vector<int>{3, 11}));
    ASSERT_EQ(probe.dialogs.size(), 1u);
    EXPECT_EQ(probe.dialogs[0].fileName, missing);
    EXPECT_EQ(probe.dialogs[0].status, TrackLoaderI::FileMissing);
    EXPECT_TRUE(probe.dialogs[0].offerSkipAll); // the third file still waits
    EXPECT_EQ(probe.skipped, (std::vector<QString>{missing}));
    EXPECT_NEAR(probe.queue.GetOverallPercent(), 100.0, 1e-9);
}

TEST(TrackOpenQueue, ALoneFailingFileHasNoSkipAllAndSaysWhy)
{
    QueueProbe probe;
    const QString broken = WriteFile(QStringLiteral("broken.gpx"), "<gpx><trk><trkseg><trkpt lat=\"x\" lon=\"1\"/>");
    probe.answers = {OpenFailureChoice::SkipAll};
    probe.queue.Add(broken);
    probe.RunUntilIdle();
    ASSERT_EQ(probe.dialogs.size(), 1u);
    EXPECT_FALSE(probe.dialogs[0].offerSkipAll);
    EXPECT_EQ(probe.dialogs[0].status, TrackLoaderI::ReadError);
    EXPECT_FALSE(probe.dialogs[0].errorDesc.isEmpty());
    const OpenFailureDialogText text = OpenFailureDialogText::For(probe.dialogs[0]);
    EXPECT_TRUE(text.content.startsWith(broken + QStringLiteral(".\n\n")));
    EXPECT_TRUE(text.content.endsWith(QStringLiteral(")")));
    EXPECT_TRUE(probe.opened.empty());
}

TEST(TrackOpenQueue, ADamagedFileIsOpenedAndThenReported)
{
    QueueProbe probe;
    // Activity.fit with a broken checksum: its 14 points are kept.
    const QString damaged = Fixture("fit/python-fitparse/activity-filecrc.fit");
    const QString next = Fixture("plt/mapsoft2/ozi1.plt");
    const QString last = Fixture("gpx/gpxpy/track_with_speed.gpx");
    probe.answers = {OpenFailureChoice::Skip};
    probe.queue.AddFiles({damaged, next}, TrackFileAll);
    probe.RunUntilIdle();
    EXPECT_EQ(probe.opened, (std::vector<QString>{damaged, next}));
    EXPECT_EQ(probe.openedPoints, (std::vector<int>{14, 11}));
    ASSERT_EQ(probe.dialogs.size(), 1u);
    EXPECT_EQ(probe.dialogs[0].status, TrackLoaderI::Damaged);
    EXPECT_TRUE(probe.dialogs[0].opened);
    EXPECT_FALSE(probe.dialogs[0].offerSkipAll) << "nothing to skip: the file is open";
    EXPECT_TRUE(probe.dialogs[0].errorDesc.contains(QStringLiteral("checksum")));
    EXPECT_TRUE(probe.skipped.empty());

    // Cancel in that report leaves the files behind it unopened.
    probe.answers = {OpenFailureChoice::Cancel};
    probe.queue.AddFiles({damaged, last}, TrackFileAll);
    probe.RunUntilIdle();
    EXPECT_EQ(probe.opened.size(), 3u);
    EXPECT_EQ(probe.opened.back(), damaged);
}

TEST(TrackOpenQueue, SkipAllShowsOneDialogForManyFailures)
{
    QueueProbe probe;
    QStringList names;
    for (int i = 0; i < 5; ++i)
        names << WriteFile(QStringLiteral("junk%1.gpx").arg(i), "not a track at all");
    names.insert(2, Fixture("gpx/gpxpy/track_with_speed.gpx"));
    probe.answers = {OpenFailureChoice::SkipAll};
    probe.queue.AddFiles(names, TrackFileAll);
    probe.RunUntilIdle();
    EXPECT_EQ(probe.dialogs.size(), 1u);
    EXPECT_EQ(probe.skipped.size(), 5u);
    EXPECT_EQ(probe.opened.size(), 1u);

    // A new addition clears the skip-all choice.
    probe.answers = {OpenFailureChoice::Skip};
    probe.queue.Add(names[0]);
    probe.RunUntilIdle();
    EXPECT_EQ(probe.dialogs.size(), 2u);
}

TEST(TrackOpenQueue, RetryAndCancel)
{
    QueueProbe probe;
    const QString later = QDir(MakeTempDir()).filePath(QStringLiteral("later.gpx"));
    const QString other = Fixture("plt/mapsoft2/ozi1.plt");
    // Looked up before the queue runs: the hook runs inside the queue's poll.
    const QString source = Fixture("gpx/gpxpy/track_with_speed.gpx");
    // The first answer retries; by then the file exists. The queue retries
    // within one poll for as long as it is told to, so a file that stays
    // unreadable is cancelled after a few retries instead of retried for ever.
    constexpr size_t kMaxRetries = 3;
    probe.queue.SetWindowHooks({[&](const OpenFailureReport& report) {
                                    probe.dialogs.push_back(report);
                                    if (probe.dialogs.size() > kMaxRetries)
                                        return OpenFailureChoice::Cancel;
                                    if (!QFileInfo::exists(later)) {
                                        EXPECT_TRUE(QFile::copy(source, later)) << later.toStdString();
                                    }
                                    return OpenFailureChoice::Retry;
                                },
                                nullptr, nullptr});
    probe.queue.AddFiles({later}, TrackFileAll);
    probe.RunUntilIdle();
    ASSERT_LE(probe.dialogs.size(), kMaxRetries)
        << later.toStdString() << " still failed after " << kMaxRetries << " retries";
    EXPECT_EQ(probe.dialogs.size(), 1u);
    EXPECT_EQ(probe.opened, (std::vector<QString>{later}));

    // Cancel drops everything still waiting.
    probe.queue.SetWindowHooks({[](const OpenFailureReport&) { return OpenFailureChoice::Cancel; }, nullptr, nullptr});
    probe.queue.AddFiles({QStringLiteral("/nonexistent/a.gpx"), other, other}, TrackFileAll);
    probe.RunUntilIdle();
    EXPECT_EQ(probe.opened.size(), 1u);
    EXPECT_EQ(probe.queue.GetPendingCount(), 0);
}

TEST(TrackOpenQueue, AFailureWhileMinimisedBlinksOnceAndWaits)
{
    QueueProbe probe;
    bool minimised = true;
    int blinks = 0;
    int shown = 0;
    probe.queue.SetWindowHooks({[&](const OpenFailureReport&) {
                                    ++shown;
                                    return OpenFailureChoice::Skip;
                                },
                                [&] { return minimised; }, [&] { ++blinks; }});
    probe.queue.Add(WriteFile(QStringLiteral("bad.gpx"), "<gpx><trk><trkseg><trkpt lat=\"1\"></gpx>"));
    for (int i = 0; i < 2000 && blinks == 0; ++i) {
        probe.queue.Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (int i = 0; i < 5; ++i)
        probe.queue.Poll();
    EXPECT_EQ(blinks, 1);
    EXPECT_EQ(shown, 0);
    EXPECT_FALSE(probe.queue.IsIdle());
    minimised = false;
    probe.RunUntilIdle();
    EXPECT_EQ(shown, 1);
}

TEST(TrackOpenQueue, WeightsAndDestructionDuringALoad)
{
    EXPECT_DOUBLE_EQ(TrackOpenQueueImpl::WeightOfSize(1), 500.001);
    EXPECT_DOUBLE_EQ(TrackOpenQueueImpl::WeightOfSize(10000000), 10500.0);

    // Destroying the queue while a worker reads a file cancels and waits for it.
    QByteArray big = "$GPRMC,120000,A,4807.038,N,01131.000,E,022.4,084.4,230394,,*07\n";
    big = big.repeated(200000);
    const QString path = WriteFile(QStringLiteral("big.nmea"), big);
    {
        QueueProbe probe;
        probe.queue.Add(path);
        probe.queue.Poll(); // starts the worker
        EXPECT_TRUE(probe.queue.IsBusy());
    }
}
