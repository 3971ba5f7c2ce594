#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "CommandTable.h"
#include "DockingPane.h"
#include "CleaningUI.h"
#include "EditUndoUI.h"
#include "FilterUI.h"
#include "GEventManagerImpl.h"
#include "HelpCommands.h"
#include "MainFrame.h"
#include "OptionsUI.h"
#include "PointRangeUI.h"
#include "ProfileDlg.h"
#include "QuickLaunchDlg.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "TitleOptions.h"
#include "ToolbarIcons.h"
#include "TrackMenuUI.h"
#include "TrackOpening.h"
#include "TrackTreeEventDataImpl.h"
#include "TracksFileUI.h"
#include "Translator.h"
#include "ViewUI.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QString T(const char16_t* text)
{
    return QString::fromUtf16(text);
}

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

// Shown by a list command until its owner fills it.
constexpr int kNoItemsTextId = 32830;

// Each command of the main menu table with the titles of the menus above
// it, as the menu bar is built from the table.
std::map<int, QStringList> TablePlaces()
{
    std::map<int, QStringList> places;
    QStringList open;
    for (const MenuEntry& entry : GetMainMenuTable()) {
        if (entry.kind == MenuEntry::Submenu)
            open.append(Str(entry.id));
        else if (entry.kind == MenuEntry::End && !open.isEmpty())
            open.removeLast();
        else if (entry.kind == MenuEntry::Command)
            places[entry.id] = open;
    }
    return places;
}

struct MenuPlace
{
    QString text;      // with "\t" and the shortcut, as in the string table
    QStringList menus; // titles from the menu bar down
};

void Collect(QMenu& menu, QStringList path, std::map<int, MenuPlace>& out)
{
    path.append(menu.title());
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            Collect(*action->menu(), path, out);
        } else if (!action->isSeparator()) {
            QString text = action->text();
            if (!action->shortcut().isEmpty())
                text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::PortableText);
            out[CommandActions::GetId(*action)] = MenuPlace{text, path};
        }
    }
}

std::map<int, MenuPlace> MenuPlaces(MainFrame& frame)
{
    std::map<int, MenuPlace> places;
    for (QAction* top : frame.menuBar()->actions())
        Collect(*top->menu(), {}, places);
    return places;
}

QAction& Action(MainFrame& frame, int id)
{
    QAction* action = frame.GetActions().Find(id);
    EXPECT_NE(action, nullptr) << id;
    return *action;
}

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegistryKey(QStringLiteral("Layout")).ClearSection();
        RegistryKey(QStringLiteral("Settings\\QuickLaunch")).ClearSection();
    }
};

} // namespace

TEST_F(MainFrameTest, MenuTableNestsProperlyAndNamesEachCommandOnce)
{
    int depth = 0;
    std::set<int> commands;
    for (const MenuEntry& entry : GetMainMenuTable()) {
        switch (entry.kind) {
        case MenuEntry::Submenu:
            EXPECT_FALSE(Str(entry.id).isEmpty()) << "submenu title " << entry.id;
            ++depth;
            break;
        case MenuEntry::End:
            --depth;
            ASSERT_GE(depth, 0) << "an End without its submenu";
            break;
        case MenuEntry::Separator:
            EXPECT_GT(depth, 0) << "a separator on the menu bar";
            break;
        case MenuEntry::Command:
            EXPECT_GT(depth, 0) << "command " << entry.id << " on the menu bar";
            EXPECT_TRUE(commands.insert(entry.id).second) << "command " << entry.id << " twice";
            break;
        }
    }
    EXPECT_EQ(depth, 0) << "a submenu without its End";
    EXPECT_GT(commands.size(), 30u);
}

