#include "PaneLayoutManager.h"

#include "CleaningReportDlg.h"
#include "CommandIds.h"
#include "DockingPane.h"
#include "HistogramDlg.h"
#include "LegendDlg.h"
#include "MainFrame.h"
#include "PointListDlg.h"
#include "PointPropDlg.h"
#include "ProfileDlg.h"
#include "RegistryKey.h"
#include "TrackListPane.h"
#include "TrackView.h"
#include "Translator.h"

#include <QTimer>

#include <algorithm>

namespace {

const QString kLayoutKey = QStringLiteral("Layout");
const QString kPanesValue = QStringLiteral("Panes");
const QString kWindowValue = QStringLiteral("Window");
// Raised when the set of panes or toolbars changes, so that an old saved
// state is not applied to a different window.
constexpr int kLayoutVersion = 2;

constexpr std::pair<int, int> kPaneCommands[] = {
    {ID_PANE_TRACKS, PANE_TRACKS},       {ID_PANE_POINTS, PANE_POINTS},
    {ID_PANE_PROFILE, PANE_PROFILE},     {ID_PANE_POINT_PROPERTIES, PANE_POINT_PROPERTIES},
    {ID_PANE_HISTOGRAM, PANE_HISTOGRAM}, {ID_PANE_LEGEND, PANE_LEGEND},
    {ID_PANE_CLEANING_REPORT, PANE_CLEANING_REPORT},
};

} // namespace

PaneLayoutManager::PaneLayoutManager(MainFrame& frame)
    : m_frame(frame)
    , m_manager(frame)
    , m_trackView(new TrackView)
{
    m_frame.setDockNestingEnabled(true);
    m_trackView->SetCommandSender([this](int id) { m_frame.RunCommand(id); });
    const Translator& tr = Translator::GetInstance();
    for (int paneId : {PANE_TRACKS, PANE_TRACK_VIEW, PANE_POINT_PROPERTIES, PANE_POINTS, PANE_PROFILE,
                       PANE_HISTOGRAM, PANE_LEGEND, PANE_CLEANING_REPORT}) {
        // Empty until the part that owns the pane puts its window in.
        QWidget* content = paneId == PANE_PROFILE      ? CreateProfile()
                           : paneId == PANE_TRACK_VIEW ? static_cast<QWidget*>(m_trackView)
                           : paneId == PANE_TRACKS     ? CreateTrackListPane(m_frame)
                           : paneId == PANE_POINT_PROPERTIES ? static_cast<QWidget*>(new PointPropDlg)
                           : paneId == PANE_HISTOGRAM ? CreateHistogram()
                           : paneId == PANE_LEGEND    ? static_cast<QWidget*>(new LegendDlg)
                           : paneId == PANE_POINTS ? CreatePointList()
                           : paneId == PANE_CLEANING_REPORT
                               ? static_cast<QWidget*>(new CleaningReportDlg(
                                   m_frame.GetCleaningLog(), m_frame.GetActions().Get(ID_VIEW_CLEANED_POINTS)))
                               : new QWidget;
        // The frame has no central widget: the map pane is the one that
        // takes up the room the others leave.
        if (paneId == PANE_TRACK_VIEW)
            content->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        DockingPane* pane = m_manager.CreatePane(paneId, tr.LoadStr(paneId), content, Qt::LeftDockWidgetArea);
        pane->setMinimumSize(3, 3);
    }
}

QWidget* PaneLayoutManager::CreateProfile()
{
    auto* profile = new ProfileDlg([this](const TrackPosition& point) { m_trackView->ShowPoint(false, false, point); });
    profile->SetCommandSender([this](int id) { m_frame.RunCommand(id); });
    return profile;
}

QWidget* PaneLayoutManager::CreateHistogram()
{
    auto* histogram = new HistogramDlg;
    histogram->SetCommandSender([this](int id) { m_frame.RunCommand(id); });
    return histogram;
}

QWidget* PaneLayoutManager::CreatePointList()
{
    auto* list = new PointListDlg([this](const TrackPosition& point) { m_trackView->ShowPoint(false, false, point); });
    list->SetCommandSender([this](int id) { m_frame.RunCommand(id); });
    return list;
}

int PaneLayoutManager::PaneOfCommand(int commandId)
{
    for (const auto& [command, pane] : kPaneCommands) {
        if (command == commandId)
            return pane;
    }
    return 0;
}

