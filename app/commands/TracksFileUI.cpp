#include "TracksFileUI.h"

#include "CommandIds.h"
#include "CommandUI.h"
#include "DroppedFiles.h"
#include "ExportCommand.h"
#include "SaveImageCommand.h"
#include "FileName.h"
#include "GEventManagerImpl.h"
#include "MainFrame.h"
#include "MapFileOpening.h"
#include "MessageBoxStyle.h"
#include "OblFileOpenDlg.h"
#include "OblFileSaveDlg.h"
#include "OpenTracks.h"
#include "QuickLaunchDlg.h"
#include "RebuildTreeOptions.h"
#include "SaveLossCheck.h"
#include "SaveLossText.h"
#include "SaveManager.h"
#include "StringIds.h"
#include "TrackOpenQueueImpl.h"
#include "TrackRestructure.h"
#include "TrackTreeAlg.h"
#include "Translator.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kRecentCount = 10;

const QString kDialogKey = QStringLiteral("TracksDlg");

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

OpenTracksModel& Model()
{
    return OpenTracks::Get().model;
}

std::vector<int> SelectedItems()
{
    std::vector<int> items;
    OpenTracks::Get().holder.GetState().GetSelectedItems(items);
    return items;
}

// The one selected item when it is a whole file; -1 otherwise.
int SelectedWholeFile(const std::vector<int>& items)
{
    if (items.size() != 1)
        return -1;
    const TrackInfo::Node* node = Model().GetReader()->GetNode(items.front());
    return node && node->GetKind() == TrackInfo::KindFile ? items.front() : -1;
}

bool HasValidPoint(const std::vector<int>& items)
{
    const TrackTreeReaderPtr reader = Model().GetReader();
    std::vector<int> segments;
    TrackTreeAlg(reader.get()).GetSubsegmentIds(items, segments);
    const std::shared_ptr<TrackDataSetI> data = Model().GetDataSet();
    return std::any_of(segments.begin(), segments.end(), [&data](int tid) {
        const TrackDataPtr points = data->Get(tid);
        if (!points)
            return false;
        const std::vector<TrackPoint>& all = points->GetPoints();
        return std::any_of(all.begin(), all.end(), [](const TrackPoint& p) { return p.IsValid(); });
    });
}

QString NodeName(int tid)
{
    const TrackInfo::Node* node = Model().GetReader()->GetNode(tid);
    return node ? node->GetName() : QString();
}

} // namespace

TracksFileUI::TracksFileUI(MainFrame& frame)
    : m_frame(frame)
    , m_recent(ID_FILE_MRU_FIRST, kRecentCount, QStringLiteral("Tracks"))
{
    m_recent.SetCallback([this](const QString& fileName) { OpenFile(fileName); });
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_FILE_FIRST, ID_FILE_LAST, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_FILE_FIRST, ID_FILE_LAST, [this](CommandUI& ui) { OnCommandUI(ui); });
    m_opened = TrackOpenQueueImpl::GetInstance().GetOpenedSignal().connect(
        [this](const TrackOpenTask& task, TrackFileType) { AddRecent(task.GetFileName()); });
    if (QMenu* menu = frame.FindMenu(IDS_MENU_RECENT_TRACKS))
        QObject::connect(menu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    frame.setAcceptDrops(true);
    // Closing the window asks about unsaved files like Close all does.
    frame.SetCloseGuard([this] { return SaveUnsaved(OpenTracks::Get().model.GetFileTids(), true); });
    frame.SetFilesCloseGuard([this](const std::vector<int>& files) { return SaveUnsaved(files, true); });
    frame.SetFileNameCheck([this](int file, const QString& name) { return CheckNewName(file, name); });
    frame.installEventFilter(this);
    ShowRecent();
}

TracksFileUI::~TracksFileUI()
{
    m_frame.SetCloseGuard({});
    m_frame.SetFilesCloseGuard({});
    m_frame.removeEventFilter(this);
}

void TracksFileUI::OpenFile(const QString& fileName)
{
    TrackOpenQueueImpl::GetInstance().AddFiles({fileName}, TrackFileAll);
}

