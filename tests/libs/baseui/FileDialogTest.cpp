#include "FileDialogScript.h"
#include "OblFileOpenDlg.h"
#include "OblFileSaveDlg.h"
#include "RegistryKey.h"

#include <gtest/gtest.h>

namespace {

void AddTrackFilters(OblFileDialog& dlg)
{
    dlg.AddFilter(QStringLiteral("All Track Files"), QStringLiteral("*.gpx;*.tcx;*.nmea"));
    dlg.AddFilter(QStringLiteral("GPX XML"), QStringLiteral("*.gpx"));
    dlg.AddFilter(QStringLiteral("NMEA"), QStringLiteral("*.nmea;*.txt"));
}

TEST(OblFileDialog, OpenReturnsTheScriptedNamesAndFilter)
{
    FileDialogScript script;
    script.AddAnswer({QStringLiteral("/t/a.gpx"), QStringLiteral("/t/b.gpx")}, 1);
    OblFileOpenDlg dlg(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    AddTrackFilters(dlg);
    QStringList names;
    ASSERT_TRUE(dlg.StartDialog(names));
    EXPECT_EQ(names, (QStringList{QStringLiteral("/t/a.gpx"), QStringLiteral("/t/b.gpx")}));
    EXPECT_EQ(dlg.GetSelectedFilterIndex(), 1);
    ASSERT_EQ(script.GetRequests().size(), 1u);
    const FileDialogRequest& asked = script.GetRequests()[0];
    EXPECT_FALSE(asked.save);
    EXPECT_TRUE(asked.multiSelect);
    EXPECT_EQ(asked.filters, (QStringList{QStringLiteral("All Track Files (*.gpx *.tcx *.nmea)"),
                                          QStringLiteral("GPX XML (*.gpx)"), QStringLiteral("NMEA (*.nmea *.txt)")}));
}

TEST(OblFileDialog, CancelAndAnEmptyQueueReturnFalse)
{
    FileDialogScript script;
    script.AddCancel();
    OblFileOpenDlg dlg;
    AddTrackFilters(dlg);
    QStringList names{QStringLiteral("keep")};
    EXPECT_FALSE(dlg.StartDialog(names));
    QString name;
    EXPECT_FALSE(dlg.StartDialog(name));
    EXPECT_EQ(script.GetRequests().size(), 2u);
    EXPECT_FALSE(script.GetRequests()[0].multiSelect);
}

TEST(OblFileDialog, RemembersFolderAndFilterUnderItsKey)
{
    {
        FileDialogScript script;
        script.AddAnswer({QStringLiteral("/data/rides/x.nmea")}, 2);
        OblFileOpenDlg dlg;
        AddTrackFilters(dlg);
        dlg.SetRegKey(QStringLiteral("FileDlgTest"), QStringLiteral("LastFilter"));
        QString name;
        ASSERT_TRUE(dlg.StartDialog(name));
        EXPECT_EQ(script.GetRequests()[0].filterIndex, 0); // nothing remembered yet
    }
    EXPECT_EQ(RegistryKey(QStringLiteral("FileDlgTest")).ReadDword(QStringLiteral("LastFilter"), 99), 2u);

    FileDialogScript script;
    script.AddCancel();
    OblFileOpenDlg dlg;
    AddTrackFilters(dlg);
    dlg.SetRegKey(QStringLiteral("FileDlgTest"), QStringLiteral("LastFilter"));
    QString name;
    EXPECT_FALSE(dlg.StartDialog(name));
    EXPECT_EQ(script.GetRequests()[0].filterIndex, 2);
    EXPECT_EQ(script.GetRequests()[0].folder, QStringLiteral("/data/rides"));
    // A cancelled dialog changes nothing.
    EXPECT_EQ(RegistryKey(QStringLiteral("FileDlgTest")).ReadDword(QStringLiteral("LastFilter"), 99), 2u);
}

TEST(OblFileDialog, ARememberedFilterBeyondTheListFallsBackToTheFirst)
{
    RegistryKey(QStringLiteral("FileDlgShort")).WriteDword(QStringLiteral("LastFilter"), 5);
    FileDialogScript script;
    OblFileSaveDlg dlg;
    dlg.AddFilter(QStringLiteral("GPX XML"), QStringLiteral("*.gpx"));
    dlg.SetRegKey(QStringLiteral("FileDlgShort"), QStringLiteral("LastFilter"));
    QString name;
    dlg.StartDialog(name);
    EXPECT_EQ(script.GetRequests()[0].filterIndex, 0);
}

TEST(OblFileSaveDlg, AddsTheExtensionOfTheChosenFilter)
{
    FileDialogScript script;
    script.AddAnswer({QStringLiteral("/t/ride")}, 1);
    script.AddAnswer({QStringLiteral("/t/ride.txt")}, 1);
    script.AddAnswer({QStringLiteral("/t/ride")}, 2);
    OblFileSaveDlg dlg;
    dlg.AddFilter(QStringLiteral("GPX XML"), QStringLiteral("*.gpx"));
    dlg.AddFilter(QStringLiteral("CSV - Comma delimited"), QStringLiteral("*.csv"));
    dlg.AddFilter(QStringLiteral("All files"), QStringLiteral("*.*"));
    QString name = QStringLiteral("/home/u/start.gpx");
    ASSERT_TRUE(dlg.StartDialog(name));
    EXPECT_EQ(name, QStringLiteral("/t/ride.csv"));
    EXPECT_TRUE(script.GetRequests()[0].save);
    EXPECT_EQ(script.GetRequests()[0].initialName, QStringLiteral("/home/u/start.gpx"));
    EXPECT_EQ(script.GetRequests()[0].folder, QStringLiteral("/home/u"));
    ASSERT_TRUE(dlg.StartDialog(name));
    EXPECT_EQ(name, QStringLiteral("/t/ride.txt")); // the user's own extension stays
    ASSERT_TRUE(dlg.StartDialog(name));
    EXPECT_EQ(name, QStringLiteral("/t/ride"));
}

} // namespace
