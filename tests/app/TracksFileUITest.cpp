#include "CommandIds.h"
#include "CommandUI.h"
#include "FileDialogScript.h"
#include "MainFrame.h"
#include "MapLayerChoice.h"
#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "MessageBoxScript.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TrackOpenQueueImpl.h"
#include "TrackPoint.h"
#include "TrackTree.h"
#include "OpenTracksTestBench.h"
#include "TracksFileUI.h"
#include "Translator.h"
#include "ViewSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TracksFileUITest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegistryKey(QStringLiteral("Tracks")).ClearSection();
        m_dir = MakeTempDir();
        m_ui = std::make_unique<TracksFileUI>(m_frame);
    }

    void TearDown() override
    {
        m_ui.reset();
        Model().Remove(Model().GetFileTids());
    }

    static OpenTracksModel& Model() { return OpenTracks::Get().model; }
    static TracksStateHolderImpl& Holder() { return OpenTracks::Get().holder; }

    // An open file of the given name and type with segments of five timed
    // points each; its path is in the test's folder and does not exist yet.
    int AddFile(const QString& name, TrackFileType type, int segments = 1, const QString& suffix = ".gpx")
    {
        TrackTree tree;
        const QString path = QDir(m_dir).filePath(name + suffix);
        const int file = tree.GetCreator()->AddFile(name, path, type);
        TrackDataSetImpl data;
        for (int s = 0; s < segments; ++s) {
            const int segment = tree.GetCreator()->AddSegment(file, QString());
            auto points = std::make_shared<TrackData>();
            for (int i = 0; i < 5; ++i)
                points->Append(TrackPoint(TVector3<double>(10.0 + 0.001 * i, 47.0 + s, 500.0),
                                          Time(2024, 5, 1, 10, s, i)));
            data.Add(segment, points);
        }
        return Model().AddOpenedFile(*tree.GetReader(), file, data, path, type);
    }

    std::vector<int> Segments(int tid) const { return SegmentsOf(Model(), tid); }

    bool IsModified(int file) const { return Model().GetFileAttr(file)->modified; }

    CommandUI Query(int id)
    {
        CommandUI ui(id);
        m_frame.GetHub().OnCommandUI(ui);
        return ui;
    }

    void Run(int id) { ASSERT_TRUE(m_frame.GetHub().OnCommand(id)); }

    QString m_dir;
    MainFrame m_frame;
    std::unique_ptr<TracksFileUI> m_ui;
};

} // namespace

TEST_F(TracksFileUITest, SaveOfGpxFileWritesItsOwnPathWithoutDialog)
{
    const int file = AddFile(QStringLiteral("walk"), TrackFileGpx);
    Model().SetModified(file, true);
    Holder().SetSelection({file});
    FileDialogScript dialogs;
    MessageBoxScript boxes;
    Run(ID_FILE_SAVE);
    const QString path = QDir(m_dir).filePath(QStringLiteral("walk.gpx"));
    EXPECT_TRUE(dialogs.GetRequests().empty());
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_TRUE(ReadAll(path).contains("<gpx"));
    EXPECT_FALSE(IsModified(file));
    ASSERT_FALSE(m_ui->GetRecentTracks().GetList().isEmpty());
    EXPECT_EQ(m_ui->GetRecentTracks().GetList().front(), path);
}