void TracksFileUI::OnCommand(int id)
{
    switch (id) {
    case ID_FILE_OPEN:
        Open();
        break;
    case ID_FILE_SAVE:
        SaveSelection();
        break;
    case ID_FILE_SAVE_AS:
        SaveAs();
        break;
    case ID_FILE_SAVE_ALL:
        SaveUnsaved(Model().GetFileTids(), false);
        break;
    case ID_FILE_CLOSE_ALL:
        CloseAll();
        break;
    case ID_FILE_SAVE_IMAGE:
        RunSaveImageCommand(m_frame.GetTrackView(), &m_frame);
        break;
    case ID_FILE_EXPORT:
        RunExportCommand(&m_frame);
        break;
    default:
        // The session commands have no behaviour.
        m_recent.OnCommand(id);
        break;
    }
}

void TracksFileUI::OnCommandUI(CommandUI& ui)
{
    const int id = ui.GetId();
    const Translator& tr = Translator::GetInstance();
    if (id == ID_FILE_EXPORT) {
        ui.Enable(!SelectedItems().empty());
        return;
    }
    if (id == ID_FILE_SAVE || id == ID_FILE_SAVE_AS) {
        const std::vector<int> items = SelectedItems();
        ui.Enable(!items.empty());
        const int file = SelectedWholeFile(items);
        QString text;
        if (file >= 0)
            text = tr.Format(id == ID_FILE_SAVE ? IDS_MENU_SAVE_FILE : IDS_MENU_SAVE_FILE_AS, NodeName(file));
        else if (!items.empty())
            text = tr.LoadStr(id == ID_FILE_SAVE ? IDS_MENU_SAVE_SELECTED : IDS_MENU_SAVE_SELECTED_AS);
        else
            text = tr.LoadStr(id == ID_FILE_SAVE ? IDS_MENU_SAVE : MenuTextId(ID_FILE_SAVE_AS));
        if (id == ID_FILE_SAVE)
            text += QLatin1Char('\t') + tr.LoadStr(IDS_SAVE_ACCELERATOR);
        ui.SetText(text);
    } else if (id == ID_FILE_SAVE_ALL || id == ID_FILE_CLOSE_ALL) {
        ui.Enable(Model().GetReader()->GetFileCount() > 0);
    } else if (id == ID_FILE_OPEN || id == ID_FILE_SAVE_IMAGE) {
        ui.Enable(true);
    } else if (id >= ID_FILE_MRU_FIRST && id < ID_FILE_MRU_FIRST + kRecentCount) {
        const int index = id - ID_FILE_MRU_FIRST;
        const QStringList& files = m_recent.GetList();
        ui.Enable(index < files.size());
        ui.SetText(index < files.size() ? MruHelper::MenuText(index + 1, files[index]) : tr.LoadStr(IDS_NO_ITEMS));
    }
}

void TracksFileUI::Open()
{
    struct Filter
    {
        int textId;
        const char* patterns;
        TrackFileType type;
    };
    static constexpr Filter kFilters[] = {
        {IDS_FILTER_ALL_TRACK_FILES, "*.*", TrackFileAll},
        {IDS_FILTER_GPX, "*.gpx", TrackFileGpx},
        {IDS_FILTER_TCX, "*.tcx", TrackFileTcx},
        {IDS_FILTER_MAGELLAN, "*.log;*.trk", TrackFileMagellanSd},
        {IDS_FILTER_NMEA, "*.nmea;*.nma;*.rmc;*.log;*.txt;*.cdb;*.mte", TrackFileNmea},
        {IDS_FILTER_OZI, "*.plt", TrackFileOzi},
        {IDS_FILTER_FIT, "*.fit", TrackFileFit},
        {IDS_FILTER_IGC, "*.igc", TrackFileIgc},
        {IDS_FILTER_GEOJSON, "*.geojson;*.json", TrackFileGeoJson},
        {IDS_FILTER_KMZ, "*.kmz", TrackFileKmz},
        {IDS_FILTER_MBTILES, "*.mbtiles", TrackFileAll},
    };
    OblFileOpenDlg dlg(OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT, &m_frame);
    for (const Filter& filter : kFilters)
        dlg.AddFilter(Text(filter.textId), QString::fromLatin1(filter.patterns));
    dlg.SetRegKey(kDialogKey, QStringLiteral("OpenFilter"));
    QStringList names;
    if (!dlg.StartDialog(names))
        return;
    const int index = dlg.GetSelectedFilterIndex();
    const TrackFileType type = index >= 0 && index < int(std::size(kFilters)) ? kFilters[index].type : TrackFileAll;
    TrackOpenQueueImpl::GetInstance().AddFiles(OpenMapFiles(names, m_frame.GetTrackView()), type);
}

