#include "TracksFileUI.h"

#include "CommandUI.h"
#include "ExportCommand.h"
#include "FileName.h"
#include "GEventManagerImpl.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OblFileOpenDlg.h"
#include "OblFileSaveDlg.h"
#include "OpenTracks.h"
#include "QuickLaunchDlg.h"
#include "RebuildTreeOptions.h"
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
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kFirstCommand = 32800;
constexpr int kLastCommand = 32849;
constexpr int kOpen = 32801;
constexpr int kSaveAs = 32802;
constexpr int kSave = 32803;
constexpr int kSaveAll = 32804;
constexpr int kExport = 32810;
constexpr int kCloseAll = 32814;
constexpr int kSaveImage = 32815;
constexpr int kFirstRecent = 32820;
constexpr int kRecentCount = 10;
constexpr int kNoItemsText = 32830;
// The longest dropped path taken, as the shell's file lists allow.
constexpr int kMaxDroppedPath = 520;

constexpr int kNmeaFilterText = 62304;

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
    , m_recent(kFirstRecent, kRecentCount, QStringLiteral("Tracks"))
{
    m_recent.SetCallback([this](const QString& fileName) { OpenFile(fileName); });
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(kFirstCommand, kLastCommand, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(kFirstCommand, kLastCommand, [this](CommandUI& ui) { OnCommandUI(ui); });
    m_opened = TrackOpenQueueImpl::GetInstance().GetOpenedSignal().connect(
        [this](const TrackOpenTask& task, TrackFileType) { AddRecent(task.GetFileName()); });
    if (QMenu* menu = frame.FindMenu(IDS_MENU_RECENT_TRACKS))
        QObject::connect(menu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
    frame.setAcceptDrops(true);
    // Closing the window asks about unsaved files like Close all does.
    frame.SetCloseGuard([this] { return SaveUnsaved(OpenTracks::Get().model.GetFileTids(), true); });
    frame.SetFilesCloseGuard([this](const std::vector<int>& files) { return SaveUnsaved(files, true); });
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
    case kOpen:
        Open();
        break;
    case kSave:
        SaveSelection();
        break;
    case kSaveAs:
        SaveAs();
        break;
    case kSaveAll:
        SaveUnsaved(Model().GetFileTids(), false);
        break;
    case kCloseAll:
        CloseAll();
        break;
    case kSaveImage:
        Translator::GetInstance().MessageBoxW(IDS_NOT_IMPLEMENTED);
        break;
    case kExport:
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
    if (id == kExport) {
        ui.Enable(!SelectedItems().empty());
        return;
    }
    if (id == kSave || id == kSaveAs) {
        const std::vector<int> items = SelectedItems();
        ui.Enable(!items.empty());
        const int file = SelectedWholeFile(items);
        QString text;
        if (file >= 0)
            text = tr.Format(id == kSave ? IDS_MENU_SAVE_FILE : IDS_MENU_SAVE_FILE_AS, NodeName(file));
        else if (!items.empty())
            text = tr.LoadStr(id == kSave ? IDS_MENU_SAVE_SELECTED : IDS_MENU_SAVE_SELECTED_AS);
        else
            text = tr.LoadStr(id == kSave ? IDS_MENU_SAVE : kSaveAs);
        if (id == kSave)
            text += QLatin1Char('\t') + tr.LoadStr(IDS_SAVE_ACCELERATOR);
        ui.SetText(text);
    } else if (id == kSaveAll || id == kCloseAll) {
        ui.Enable(Model().GetReader()->GetFileCount() > 0);
    } else if (id == kOpen || id == kSaveImage) {
        ui.Enable(true);
    } else if (id >= kFirstRecent && id < kFirstRecent + kRecentCount) {
        const int index = id - kFirstRecent;
        const QStringList& files = m_recent.GetList();
        ui.Enable(index < files.size());
        ui.SetText(index < files.size() ? MruHelper::MenuText(index + 1, files[index]) : tr.LoadStr(kNoItemsText));
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
        {kNmeaFilterText, "*.nmea;*.nma;*.rmc;*.log;*.txt;*.cdb;*.mte", TrackFileNmea},
        {IDS_FILTER_OZI, "*.plt", TrackFileOzi},
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
    TrackOpenQueueImpl::GetInstance().AddFiles(names, type);
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
    QString path = attr->path;
    if (!allowDirect || path.isEmpty() || attr->type != TrackFileGpx) {
        // A file read from another format is offered as GPX beside it.
        const QFileInfo old(path);
        path = path.isEmpty() ? NodeName(fileTid) : old.dir().filePath(old.completeBaseName() + QStringLiteral(".gpx"));
        if (!AskSavePath(path))
            return false;
    }
    return WriteFile(fileTid, path);
}

bool TracksFileUI::AskSavePath(QString& path) const
{
    OblFileSaveDlg dlg(OFN_OVERWRITEPROMPT, &m_frame);
    dlg.AddFilter(Text(IDS_FILTER_GPX), QStringLiteral("*.gpx"));
    dlg.SetRegKey(kDialogKey, QStringLiteral("SaveFilter"));
    return dlg.StartDialog(path);
}

bool TracksFileUI::WriteFile(int fileTid, const QString& path)
{
    SaveManager saves;
    TrackSaverI* saver = saves.GetTrackSaver(TrackFileGpx);
    if (saver->SaveTrack(path, Model().GetReader(), fileTid, Model().GetDataSet()) == TrackSaverI::Success) {
        const TrackFileAttrPtr attr = Model().GetFileAttr(fileTid);
        attr->path = path;
        attr->type = TrackFileGpx;
        Model().SetModified(fileTid, false);
        AddRecent(path);
        GEventManagerImpl::GetInstance().NotifyInt(fileTid);
        return true;
    }
    const QString text = Translator::GetInstance().Format(IDS_SAVE_TRACK_FAILED, QDir::toNativeSeparators(path),
                                                          saver->GetErrorDesc());
    Translator::GetInstance().MessageBoxW(text, MB_OK | MB_ICONERROR);
    return false;
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
    QString path = OpenTracks::Get().namer.GetDefaultName(items);
    if (!AskSavePath(path))
        return;
    // The parts become a file of their own, built the way a merge builds one.
    const int fileTid = TrackRestructure(Model()).Merge(items, RebuildTreeOptions::GetInstance().GetParams(),
                                                        QFileInfo(path).completeBaseName());
    if (fileTid < 0)
        return;
    WriteFile(fileTid, path);
    OpenTracks::Get().holder.SetSelection({fileTid});
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
    const QString newPath = QFileInfo(attr->path).dir().filePath(newName);
    if (QFileInfo::exists(newPath)) {
        tr.MessageBoxW(IDS_FILE_ALREADY_EXISTS);
        return false;
    }
    m_recent.RemoveFilename(attr->path);
    AddRecent(newPath);
    return true;
}

void TracksFileUI::AddRecent(const QString& path)
{
    m_recent.AddFilename(path);
    ShowRecent();
}

void TracksFileUI::ShowRecent()
{
    m_frame.GetQuickLaunch().SetRecentFiles(m_recent.GetList(), kFirstRecent);
}

void TracksFileUI::FillRecentMenu()
{
    QMenu* menu = m_frame.FindMenu(IDS_MENU_RECENT_TRACKS);
    menu->clear();
    const int count = std::max(1, static_cast<int>(m_recent.GetList().size()));
    for (int i = 0; i < count; ++i) {
        QAction* action = m_frame.GetActions().Get(kFirstRecent + i);
        CommandUI ui(kFirstRecent + i);
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
        QStringList files;
        for (const QUrl& url : drop->mimeData()->urls()) {
            const QString path = url.toLocalFile();
            if (!path.isEmpty() && path.size() <= kMaxDroppedPath)
                files.append(path);
        }
        if (!files.isEmpty()) {
            TrackOpenQueueImpl::GetInstance().AddFiles(files, TrackFileAll);
            drop->acceptProposedAction();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