TEST_F(TracksFileUITest, SavingOverAFileChangedOnDiskAsksFirst)
{
    const QString path = QDir(m_dir).filePath(QStringLiteral("shared.gpx"));
    WriteTestFile(path, "<gpx>as read</gpx>");
    const int file = AddFile(QStringLiteral("shared"), TrackFileGpx);
    Holder().SetSelection({file});
    Model().SetModified(file, true);
    {
        // Unchanged on disk: saved without a question.
        MessageBoxScript boxes;
        Run(ID_FILE_SAVE);
        EXPECT_TRUE(boxes.GetShown().empty());
        EXPECT_TRUE(ReadAll(path).contains("<trkpt"));
    }
    WriteTestFile(path, "<gpx>changed by another program meanwhile</gpx>");
    Model().SetModified(file, true);
    {
        MessageBoxScript boxes;
        boxes.AddAnswer(IDCANCEL);
        Run(ID_FILE_SAVE);
        ASSERT_EQ(boxes.GetShown().size(), 1u);
        EXPECT_TRUE(boxes.GetShown().front().text.contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(ReadAll(path), QByteArray("<gpx>changed by another program meanwhile</gpx>"));
        EXPECT_TRUE(IsModified(file));
    }
    {
        MessageBoxScript boxes;
        boxes.AddAnswer(IDOK);
        Run(ID_FILE_SAVE);
        EXPECT_EQ(boxes.GetShown().size(), 1u);
        EXPECT_TRUE(ReadAll(path).contains("<trkpt"));
        EXPECT_FALSE(IsModified(file));
    }
}

TEST_F(TracksFileUITest, SaveOfNmeaFileAsksForAGpxName)
{
    const int file = AddFile(QStringLiteral("log"), TrackFileNmea, 1, QStringLiteral(".nmea"));
    Model().SetModified(file, true);
    Holder().SetSelection({file});
    FileDialogScript dialogs;
    dialogs.AddCancel();
    Run(ID_FILE_SAVE);
    ASSERT_EQ(dialogs.GetRequests().size(), 1u);
    const FileDialogRequest& request = dialogs.GetRequests().front();
    EXPECT_TRUE(request.save);
    // GPX first, then the other formats written; the name's extension decides.
    const int ids[] = {IDS_FILTER_GPX, IDS_FILTER_KML, IDS_FILTER_TCX, IDS_FILTER_GEOJSON};
    const char* const patterns[] = {"*.gpx", "*.kml", "*.tcx", "*.geojson"};
    ASSERT_EQ(request.filters.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(request.filters[i].startsWith(Str(ids[i]))) << request.filters[i].toStdString();
        EXPECT_TRUE(request.filters[i].contains(QLatin1String(patterns[i]))) << request.filters[i].toStdString();
    }
    // Cancelled: nothing changes.
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(Model().GetFileAttr(file)->type, TrackFileNmea);

    const QString target = QDir(m_dir).filePath(QStringLiteral("saved.gpx"));
    dialogs.AddAnswer({target});
    Run(ID_FILE_SAVE);
    EXPECT_TRUE(ReadAll(target).contains("<gpx"));
    const TrackFileAttrPtr attr = Model().GetFileAttr(file);
    EXPECT_EQ(attr->path, target);
    EXPECT_EQ(attr->type, TrackFileGpx);
    EXPECT_FALSE(attr->modified);
}

TEST_F(TracksFileUITest, CloseAllWithCancelKeepsEverything)
{
    const int first = AddFile(QStringLiteral("first"), TrackFileGpx);
    const int second = AddFile(QStringLiteral("second"), TrackFileGpx);
    Model().SetModified(first, true);
    Model().SetModified(second, true);
    MessageBoxScript boxes{IDCANCEL};
    Run(ID_FILE_CLOSE_ALL);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    const QString text = boxes.GetShown().front().text;
    EXPECT_TRUE(text.startsWith(Str(IDS_SAVE_CHANGES_PROMPT)));
    EXPECT_TRUE(text.contains(QStringLiteral("first")));
    EXPECT_TRUE(text.contains(QStringLiteral("second")));
    EXPECT_EQ(boxes.GetShown().front().flags & 0xF, MB_YESNOCANCEL);
    EXPECT_EQ(Model().GetFileTids().size(), 2u);
    EXPECT_TRUE(IsModified(first));
    EXPECT_FALSE(QFileInfo::exists(QDir(m_dir).filePath(QStringLiteral("first.gpx"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(m_dir).filePath(QStringLiteral("second.gpx"))));
}

TEST_F(TracksFileUITest, CloseAllWithNoClosesWithoutSaving)
{
    const int first = AddFile(QStringLiteral("first"), TrackFileGpx);
    AddFile(QStringLiteral("second"), TrackFileGpx);
    Model().SetModified(first, true);
    MessageBoxScript boxes{IDNO};
    Run(ID_FILE_CLOSE_ALL);
    // Only the modified file is asked about.
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_FALSE(boxes.GetShown().front().text.contains(QStringLiteral("second")));
    EXPECT_TRUE(Model().GetFileTids().empty());
    EXPECT_FALSE(QFileInfo::exists(QDir(m_dir).filePath(QStringLiteral("first.gpx"))));
}

TEST_F(TracksFileUITest, CloseAllWithYesSavesThenCloses)
{
    const int first = AddFile(QStringLiteral("first"), TrackFileGpx);
    Model().SetModified(first, true);
    MessageBoxScript boxes{IDYES};
    Run(ID_FILE_CLOSE_ALL);
    EXPECT_TRUE(ReadAll(QDir(m_dir).filePath(QStringLiteral("first.gpx"))).contains("<gpx"));
    EXPECT_TRUE(Model().GetFileTids().empty());
}

TEST_F(TracksFileUITest, CloseAllOfSavedFilesAsksNothing)
{
    AddFile(QStringLiteral("first"), TrackFileGpx);
    MessageBoxScript boxes;
    Run(ID_FILE_CLOSE_ALL);
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_TRUE(Model().GetFileTids().empty());
}

TEST_F(TracksFileUITest, SaveAsWithOnlyFilteredPointsRefuses)
{
    const int file = AddFile(QStringLiteral("noise"), TrackFileGpx);
    for (int segment : Segments(file)) {
        for (TrackPoint& point : Model().GetDataSet()->Get(segment)->GetPoints())
            point.GetStatus().SetValid(false);
    }
    Holder().SetSelection({file});
    FileDialogScript dialogs;
    MessageBoxScript boxes;
    Run(ID_FILE_SAVE_AS);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown().front().text, Str(IDS_NO_VALID_POINTS_TO_SAVE));
    EXPECT_TRUE(dialogs.GetRequests().empty());
}

TEST_F(TracksFileUITest, SaveAsWithNothingSelectedDoesNothing)
{
    AddFile(QStringLiteral("walk"), TrackFileGpx);
    FileDialogScript dialogs;
    MessageBoxScript boxes;
    Run(ID_FILE_SAVE_AS);
    EXPECT_TRUE(dialogs.GetRequests().empty());
    EXPECT_TRUE(boxes.GetShown().empty());
}

TEST_F(TracksFileUITest, SaveAsOfPartsMakesANewFile)
{
    const int file = AddFile(QStringLiteral("walk"), TrackFileGpx, 2);
    const int second = Segments(file).at(1);
    Holder().SetSelection({second});
    FileDialogScript dialogs;
    const QString target = QDir(m_dir).filePath(QStringLiteral("part.gpx"));
    dialogs.AddAnswer({target});
    Run(ID_FILE_SAVE_AS);
    ASSERT_EQ(dialogs.GetRequests().size(), 1u);
    // The default name comes from the points' times, not from the file.
    EXPECT_FALSE(dialogs.GetRequests().front().initialName.contains(QStringLiteral("walk")));
    ASSERT_EQ(Model().GetFileTids().size(), 2u);
    const int newFile = Model().GetFileTids().back();
    EXPECT_NE(newFile, file);
    ASSERT_EQ(Segments(newFile).size(), 1u);
    EXPECT_EQ(Model().GetDataSet()->Get(Segments(newFile).front())->GetPointCount(), 5);
    EXPECT_EQ(Model().GetFileAttr(newFile)->path, target);
    EXPECT_FALSE(IsModified(newFile));
    EXPECT_TRUE(ReadAll(target).contains("<gpx"));
    std::vector<int> selected;
    Holder().GetState().GetSelectedItems(selected);
    EXPECT_EQ(selected, std::vector<int>{newFile});
    // The file the parts came from stays as it was.
    EXPECT_EQ(Segments(file).size(), 2u);
}

TEST_F(TracksFileUITest, MenuTextsNameWhatIsSaved)
{
    const QString tab = QStringLiteral("\t") + Str(IDS_SAVE_ACCELERATOR);
    EXPECT_EQ(*Query(ID_FILE_SAVE).GetText(), QStringLiteral("&Save\tCtrl+S"));
    EXPECT_EQ(*Query(ID_FILE_SAVE_AS).GetText(), Str(MenuTextId(ID_FILE_SAVE_AS)));
    EXPECT_FALSE(Query(ID_FILE_SAVE).IsEnabled());
    EXPECT_FALSE(Query(ID_FILE_CLOSE_ALL).IsEnabled());

    const int file = AddFile(QStringLiteral("walk"), TrackFileGpx, 2);
    const int other = AddFile(QStringLiteral("ride"), TrackFileGpx);
    EXPECT_TRUE(Query(ID_FILE_CLOSE_ALL).IsEnabled());
    Holder().SetSelection({file});
    EXPECT_TRUE(Query(ID_FILE_SAVE).IsEnabled());
    EXPECT_EQ(*Query(ID_FILE_SAVE).GetText(), QStringLiteral("&Save walk") + tab);
    EXPECT_EQ(*Query(ID_FILE_SAVE_AS).GetText(), QStringLiteral("Save walk &as..."));

    Holder().SetSelection({Segments(file).front()});
    EXPECT_EQ(*Query(ID_FILE_SAVE).GetText(), Str(IDS_MENU_SAVE_SELECTED) + tab);
    EXPECT_EQ(*Query(ID_FILE_SAVE_AS).GetText(), Str(IDS_MENU_SAVE_SELECTED_AS));

    Holder().SetSelection({file, other});
    EXPECT_EQ(*Query(ID_FILE_SAVE).GetText(), Str(IDS_MENU_SAVE_SELECTED) + tab);
}

TEST_F(TracksFileUITest, FailedSaveKeepsFileModifiedAndOriginalIntact)
{
    const QString folder = QDir(m_dir).filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString original = WriteTestFile(QDir(folder).filePath(QStringLiteral("kept.gpx")), "ORIGINAL");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    // Where permissions do not stop writes (root), a missing folder does.
    const bool locked = ::access(folder.toLocal8Bit().constData(), W_OK) != 0;
    const QString target = locked ? original : QDir(m_dir).filePath(QStringLiteral("missing/kept.gpx"));

    TrackTree tree;
    const int source = tree.GetCreator()->AddFile(QStringLiteral("kept"), target, TrackFileGpx);
    const int segment = tree.GetCreator()->AddSegment(source, QString());
    TrackDataSetImpl data;
    data.Add(segment, std::make_shared<TrackData>(std::vector<TrackPoint>{
                          TrackPoint(TVector3<double>(10.0, 47.0, 1.0), Time(2024, 5, 1))}));
    const int file = Model().AddOpenedFile(*tree.GetReader(), source, data, target, TrackFileGpx);
    Model().SetModified(file, true);

    MessageBoxScript boxes;
    EXPECT_FALSE(m_ui->SaveFile(file, true));
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.contains(QStringLiteral("kept.gpx")));
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(Model().GetFileAttr(file)->path, target);
    EXPECT_TRUE(m_ui->GetRecentTracks().GetList().isEmpty());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadAll(original), QByteArray("ORIGINAL"));

    // Closing after the failure still asks, and a cancel keeps the file.
    boxes.AddAnswer(IDCANCEL);
    Run(ID_FILE_CLOSE_ALL);
    EXPECT_EQ(Model().GetFileTids().size(), 1u);
}