void TracksFileUI::SaveSelection()
{
    const std::vector<int> files = TrackTreeAlg(Model().GetReader().get()).GetParentFileIds(SelectedItems());
    for (int file : files) {
        if (!SaveFile(file, true))
            return;
    }
}

bool TracksFileUI::SaveFile(int fileTid, bool allowDirect)
{
    const TrackFileAttrPtr attr = Model().GetFileAttr(fileTid);
    if (!attr)
        return false;
    if (allowDirect && !attr->path.isEmpty() && attr->type == TrackFileGpx)
        return WriteFile(fileTid, attr->path, TrackFileGpx);
    // A file read from another format is offered as GPX beside it.
    const QFileInfo old(attr->path);
    QString path =
        attr->path.isEmpty() ? NodeName(fileTid) : old.dir().filePath(old.completeBaseName() + QStringLiteral(".gpx"));
    if (!AskSavePath(path))
        return false;
    return WriteFile(fileTid, path, SaveManager::TypeForPath(path));
}

bool TracksFileUI::AskSavePath(QString& path) const
{
    OblFileSaveDlg dlg(OFN_OVERWRITEPROMPT, &m_frame);
    // The name's extension chooses the format written (SaveManager::TypeForPath).
    dlg.AddFilter(Text(IDS_FILTER_GPX), QStringLiteral("*.gpx"));
    dlg.AddFilter(Text(IDS_FILTER_KML), QStringLiteral("*.kml"));
    dlg.AddFilter(Text(IDS_FILTER_TCX), QStringLiteral("*.tcx"));
    dlg.AddFilter(Text(IDS_FILTER_GEOJSON), QStringLiteral("*.geojson"));
    dlg.SetRegKey(kDialogKey, QStringLiteral("SaveFilter"));
    return dlg.StartDialog(path);
}

bool TracksFileUI::WriteFile(int fileTid, const QString& path, TrackFileType type)
{
    if (!ConfirmOverDiskChanges(fileTid, path))
        return false;
    const QString losses =
        SaveLossText(type, SaveLossCheck::Find(type, *Model().GetReader(), fileTid, *Model().GetDataSet()));
    Translator& tr = Translator::GetInstance();
    if (!losses.isEmpty()
        && tr.MessageBoxW(losses + QStringLiteral("\n\n") + tr.LoadStr(IDS_SAVE_LOSS_CONFIRM),
                          MB_OKCANCEL | MB_ICONWARNING)
            != IDOK)
        return false;
    SaveManager saves;
    TrackSaverI* saver = saves.GetTrackSaver(type);
    if (saver->SaveTrack(path, Model().GetReader(), fileTid, Model().GetDataSet()) == TrackSaverI::Success) {
        const TrackFileAttrPtr attr = Model().GetFileAttr(fileTid);
        attr->path = path;
        attr->type = type;
        attr->disk = DiskStamp::Of(path);
        Model().SetModified(fileTid, false);
        OpenTracks::Get().history.MarkSaved(fileTid);
        AddRecent(path);
        GEventManagerImpl::GetInstance().NotifyInt(fileTid);
        return true;
    }
    tr.MessageBoxW(tr.Format(IDS_SAVE_TRACK_FAILED, QDir::toNativeSeparators(path), saver->GetErrorDesc()),
                   MB_OK | MB_ICONERROR);
    return false;
}

bool TracksFileUI::ConfirmOverDiskChanges(int fileTid, const QString& path) const
{
    const TrackFileAttrPtr attr = Model().GetFileAttr(fileTid);
    if (!attr || path != attr->path || attr->disk.size < 0)
        return true;
    const DiskStamp now = DiskStamp::Of(path);
    // A file removed meanwhile is simply written again.
    if (now.size < 0 || now == attr->disk)
        return true;
    Translator& tr = Translator::GetInstance();
    return tr.MessageBoxW(tr.Format(IDS_SAVE_CHANGED_ON_DISK, QDir::toNativeSeparators(path)),
                          MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2)
           == IDOK;
}