void PaneLayoutManager::BuildInitialLayout()
{
    for (DockingPane* pane : m_manager.GetPanes()) {
        pane->setFloating(false);
        m_frame.removeDockWidget(pane);
    }
    // All in one area, which fills the frame: the lists on the left, the
    // map in the middle with the points and the profile below it, and the
    // histogram and legend as tabs on the right; the map gets the most room.
    m_frame.addDockWidget(Qt::LeftDockWidgetArea, GetPane(PANE_TRACKS));
    m_frame.splitDockWidget(GetPane(PANE_TRACKS), GetPane(PANE_TRACK_VIEW), Qt::Horizontal);
    m_frame.splitDockWidget(GetPane(PANE_TRACK_VIEW), GetPane(PANE_HISTOGRAM), Qt::Horizontal);
    m_frame.tabifyDockWidget(GetPane(PANE_HISTOGRAM), GetPane(PANE_LEGEND));
    m_frame.splitDockWidget(GetPane(PANE_TRACKS), GetPane(PANE_POINT_PROPERTIES), Qt::Vertical);
    m_frame.splitDockWidget(GetPane(PANE_TRACK_VIEW), GetPane(PANE_POINTS), Qt::Vertical);
    m_frame.splitDockWidget(GetPane(PANE_POINTS), GetPane(PANE_PROFILE), Qt::Horizontal);
    // Behind the point list, where its four columns have room.
    m_frame.tabifyDockWidget(GetPane(PANE_POINTS), GetPane(PANE_CLEANING_REPORT));
    for (DockingPane* pane : m_manager.GetPanes())
        pane->show();
    GetPane(PANE_HISTOGRAM)->raise();
    GetPane(PANE_POINTS)->raise();
    m_sizesPending = true;
    if (m_frame.isVisible())
        OnFrameShown();
}

void PaneLayoutManager::OnFrameShown()
{
    if (!m_sizesPending)
        return;
    m_sizesPending = false;
    // After the show has been laid out (a maximised window gets its size late).
    QTimer::singleShot(0, &m_frame, [this] { ApplyInitialSizes(); });
}

void PaneLayoutManager::ApplyInitialSizes()
{
    const QSize frame = m_frame.size();
    // The track list's columns, within bounds that leave the map its room.
    const int listWidth = std::clamp(GetPane(PANE_TRACKS)->sizeHint().width(), 300,
                                     std::max(300, static_cast<int>(frame.width() * 0.3)));
    const int chartsWidth = std::clamp(static_cast<int>(frame.width() * 0.14), 220, 360);
    const int pointsHeight = std::clamp(static_cast<int>(frame.height() * 0.25), 120, 360);
    const int mapWidth = frame.width() - listWidth - chartsWidth;
    m_frame.resizeDocks({GetPane(PANE_TRACKS), GetPane(PANE_TRACK_VIEW), GetPane(PANE_HISTOGRAM)},
                        {listWidth, mapWidth, chartsWidth}, Qt::Horizontal);
    m_frame.resizeDocks({GetPane(PANE_TRACK_VIEW), GetPane(PANE_POINTS)}, {frame.height() - pointsHeight, pointsHeight},
                        Qt::Vertical);
    m_frame.resizeDocks({GetPane(PANE_TRACKS), GetPane(PANE_POINT_PROPERTIES)}, {frame.height() - 320, 320},
                        Qt::Vertical);
    // The point list needs its columns more than the profile needs width.
    m_frame.resizeDocks({GetPane(PANE_POINTS), GetPane(PANE_PROFILE)}, {mapWidth * 3 / 5, mapWidth * 2 / 5},
                        Qt::Horizontal);
}

void PaneLayoutManager::SaveLayout() const
{
    RegistryKey key(kLayoutKey);
    key.WriteBinary(kPanesValue, m_frame.saveState(kLayoutVersion));
    key.WriteBinary(kWindowValue, m_frame.saveGeometry());
}

bool PaneLayoutManager::LoadLayout()
{
    RegistryKey key(kLayoutKey);
    const QByteArray panes = key.ReadBinary(kPanesValue);
    if (panes.isEmpty())
        return false;
    m_frame.restoreGeometry(key.ReadBinary(kWindowValue));
    if (!m_frame.restoreState(panes, kLayoutVersion))
        return false;
    m_sizesPending = false;
    return true;
}

std::vector<MainFrameImpl::Connection> PaneLayoutManager::SubscribeCommands(MainFrameImpl& hub)
{
    std::vector<MainFrameImpl::Connection> connections;
    connections.push_back(hub.SubscribeCommand(ID_PANE_TRACKS, ID_PANE_CLEANING_REPORT, [this](int id) {
        TogglePane(PaneOfCommand(id));
    }));
    connections.push_back(hub.SubscribeCommandUI(ID_PANE_TRACKS, ID_PANE_CLEANING_REPORT, [this](CommandUI& ui) {
        ui.SetCheck(IsPaneVisible(PaneOfCommand(ui.GetId())));
    }));
    connections.push_back(hub.SubscribeCommand(ID_VIEW_RESTORE_LAYOUT, ID_VIEW_RESTORE_LAYOUT, [this](int) {
        BuildInitialLayout();
    }));
    return connections;
}

void PaneLayoutManager::ShowPane(int paneId, bool show)
{
    m_manager.ShowPane(paneId, show);
}

void PaneLayoutManager::TogglePane(int paneId)
{
    m_manager.TogglePane(paneId);
}

void PaneLayoutManager::ActivatePane(int paneId)
{
    m_manager.SelectPane(paneId);
}

bool PaneLayoutManager::IsPaneVisible(int paneId) const
{
    return m_manager.IsPaneOpen(paneId);
}
