#include "CommandIds.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "Translator.h"

#include <QDir>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

// Runs the real program unattended, as the README's picture command does.
namespace {

struct PictureRun
{
    int exitCode = -1;
    QString errors;
    QImage picture;
};

PictureRun TakePicture(int command)
{
    const QString dir = MakeTempDir();
    const QString picture = QDir(dir).filePath(QStringLiteral("shot.png"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir);
    env.insert(QStringLiteral("QUORVEL_SCREENSHOT"), picture);
    if (command != 0)
        env.insert(QStringLiteral("QUORVEL_SCREENSHOT_COMMAND"), QString::number(command));
    else
        env.remove(QStringLiteral("QUORVEL_SCREENSHOT_COMMAND"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QUORVEL_PROGRAM),
                  {QStringLiteral("-s900x700"), QStringLiteral(QUORVEL_SOURCE_DATA_DIR "/samples/ride.gpx")});
    PictureRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        run.errors = QStringLiteral("the program did not finish within a minute");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromUtf8(process.readAllStandardError());
    run.picture = QImage(picture);
    return run;
}

} // namespace

TEST(ScreenshotMode, PicturesTheWindowOrTheDialogOfACommand)
{
    const PictureRun window = TakePicture(0);
    ASSERT_EQ(window.exitCode, 0) << window.errors.toStdString();
    ASSERT_FALSE(window.picture.isNull());

    const PictureRun options = TakePicture(ID_TOOLS_OPTIONS);
    ASSERT_EQ(options.exitCode, 0) << options.errors.toStdString();
    ASSERT_FALSE(options.picture.isNull());
    EXPECT_TRUE(options.errors.contains(QStringLiteral("Dialog: ")
                                        + Translator::GetInstance().LoadStr(IDS_OPTIONS_TITLE)))
        << options.errors.toStdString();
    // The dialog alone, not the window behind it.
    EXPECT_LT(options.picture.width(), window.picture.width());
    EXPECT_LT(options.picture.height(), window.picture.height());
}

TEST(ScreenshotMode, ACommandThatOpensNoDialogFailsTheRun)
{
    const PictureRun run = TakePicture(ID_VIEW_STATUS_BAR);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.picture.isNull());
    EXPECT_TRUE(run.errors.contains(QStringLiteral("opened no dialog"))) << run.errors.toStdString();
}