bool TracksFileUI::SaveUnsaved(const std::vector<int>& fileTids, bool prompt)
{
    std::vector<int> unsaved;
    for (int tid : fileTids) {
        const TrackFileAttrPtr attr = Model().GetFileAttr(tid);
        if (attr && attr->modified)
            unsaved.push_back(tid);
    }
    if (unsaved.empty())
        return true;
    if (prompt) {
        QString text = Text(IDS_SAVE_CHANGES_PROMPT) + QLatin1Char('\n');
        for (int tid : unsaved)
            text += QLatin1Char('\n') + NodeName(tid);
        const int answer = Translator::GetInstance().MessageBoxW(text, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return false;
        if (answer == IDNO)
            return true;
    }
    return std::all_of(unsaved.begin(), unsaved.end(), [this](int tid) { return SaveFile(tid, true); });
}

void TracksFileUI::SaveAs()
{
    const std::vector<int> items = SelectedItems();
    if (items.empty())
        return;
    if (!HasValidPoint(items)) {
        Translator::GetInstance().MessageBoxW(IDS_NO_VALID_POINTS_TO_SAVE);
        return;
    }
    const int file = SelectedWholeFile(items);
    if (file >= 0)
        SaveFile(file, false);
    else
        SaveParts(items);
}

void TracksFileUI::SaveParts(const std::vector<int>& items)
{
    // The parts become a file of their own, built the way a merge builds one.
    SaveNewFile(OpenTracks::Get().namer.GetDefaultName(items), [&items](const QString& name) {
        return TrackRestructure(Model()).Merge(items, RebuildTreeOptions::GetInstance().GetParams(), name);
    });
}

bool TracksFileUI::SaveNewFile(const QString& defaultName, const std::function<int(const QString& name)>& build)
{
    QString path = defaultName;
    if (!AskSavePath(path))
        return false;
    const int fileTid = build(QFileInfo(path).completeBaseName());
    if (fileTid < 0)
        return false;
    const bool written = WriteFile(fileTid, path, SaveManager::TypeForPath(path));
    OpenTracks::Get().holder.SetSelection({fileTid});
    return written;
}

void TracksFileUI::CloseAll()
{
    const std::vector<int> files = Model().GetFileTids();
    if (files.empty() || !SaveUnsaved(files, true))
        return;
    Model().Remove(files);
}

bool TracksFileUI::CheckNewName(int fileTid, const QString& newName)
{
    Translator& tr = Translator::GetInstance();
    if (!FileName::IsNameAllowed(newName)) {
        tr.MessageBoxW(tr.LoadStr(IDS_NAME_FORBIDDEN_CHARS) + QStringLiteral("\n<>:\"/\\|?*\n")
                       + tr.LoadStr(IDS_CHOOSE_ANOTHER_NAME));
        return false;
    }
    const TrackFileAttrPtr attr = Model().GetFileAttr(fileTid);
    if (!attr || attr->path.isEmpty())
        return true;
    // The list shows names without the extension; the file keeps its own.
    const QFileInfo oldFile(attr->path);
    const QString extension = QLatin1Char('.') + oldFile.suffix();
    const bool hasExtension = oldFile.suffix().isEmpty() || newName.endsWith(extension, Qt::CaseInsensitive);
    const QString newPath = oldFile.dir().filePath(hasExtension ? newName : newName + extension);
    if (QFileInfo::exists(newPath)) {
        tr.MessageBoxW(IDS_FILE_ALREADY_EXISTS);
        return false;
    }
    m_recent.RemoveFilename(attr->path);
    AddRecent(newPath);
    // The next save writes under the new name; the old file stays as it is.
    attr->path = newPath;
    return true;
}

void TracksFileUI::AddRecent(const QString& path)
{
    m_recent.AddFilename(path);
    ShowRecent();
}

void TracksFileUI::ShowRecent()
{
    m_frame.GetQuickLaunch().SetRecentFiles(m_recent.GetList(), ID_FILE_MRU_FIRST);
}

void TracksFileUI::FillRecentMenu()
{
    QMenu* menu = m_frame.FindMenu(IDS_MENU_RECENT_TRACKS);
    menu->clear();
    const int count = std::max(1, static_cast<int>(m_recent.GetList().size()));
    for (int i = 0; i < count; ++i) {
        QAction* action = m_frame.GetActions().Get(ID_FILE_MRU_FIRST + i);
        CommandUI ui(ID_FILE_MRU_FIRST + i);
        OnCommandUI(ui);
        action->setText(*ui.GetText());
        action->setEnabled(ui.IsEnabled());
        menu->addAction(action);
    }
}

bool TracksFileUI::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFilePaths(*drop->mimeData());
        if (!files.isEmpty()) {
            TrackOpenQueueImpl::GetInstance().AddFiles(OpenMapFiles(files, m_frame.GetTrackView()), TrackFileAll);
            drop->acceptProposedAction();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