TEST_F(TracksFileUITest, CheckNewNameRefusesForbiddenAndTakenNames)
{
    const int file = AddFile(QStringLiteral("walk"), TrackFileGpx);
    const QString oldPath = Model().GetFileAttr(file)->path;
    WriteTestFile(QDir(m_dir).filePath(QStringLiteral("taken.gpx")), QByteArray());
    MessageBoxScript boxes;
    EXPECT_FALSE(m_ui->CheckNewName(file, QStringLiteral("a?b.gpx")));
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    const QString forbidden = boxes.GetShown().back().text;
    EXPECT_TRUE(forbidden.startsWith(Str(IDS_NAME_FORBIDDEN_CHARS)));
    EXPECT_TRUE(forbidden.contains(QStringLiteral("<>:\"/\\|?*")));
    EXPECT_TRUE(forbidden.endsWith(Str(IDS_CHOOSE_ANOTHER_NAME)));

    EXPECT_FALSE(m_ui->CheckNewName(file, QStringLiteral("taken.gpx")));
    ASSERT_EQ(boxes.GetShown().size(), 2u);
    EXPECT_EQ(boxes.GetShown().back().text, Str(IDS_FILE_ALREADY_EXISTS));

    // The recent list follows an accepted rename.
    ASSERT_TRUE(m_ui->SaveFile(file, true));
    ASSERT_EQ(m_ui->GetRecentTracks().GetList().front(), oldPath);
    EXPECT_TRUE(m_ui->CheckNewName(file, QStringLiteral("renamed.gpx")));
    EXPECT_EQ(boxes.GetShown().size(), 2u);
    const QStringList recent = m_ui->GetRecentTracks().GetList();
    EXPECT_EQ(recent.front(), QDir(m_dir).filePath(QStringLiteral("renamed.gpx")));
    EXPECT_FALSE(recent.contains(oldPath));

    // The list's names have no extension: the file keeps its own, and the
    // next save writes under the new name, leaving the old file alone.
    WriteTestFile(QDir(m_dir).filePath(QStringLiteral("taken again.gpx")), QByteArray());
    EXPECT_FALSE(m_frame.MayRenameFile(file, QStringLiteral("taken again")));
    EXPECT_EQ(boxes.GetShown().back().text, Str(IDS_FILE_ALREADY_EXISTS));
    ASSERT_TRUE(m_frame.MayRenameFile(file, QStringLiteral("Morning ride")));
    const QString newPath = QDir(m_dir).filePath(QStringLiteral("Morning ride.gpx"));
    EXPECT_EQ(Model().GetFileAttr(file)->path, newPath);
    ASSERT_TRUE(m_ui->SaveFile(file, true));
    EXPECT_TRUE(QFileInfo::exists(newPath));
    EXPECT_TRUE(QFileInfo::exists(oldPath));
}