TEST_F(MainFrameTest, EveryMenuCommandShowsItsTextFromTheStringTable)
{
    const Translator& tr = Translator::GetInstance();
    MainFrame frame;
    const std::map<int, MenuPlace> places = MenuPlaces(frame);
    const std::map<int, QStringList> expected = TablePlaces();
    EXPECT_EQ(places.size(), expected.size());
    for (const auto& [id, menus] : expected) {
        const auto it = places.find(id);
        ASSERT_NE(it, places.end()) << id;
        // A list command (recent files, map layers) shows a placeholder
        // until its owner fills it.
        const int textId = tr.HasStr(MenuTextId(id)) ? MenuTextId(id) : kNoItemsTextId;
        EXPECT_EQ(it->second.text, Str(textId)) << id;
        EXPECT_FALSE(it->second.text.isEmpty()) << id;
    }
    // The shortcut is read from the text after the tab.
    EXPECT_EQ(Action(frame, 32803).shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(places.at(ID_FILE_MRU_FIRST).text, QStringLiteral("<No items>"));
}

TEST_F(MainFrameTest, CommandsSitInTheirMenusAndSubmenus)
{
    MainFrame frame;
    const std::map<int, MenuPlace> places = MenuPlaces(frame);
    for (const auto& [id, menus] : TablePlaces()) {
        const auto it = places.find(id);
        ASSERT_NE(it, places.end()) << id;
        EXPECT_EQ(it->second.menus, menus) << id;
    }
    // The recent files go where their owner looks for them.
    EXPECT_EQ(places.at(ID_FILE_MRU_FIRST).menus.last(), Str(IDS_MENU_RECENT_TRACKS));
}

TEST_F(MainFrameTest, ShortcutsAreUniqueInTheWindow)
{
    MainFrame frame;
    std::map<QString, int> seen;
    for (const QAction* action : frame.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            const QString text = key.toString(QKeySequence::PortableText);
            const auto [it, added] = seen.emplace(text, CommandActions::GetId(*action));
            EXPECT_TRUE(added) << text.toStdString() << " of " << CommandActions::GetId(*action) << " and "
                               << it->second;
        }
    }
    EXPECT_FALSE(seen.empty());
}

TEST_F(MainFrameTest, MnemonicsAreUniqueWithinEachMenu)
{
    // The documented texts give these entries the same letter; Qt then
    // moves between them on each press. No other menu may add one.
    const std::set<QString> knownClashes{QStringLiteral("File: C"), QStringLiteral("View: P")};
    MainFrame frame;
    std::vector<const QMenu*> menus;
    for (const QAction* top : frame.menuBar()->actions())
        menus.push_back(top->menu());
    for (size_t i = 0; i < menus.size(); ++i) {
        const QMenu& menu = *menus[i];
        std::map<QChar, QStringList> byLetter;
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            if (action->menu())
                menus.push_back(action->menu());
            const QString text = QString(action->text()).remove(QStringLiteral("&&"));
            EXPECT_LE(text.count(QLatin1Char('&')), 1) << text.toStdString();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            if (amp < 0)
                continue;
            ASSERT_LT(amp + 1, text.size()) << text.toStdString();
            byLetter[text.at(amp + 1).toUpper()].append(action->text());
        }
        for (const auto& [letter, texts] : byLetter) {
            if (texts.size() < 2)
                continue;
            const QString clash = QString(menu.title()).remove(QLatin1Char('&')) + QStringLiteral(": ") + letter;
            EXPECT_TRUE(knownClashes.count(clash))
                << clash.toStdString() << " in " << texts.join(QStringLiteral(", ")).toStdString();
        }
    }
    EXPECT_GT(menus.size(), 6u);
}

TEST_F(MainFrameTest, EveryMenuCommandIsHandledOrDeliberatelyDisabled)
{
    // The window as the application puts it together.
    MainFrame frame;
    HelpCommands help(frame.GetHub());
    TrackOpening opening(frame, false);
    TracksFileUI files(frame);
    new EditUndoUI(frame);
    new FilterUI(frame);
    new TrackMenuUI(frame);
    new PointRangeUI(frame, files);
    new ViewUI(frame, frame.GetTrackView());
    new OptionsUI(frame);
    new CleaningUI(frame);
    // The window's own commands, run by the frame itself.
    const std::set<int> ownCommands{ID_APP_EXIT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
    // Disabled on purpose: placeholders of the lists that their owner puts
    // in as the menu opens, and commands whose dialogs are not written yet.
    const std::set<int> disabled{32871, ID_VIEW_COLOR_BY, ID_HELP_CHECK_UPDATES};
    frame.GetActions().UpdateAll();
    for (const auto& [id, menus] : TablePlaces()) {
        if (disabled.count(id)) {
            EXPECT_FALSE(frame.GetHub().HasCommand(id)) << id << " is handled now: take it off the list";
            EXPECT_FALSE(Action(frame, id).isEnabled()) << id;
        } else {
            EXPECT_TRUE(frame.GetHub().HasCommand(id) || ownCommands.count(id))
                << "nothing runs command " << id << " (" << Str(MenuTextId(id)).toStdString() << ")";
        }
    }
    for (const int id : ownCommands)
        EXPECT_TRUE(Action(frame, id).isEnabled()) << id;
}

TEST_F(MainFrameTest, ListMenusAreFoundByTheirTitle)
{
    MainFrame frame;
    QMenu* recent = frame.FindMenu(IDS_MENU_RECENT_TRACKS);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->title(), QStringLiteral("Recent &tracks"));
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(CommandActions::GetId(*recent->actions().front()), ID_FILE_MRU_FIRST);
    EXPECT_EQ(frame.FindMenu(12345), nullptr);
}

