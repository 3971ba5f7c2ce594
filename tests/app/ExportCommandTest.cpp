#include "DialogScript.h"
#include "ExportCommand.h"
#include "ExportNmeaDlg.h"
#include "FileDialogScript.h"
#include "MessageBoxScript.h"
#include "MessageBoxStyle.h"
#include "NmeaExportOptions.h"
#include "NmeaTrackWriter.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "AppTracksFixture.h"
#include "Translator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

namespace {

class ExportCommandTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        RegistryKey(QStringLiteral("Settings\\ExportNmea")).ClearSection();
        std::vector<TrackPoint> points;
        for (int i = 0; i < 5; ++i)
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, i)));
        m_file = AddFile({points});
    }

    QString Out(const QString& name) const { return QDir(m_dir).filePath(name); }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int m_file = -1;
    QString m_dir = MakeTempDir();
};

QCheckBox* Box(DlgBase& dlg, int textId)
{
    return dlg.findChild<QCheckBox*>(Translator::GetInstance().LoadStr(textId));
}

} // namespace

TEST_F(ExportCommandTest, CsvGoesStraightToTheChosenFile)
{
    Holder().SetSelection({m_file});
    FileDialogScript files;
    files.AddAnswer({Out(QStringLiteral("walk.csv"))}, 1);
    RunExportCommand(nullptr);
    ASSERT_EQ(files.GetRequests().size(), 1u);
    EXPECT_EQ(files.GetRequests()[0].filters.size(), 2);
    const QByteArray csv = ReadAll(Out(QStringLiteral("walk.csv")));
    EXPECT_TRUE(csv.startsWith("Date/time,Latitude,Longitude,Elevation (m)")) << csv.left(80).toStdString();
    EXPECT_EQ(csv.count('\n'), 1 + 5);
}

TEST_F(ExportCommandTest, NmeaAsksForTheSentencesAndStoresThem)
{
    Holder().SetSelection({m_file});
    FileDialogScript files;
    files.AddAnswer({Out(QStringLiteral("walk.nmea"))}, 0);
    DialogScript dialogs;
    bool okWithNone = true;
    dialogs.AddAction([&](DlgBase& dlg) {
        auto* ok = dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        auto* note = dlg.findChild<QLabel*>(QStringLiteral("Note"));
        // Stored defaults: RMC and GGA.
        EXPECT_TRUE(Box(dlg, IDS_NMEA_GPRMC)->isChecked());
        EXPECT_TRUE(Box(dlg, IDS_NMEA_GPGGA)->isChecked());
        EXPECT_FALSE(Box(dlg, IDS_NMEA_GPGLL)->isChecked());
        const QColor normal = note->palette().color(QPalette::WindowText);
        Box(dlg, IDS_NMEA_GPRMC)->setChecked(false);
        Box(dlg, IDS_NMEA_GPGGA)->setChecked(false);
        okWithNone = ok->isEnabled();
        // GLL alone carries no date: the note warns.
        Box(dlg, IDS_NMEA_GPGLL)->setChecked(true);
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_NE(note->palette().color(QPalette::WindowText), normal);
        Box(dlg, IDS_NMEA_GPRMC)->setChecked(true);
        EXPECT_EQ(note->palette().color(QPalette::WindowText), normal);
        return IDOK;
    });
    RunExportCommand(nullptr);
    EXPECT_FALSE(okWithNone) << "no sentence, no OK";
    const QByteArray nmea = ReadAll(Out(QStringLiteral("walk.nmea")));
    EXPECT_EQ(nmea.count("$GPRMC"), 5);
    EXPECT_EQ(nmea.count("$GPGLL"), 5);
    EXPECT_EQ(nmea.count("$GPGGA"), 0);
    EXPECT_EQ(NmeaExportOptions().GetMessageSet(), NmeaTrackWriter::MessageRmc | NmeaTrackWriter::MessageGll);
}

TEST_F(ExportCommandTest, RefusesTwoFilesAndReportsAFileItCannotWrite)
{
    const int other = AddFile({{At(0, Time(2024, 5, 2, 10)), At(10, Time(2024, 5, 2, 10, 1))}});
    Holder().SetSelection({m_file, other});
    {
        MessageBoxScript boxes;
        FileDialogScript files;
        RunExportCommand(nullptr);
        ASSERT_EQ(boxes.GetShown().size(), 1u);
        EXPECT_EQ(boxes.GetShown()[0].text, Translator::GetInstance().LoadStr(IDS_EXPORT_SINGLE_FILE_ONLY));
        EXPECT_TRUE(files.GetRequests().empty());
    }
    Holder().SetSelection({m_file});
    MessageBoxScript boxes;
    FileDialogScript files;
    files.AddAnswer({Out(QStringLiteral("missing/folder/walk.csv"))}, 1);
    RunExportCommand(nullptr);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown()[0].text.contains(QStringLiteral("walk.csv")));
    // Cancelling the NMEA dialog writes nothing.
    FileDialogScript again;
    again.AddAnswer({Out(QStringLiteral("cancelled.nmea"))}, 0);
    DialogScript dialogs;
    dialogs.AddAction([](DlgBase&) { return IDCANCEL; });
    RunExportCommand(nullptr);
    EXPECT_FALSE(QFile::exists(Out(QStringLiteral("cancelled.nmea"))));
}