TEST_F(TracksFileUITest, OpenOffersTheTrackFiltersInOrder)
{
    FileDialogScript dialogs;
    dialogs.AddCancel();
    Run(ID_FILE_OPEN);
    ASSERT_EQ(dialogs.GetRequests().size(), 1u);
    const FileDialogRequest& request = dialogs.GetRequests().front();
    EXPECT_FALSE(request.save);
    EXPECT_TRUE(request.multiSelect);
    // The design's rows in its order, then the formats added since.
    const int ids[] = {IDS_FILTER_ALL_TRACK_FILES, IDS_FILTER_GPX, IDS_FILTER_TCX, IDS_FILTER_MAGELLAN, IDS_FILTER_NMEA,
                       IDS_FILTER_OZI,             IDS_FILTER_FIT, IDS_FILTER_IGC, IDS_FILTER_GEOJSON,  IDS_FILTER_KMZ,
                       IDS_FILTER_MBTILES};
    ASSERT_EQ(request.filters.size(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_TRUE(request.filters[i].startsWith(Str(ids[i]))) << request.filters[i].toStdString();
    EXPECT_TRUE(request.filters[6].contains(QStringLiteral("*.fit")));
    EXPECT_TRUE(request.filters[7].contains(QStringLiteral("*.igc")));
    EXPECT_TRUE(request.filters[8].contains(QStringLiteral("*.geojson *.json")));
    EXPECT_TRUE(request.filters[9].contains(QStringLiteral("*.kmz")));
    EXPECT_TRUE(request.filters[10].contains(QStringLiteral("*.mbtiles")));
    EXPECT_TRUE(Model().GetFileTids().empty());
}

TEST_F(TracksFileUITest, ChosenFilesGoToTheQueue)
{
    TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    const QString first = QDir(m_dir).filePath(QStringLiteral("a.gpx"));
    const QString second = QDir(m_dir).filePath(QStringLiteral("b.gpx"));
    FileDialogScript dialogs;
    dialogs.AddAnswer({first, second}, 1);
    Run(ID_FILE_OPEN);
    EXPECT_EQ(queue.GetPendingCount(), 2);
    EXPECT_EQ(queue.GetCurrentFileName(), first);
    queue.Cancel();
}

TEST_F(TracksFileUITest, DroppedLocalFilesGoToTheQueueInOrder)
{
    TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    const QString first = QDir(m_dir).filePath(QStringLiteral("z.gpx"));
    const QString second = QDir(m_dir).filePath(QStringLiteral("a.gpx"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(first), QUrl(QStringLiteral("https://example.org/x.gpx")),
                  QUrl::fromLocalFile(second)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_frame, &drop);
    // The web address is no local file and is left out.
    EXPECT_EQ(queue.GetPendingCount(), 2);
    EXPECT_EQ(queue.GetCurrentFileName(), first);
    queue.Cancel();
}

TEST_F(TracksFileUITest, AnMbTilesFileAmongTheChosenBecomesTheMapLayerShown)
{
    TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    const QString map = QDir(m_dir).filePath(QStringLiteral("alps.mbtiles"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVEL_TEST_MAPS_DIR "/test-tiles.mbtiles"), map));
    const QString track = QDir(m_dir).filePath(QStringLiteral("a.gpx"));
    ViewSettings& settings = ViewSettings::GetInstance();
    settings.showMap.Set(false);
    FileDialogScript dialogs;
    MessageBoxScript boxes;
    dialogs.AddAnswer({map, track});
    Run(ID_FILE_OPEN);
    EXPECT_EQ(queue.GetPendingCount(), 1);
    EXPECT_EQ(queue.GetCurrentFileName(), track);
    queue.Cancel();
    EXPECT_TRUE(boxes.GetShown().empty());
    const int layer = settings.GetMapLayerChoice().GetCurrentLayer();
    ASSERT_NE(layer, MapLayerChoice::NoLayer);
    EXPECT_EQ(settings.GetMapLayers()->GetLayerInfo(layer)->path, map);
    EXPECT_EQ(settings.GetMapLayers()->GetParams(layer)->GetName(), QStringLiteral("Quorvel test tiles"));
    EXPECT_TRUE(settings.showMap.Get());
    settings.GetMapLayerChoice().SelectLayer(MapLayerChoice::NoLayer);
}

TEST_F(TracksFileUITest, ADroppedMapFileThatWillNotOpenIsNamedAndLeftOut)
{
    const QString map = QDir(m_dir).filePath(QStringLiteral("broken.mbtiles"));
    WriteTestFile(map, QByteArray("not a database").repeated(300));
    ViewSettings& settings = ViewSettings::GetInstance();
    settings.GetMapLayerChoice().SelectLayer(MapLayerChoice::NoLayer);
    MessageBoxScript boxes;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(map)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_frame, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&m_frame, &drop);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.contains(QDir::toNativeSeparators(map)));
    EXPECT_EQ(TrackOpenQueueImpl::GetInstance().GetPendingCount(), 0);
    EXPECT_EQ(settings.GetMapLayerChoice().GetCurrentLayer(), MapLayerChoice::NoLayer);
}