TEST_F(MainFrameTest, UnsubscribedCommandsAreDisabledWindowCommandsAreNot)
{
    MainFrame frame;
    frame.GetActions().UpdateAll();
    for (int id : {ID_FILE_OPEN, ID_FILE_SAVE, ID_TRACK_RESTRUCTURE, ID_FILTER_BY_VALUE, ID_TOOLS_OPTIONS,
                   ID_VIEW_MAP_CENTER, ID_HELP_CHECK_UPDATES})
        EXPECT_FALSE(Action(frame, id).isEnabled()) << id;
    for (int id : {ID_APP_EXIT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_PANE_TRACKS, ID_VIEW_RESTORE_LAYOUT,
                   ID_VIEW_QUICK_LAUNCH})
        EXPECT_TRUE(Action(frame, id).isEnabled()) << id;
}

TEST_F(MainFrameTest, SubscribedCommandIsEnabledAndTriggeredThroughTheHub)
{
    MainFrame frame;
    std::vector<int> run;
    {
        auto command = frame.GetHub().SubscribeCommand(ID_FILE_OPEN, ID_FILE_OPEN, [&](int id) { run.push_back(id); });
        auto state = frame.GetHub().SubscribeCommandUI(ID_FILE_SAVE, ID_FILE_SAVE, [](CommandUI& ui) {
            ui.Enable(true);
            ui.SetText(QStringLiteral("&Save a.gpx"));
        });
        QMenu* file = frame.menuBar()->actions().front()->menu();
        Q_EMIT file->aboutToShow(); // the state is asked for as the menu opens
        EXPECT_TRUE(Action(frame, ID_FILE_OPEN).isEnabled());
        EXPECT_TRUE(Action(frame, ID_FILE_SAVE).isEnabled());
        EXPECT_EQ(Action(frame, ID_FILE_SAVE).text(), QStringLiteral("&Save a.gpx"));
        Action(frame, ID_FILE_OPEN).trigger();
        EXPECT_EQ(run, std::vector<int>{ID_FILE_OPEN});
    }
    frame.GetActions().UpdateAll();
    EXPECT_FALSE(Action(frame, ID_FILE_OPEN).isEnabled());
    EXPECT_EQ(Action(frame, ID_FILE_SAVE).text(), QStringLiteral("&Save"));
}

TEST_F(MainFrameTest, ToolbarsAndStatusBarToggleThroughTheirCommands)
{
    MainFrame frame;
    QToolBar* tools = frame.GetToolbar(TOOLBAR_TOOLS);
    QToolBar* modes = frame.GetToolbar(TOOLBAR_VIEW_MODES);
    ASSERT_TRUE(tools && modes);
    EXPECT_EQ(tools->windowTitle(), QStringLiteral("Tools"));
    EXPECT_EQ(modes->windowTitle(), QStringLiteral("View modes"));
    frame.RunCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(tools->isHidden());
    EXPECT_TRUE(modes->isHidden());
    frame.GetActions().UpdateAll();
    EXPECT_FALSE(Action(frame, ID_VIEW_TOOLBAR).isChecked());
    frame.RunCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame.statusBar()->isHidden());
    frame.RunCommand(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(tools->isHidden());
    frame.GetActions().UpdateAll();
    EXPECT_TRUE(Action(frame, ID_VIEW_TOOLBAR).isChecked());
}