TEST_F(TracksFileUITest, ClosingTheWindowAsksAboutUnsavedFiles)
{
    const int file = AddFile(QStringLiteral("unsaved"), TrackFileGpx);
    Model().SetModified(file, true);
    m_frame.show();
    {
        MessageBoxScript boxes{IDCANCEL};
        EXPECT_FALSE(m_frame.close()); // Cancel keeps the window and the file
        EXPECT_EQ(boxes.GetShown().size(), 1u);
    }
    EXPECT_TRUE(m_frame.isVisible());
    EXPECT_EQ(Model().GetFileTids().size(), 1u);
    MessageBoxScript boxes{IDNO};
    EXPECT_TRUE(m_frame.close());
    EXPECT_EQ(boxes.GetShown().size(), 1u);
}

TEST_F(TracksFileUITest, SaveAsOfPartsOfTwoFilesBuildsTheFileAMergeBuilds)
{
    // One segment from each file, with no time gap between them: a merge
    // makes them one segment in one folder, not two segments side by side.
    const int first = AddFile(QStringLiteral("first"), TrackFileGpx);
    const int second = AddFile(QStringLiteral("second"), TrackFileGpx);
    Holder().SetSelection({Segments(first).front(), Segments(second).front()});
    FileDialogScript dialogs;
    dialogs.AddAnswer({QDir(m_dir).filePath(QStringLiteral("both.gpx"))});
    Run(ID_FILE_SAVE_AS);
    ASSERT_EQ(Model().GetFileTids().size(), 3u);
    const int saved = Model().GetFileTids().back();
    const std::vector<int> children = Model().GetReader()->GetChildren(saved);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(Model().GetReader()->GetNode(children.front())->GetKind(), TrackInfo::KindFolder);
    ASSERT_EQ(Segments(saved).size(), 1u);
    EXPECT_EQ(Model().GetTrack(Segments(saved).front())->GetPointCount(), 10);
    EXPECT_EQ(Model().GetReader()->GetNode(saved)->GetName(), QStringLiteral("both"));
}