TEST_F(MainFrameTest, EightPanesWithTheirTitles)
{
    MainFrame frame;
    const std::map<int, QString> titles{
        {PANE_TRACKS, T(u"Tracks")},         {PANE_PROFILE, T(u"Profile")},
        {PANE_POINTS, T(u"Points")},         {PANE_TRACK_VIEW, T(u"Track View")},
        {PANE_POINT_PROPERTIES, T(u"Point Properties")}, {PANE_HISTOGRAM, T(u"Histogram")},
        {PANE_LEGEND, T(u"Legend")},         {PANE_CLEANING_REPORT, T(u"Cleaning Report")},
    };
    EXPECT_EQ(frame.GetPanes().GetManager().GetPanes().size(), titles.size());
    for (const auto& [id, title] : titles) {
        DockingPane* pane = frame.GetPanes().GetPane(id);
        ASSERT_NE(pane, nullptr) << id;
        EXPECT_EQ(pane->windowTitle(), title);
        EXPECT_GE(pane->minimumWidth(), 3);
    }
}

TEST_F(MainFrameTest, PaneCommandsToggleTheirPaneAndShowItsState)
{
    MainFrame frame;
    DockingPane* profile = frame.GetPanes().GetPane(PANE_PROFILE);
    frame.RunCommand(ID_PANE_PROFILE);
    EXPECT_TRUE(profile->isHidden());
    frame.GetActions().UpdateAll();
    EXPECT_FALSE(Action(frame, ID_PANE_PROFILE).isChecked());
    frame.RunCommand(ID_PANE_PROFILE);
    EXPECT_FALSE(profile->isHidden());
    frame.GetActions().UpdateAll();
    EXPECT_TRUE(Action(frame, ID_PANE_PROFILE).isChecked());
    // Legend has its command directly under View.
    frame.RunCommand(ID_PANE_LEGEND);
    EXPECT_TRUE(frame.GetPanes().GetPane(PANE_LEGEND)->isHidden());
}

TEST_F(MainFrameTest, ProfilePaneHoldsTheChartOfTheCurrentSegment)
{
    MainFrame frame;
    auto* dlg = dynamic_cast<ProfileDlg*>(frame.GetPanes().GetPane(PANE_PROFILE)->widget());
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->GetTemplateId(), 131);
    ASSERT_EQ(dlg->findChild<ProfileView*>(), &dlg->GetView());
    // Nothing open: no chart, a line saying what to do instead.
    EXPECT_TRUE(dlg->GetView().GetChart().IsEmpty());
    EXPECT_FALSE(dlg->GetView().GetMarks().emptyText.isEmpty());
}

TEST_F(MainFrameTest, LayoutSavedOnCloseComesBackInTheNextWindow)
{
    {
        MainFrame frame;
        frame.resize(1000, 700);
        frame.addDockWidget(Qt::TopDockWidgetArea, frame.GetPanes().GetPane(PANE_HISTOGRAM));
        frame.GetPanes().ShowPane(PANE_LEGEND, false);
        EXPECT_TRUE(frame.close());
    }
    MainFrame next;
    EXPECT_EQ(next.dockWidgetArea(next.GetPanes().GetPane(PANE_HISTOGRAM)), Qt::TopDockWidgetArea);
    EXPECT_TRUE(next.GetPanes().GetPane(PANE_LEGEND)->isHidden());
    EXPECT_FALSE(next.GetPanes().GetPane(PANE_TRACKS)->isHidden());
}