TEST_F(TracksFileUITest, SaveAsTcxTellsWhatTcxCannotHoldBeforeWriting)
{
    // A segment under the file and one in a folder.
    TrackTree tree;
    const int read = tree.GetCreator()->AddFile(QStringLiteral("ride"), QString(), TrackFileGpx);
    TrackDataSetImpl data;
    const int parents[] = {read, tree.GetCreator()->AddFolder(read, QStringLiteral("Afternoon"))};
    for (int s = 0; s < 2; ++s) {
        auto points = std::make_shared<TrackData>();
        for (int i = 0; i < 5; ++i)
            points->Append(TrackPoint(TVector3<double>(10.0 + 0.001 * i, 47.0, 500.0), Time(2024, 5, 1, 10 + s, 0, i)));
        data.Add(tree.GetCreator()->AddSegment(parents[s], QString()), points);
    }
    const int file = Model().AddOpenedFile(*tree.GetReader(), read, data, QString(), TrackFileGpx);
    Holder().SetSelection({file});
    const QString target = QDir(m_dir).filePath(QStringLiteral("ride.tcx"));
    FileDialogScript dialogs;
    dialogs.AddAnswer({target}, 2);
    MessageBoxScript boxes{IDCANCEL};
    Run(ID_FILE_SAVE_AS);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    const MessageBoxScript::Shown& shown = boxes.GetShown().front();
    EXPECT_EQ(shown.text, Translator::GetInstance().Format(IDS_SAVE_LOSS_INTRO, Str(IDS_FORMAT_TCX)) + QLatin1Char('\n')
                              + Str(IDS_SAVE_LOSS_FOLDERS_TCX) + QStringLiteral("\n\n") + Str(IDS_SAVE_LOSS_CONFIRM));
    EXPECT_EQ(shown.flags, MB_OKCANCEL | MB_ICONWARNING);
    EXPECT_FALSE(QFile::exists(target)) << "cancelled before writing";
    EXPECT_EQ(Model().GetFileAttr(file)->type, TrackFileGpx);

    dialogs.AddAnswer({target}, 2);
    boxes.AddAnswer(IDOK);
    Run(ID_FILE_SAVE_AS);
    const QByteArray tcx = ReadAll(target);
    EXPECT_EQ(tcx.count("<Lap "), 2) << "the segment of the file and the folder";
    EXPECT_EQ(tcx.count("<Trackpoint>"), 10);
    EXPECT_EQ(Model().GetFileAttr(file)->type, TrackFileTcx);
    EXPECT_EQ(Model().GetFileAttr(file)->path, target);
}

TEST_F(TracksFileUITest, SaveAsKmlOfWhatKmlHoldsAsksNothing)
{
    const int file = AddFile(QStringLiteral("walk"), TrackFileGpx);
    Holder().SetSelection({file});
    const QString target = QDir(m_dir).filePath(QStringLiteral("walk.kml"));
    FileDialogScript dialogs;
    dialogs.AddAnswer({target}, 1);
    MessageBoxScript boxes;
    Run(ID_FILE_SAVE_AS);
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_EQ(ReadAll(target).count("<gx:coord>"), 5);
    EXPECT_EQ(Model().GetFileAttr(file)->type, TrackFileKml);
}