namespace {

int PaneArea(MainFrame& frame, int paneId)
{
    const QWidget* pane = frame.GetPanes().GetPane(paneId);
    return pane->isVisible() ? pane->width() * pane->height() : 0;
}

// The first start: shown at its size and given the queued sizing.
void ShowAt(MainFrame& frame, int width, int height)
{
    frame.resize(width, height);
    frame.show();
    QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace

TEST_F(MainFrameTest, FirstLayoutGivesTheMapTheLargestPane)
{
    MainFrame frame;
    ShowAt(frame, 1600, 1000);
    const int mapArea = PaneArea(frame, PANE_TRACK_VIEW);
    for (int paneId : {PANE_TRACKS, PANE_POINTS, PANE_PROFILE, PANE_POINT_PROPERTIES, PANE_HISTOGRAM, PANE_LEGEND})
        EXPECT_GT(mapArea, 2 * PaneArea(frame, paneId)) << paneId;
    // Histogram and legend share one place as tabs; the map has half the width.
    EXPECT_TRUE(frame.tabifiedDockWidgets(frame.GetPanes().GetPane(PANE_HISTOGRAM))
                    .contains(frame.GetPanes().GetPane(PANE_LEGEND)));
    EXPECT_GT(frame.GetPanes().GetPane(PANE_TRACK_VIEW)->width(), 800);
    // The point list and the profile sit below the map, not across the lists.
    const QWidget* map = frame.GetPanes().GetPane(PANE_TRACK_VIEW);
    const QWidget* points = frame.GetPanes().GetPane(PANE_POINTS);
    EXPECT_GE(points->x(), map->x());
    EXPECT_GT(points->y(), map->y() + map->height() - 10);
}

TEST_F(MainFrameTest, AStoredLayoutWinsOverTheFirstOne)
{
    int storedTracksWidth = 0;
    {
        MainFrame frame;
        ShowAt(frame, 1600, 1000);
        const int firstWidth = frame.GetPanes().GetPane(PANE_TRACKS)->width();
        frame.resizeDocks({frame.GetPanes().GetPane(PANE_TRACKS)}, {firstWidth + 80}, Qt::Horizontal);
        QApplication::processEvents();
        storedTracksWidth = frame.GetPanes().GetPane(PANE_TRACKS)->width();
        ASSERT_GT(storedTracksWidth, firstWidth + 50);
        EXPECT_TRUE(frame.close());
    }
    MainFrame next;
    ShowAt(next, 1600, 1000);
    EXPECT_EQ(next.GetPanes().GetPane(PANE_TRACKS)->width(), storedTracksWidth);
}

TEST_F(MainFrameTest, EveryToolbarButtonShowsAPictureOurOwnDrawingsIncluded)
{
    MainFrame frame;
    int drawn = 0;
    for (int toolbarId : {TOOLBAR_TOOLS, TOOLBAR_VIEW_MODES}) {
        for (QAction* action : frame.GetToolbar(toolbarId)->actions()) {
            const int id = CommandActions::GetId(*action);
            if (action->isSeparator() || id == 0)
                continue;
            EXPECT_FALSE(action->icon().isNull()) << id;
            const QIcon own = ToolbarIcons::OwnForCommand(id);
            if (own.isNull())
                continue;
            // A drawing that did not load or parse paints nothing.
            const QImage image = own.pixmap(24, 24).toImage();
            ASSERT_FALSE(image.isNull()) << id;
            int painted = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    painted += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            EXPECT_GT(painted, 20) << id;
            ++drawn;
        }
    }
    EXPECT_EQ(drawn, 7);
}

TEST_F(MainFrameTest, CloseGuardKeepsTheWindowAndSavesNothing)
{
    MainFrame frame;
    frame.SetCloseGuard([] { return false; });
    frame.show();
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(RegistryKey(QStringLiteral("Layout")).HasValue(QStringLiteral("Panes")));
    frame.SetCloseGuard({});
}

TEST_F(MainFrameTest, RestoreInitialLayoutDocksFloatedAndMovedPanesBack)
{
    MainFrame frame;
    frame.resize(1200, 800);
    PaneLayoutManager& panes = frame.GetPanes();
    const Qt::DockWidgetArea tracksArea = frame.dockWidgetArea(panes.GetPane(PANE_TRACKS));
    const Qt::DockWidgetArea pointsArea = frame.dockWidgetArea(panes.GetPane(PANE_POINTS));
    panes.GetManager().FloatPane(PANE_TRACKS);
    frame.addDockWidget(Qt::RightDockWidgetArea, panes.GetPane(PANE_POINTS));
    panes.ShowPane(PANE_HISTOGRAM, false);
    ASSERT_TRUE(panes.GetManager().IsPaneFloating(PANE_TRACKS));

    frame.RunCommand(ID_VIEW_RESTORE_LAYOUT);
    EXPECT_FALSE(panes.GetManager().IsPaneFloating(PANE_TRACKS));
    EXPECT_EQ(frame.dockWidgetArea(panes.GetPane(PANE_TRACKS)), tracksArea);
    EXPECT_EQ(frame.dockWidgetArea(panes.GetPane(PANE_POINTS)), pointsArea);
    EXPECT_NE(pointsArea, Qt::RightDockWidgetArea);
    EXPECT_FALSE(panes.GetPane(PANE_HISTOGRAM)->isHidden());
}

TEST_F(MainFrameTest, StartPageClosesOnTheFirstTreeChangeOnly)
{
    MainFrame frame;
    QuickLaunchDlg& page = frame.GetQuickLaunch();
    EXPECT_TRUE(page.IsPageShown());
    GEventManagerImpl::GetInstance().Notify(GEventKind::SelectionChanged);
    EXPECT_TRUE(page.IsPageShown());
    GEventManagerImpl::GetInstance().NotifyTreeChanged(std::make_shared<TrackTreeEventDataImpl>());
    EXPECT_FALSE(page.IsPageShown());
    // Closing it this way is not the user's choice: the next start shows it.
    MainFrame next;
    EXPECT_TRUE(next.GetQuickLaunch().IsPageShown());
}

TEST_F(MainFrameTest, QuickLaunchCommandTogglesThePageAndRemembersIt)
{
    {
        MainFrame frame;
        frame.RunCommand(ID_VIEW_QUICK_LAUNCH);
        EXPECT_FALSE(frame.GetQuickLaunch().IsPageShown());
        frame.GetActions().UpdateAll();
        EXPECT_FALSE(Action(frame, ID_VIEW_QUICK_LAUNCH).isChecked());
    }
    MainFrame next;
    EXPECT_FALSE(next.GetQuickLaunch().IsPageShown());
    next.RunCommand(ID_VIEW_QUICK_LAUNCH);
    EXPECT_TRUE(next.GetQuickLaunch().IsPageShown());
    next.GetActions().UpdateAll();
    EXPECT_TRUE(Action(next, ID_VIEW_QUICK_LAUNCH).isChecked());
}

TEST_F(MainFrameTest, StartPageLinksRunTheirCommands)
{
    MainFrame frame;
    std::vector<int> run;
    auto c = frame.GetHub().SubscribeCommand(ID_FILE_OPEN, ID_HELP_TOUR, [&](int id) { run.push_back(id); });
    QuickLaunchDlg& page = frame.GetQuickLaunch();
    page.SetRecentFiles({QStringLiteral("/data/one.gpx"), QStringLiteral("/data/two.tcx")}, ID_FILE_MRU_FIRST);
    for (int id : {int(ID_HELP_BASICS), int(ID_HELP_TOUR), int(ID_FILE_OPEN), ID_FILE_MRU_FIRST + 1}) {
        auto* link = page.findChild<QLabel*>(QStringLiteral("Link%1").arg(id));
        ASSERT_NE(link, nullptr) << id;
        Q_EMIT link->linkActivated(QString::number(id));
    }
    EXPECT_EQ(run, (std::vector<int>{ID_HELP_BASICS, ID_HELP_TOUR, ID_FILE_OPEN, ID_FILE_MRU_FIRST + 1}));
    auto* second = page.findChild<QLabel*>(QStringLiteral("Link%1").arg(ID_FILE_MRU_FIRST + 1));
    EXPECT_TRUE(second->text().contains(QStringLiteral("two.tcx")));
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("Link%1").arg(ID_FILE_MRU_FIRST + 2)), nullptr);
}

TEST_F(MainFrameTest, TitleFollowsTheShowVersionSetting)
{
    MainFrame frame;
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quorvel v1.15.141"));
    TitleOptions::GetInstance().showVersion.Set(false);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quorvel"));
    TitleOptions::GetInstance().showVersion.Set(true);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quorvel v1.15.141"));
}

TEST_F(MainFrameTest, ReceivedCommandLineOpensItsFilesOnly)
{
    MainFrame frame;
    QStringList opened;
    frame.SetFileOpener([&](const QStringList& files) { opened += files; });
    frame.ReceiveCommandLine(CommandLine::Join({QStringLiteral("/t/a b.gpx"), QStringLiteral("-s10x10"),
                                                QStringLiteral("c.gpx")}));
    EXPECT_EQ(opened, (QStringList{QStringLiteral("/t/a b.gpx"), QStringLiteral("c.gpx")}));
}
