#include "DialogScript.h"
#include "FieldChooserDlg.h"
#include "MessageBoxStyle.h"
#include "RegistryKey.h"
#include "ReportColSettings.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "StringIds.h"
#include "Translator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

// A list like the track list: Name (unremovable, left), Start, Finish,
// Distance (hidden by default), Color (narrow).
struct TrackLikeList
{
    explicit TrackLikeList(const QString& name, int version = 3)
        : columns(list, std::make_unique<ReportColSettings>(name, version))
    {
        columns.SetDefaultMinWidth(20);
        columns.SetDefaultAlignment(2);
        columns.AddColumn(0, IDS_TRACK_COL_NAME, 320, true);
        columns.AddColumn(1, IDS_TRACK_COL_START, 120, true);
        columns.AddColumn(2, IDS_TRACK_COL_FINISH, 90, true);
        columns.AddColumn(5, IDS_TRACK_COL_DISTANCE, 60, false);
        columns.AddColumn(3, IDS_TRACK_COL_COLOR, 22, true);
        columns.SetAlignment(0, 0);
        columns.SetUnremovable(0);
        columns.SetAutosize(3, false);
        columns.Init();
    }

    int Width(int columnId) const { return list.header()->sectionSize(list.GetModel().FindColumn(columnId)); }
    int Visual(int columnId) const { return list.header()->visualIndex(list.GetModel().FindColumn(columnId)); }

    ReportControl list;
    ReportColumns columns;
};

QAction* FindAction(QMenu& menu, const QString& text)
{
    for (QAction* a : menu.actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

int TitleAdvance(const TrackLikeList& t, int columnId)
{
    const ReportModel& model = t.list.GetModel();
    return t.list.header()->fontMetrics().horizontalAdvance(model.GetColumn(model.FindColumn(columnId)).GetTitle());
}

TEST(ReportColumns, DefaultsApplyToAFreshList)
{
    TrackLikeList t(QStringLiteral("ColsDefaults"));
    const ReportModel& model = t.list.GetModel();
    ASSERT_EQ(model.GetColumnCount(), 5);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Name"));
    EXPECT_EQ(t.Width(0), 320);
    EXPECT_TRUE(t.columns.IsColumnVisible(2));
    EXPECT_FALSE(t.columns.IsColumnVisible(5));
    EXPECT_EQ(model.GetColumn(model.FindColumn(0)).alignment, 0);
    EXPECT_EQ(model.GetColumn(model.FindColumn(1)).alignment, 2);
    EXPECT_EQ(model.GetColumn(model.FindColumn(1)).minWidth, 20);
    const Qt::Alignment right = model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    EXPECT_TRUE(right & Qt::AlignRight);
    EXPECT_FALSE(model.GetColumn(model.FindColumn(3)).autosize);
}

TEST(ReportColumns, TheUsersLayoutPersistsPerListAndVersion)
{
    {
        TrackLikeList t(QStringLiteral("ColsPersist"));
        t.list.header()->resizeSection(t.list.GetModel().FindColumn(1), 150);
        t.columns.SetColumnVisible(5, true);
        t.columns.SetColumnVisible(2, false);
        t.list.header()->moveSection(t.Visual(3), 1);
    }
    EXPECT_TRUE(RegistryKey(QStringLiteral("Layout\\Dialogs\\ColsPersist")).HasValue(QStringLiteral("ReportControl")));

    TrackLikeList again(QStringLiteral("ColsPersist"));
    EXPECT_EQ(again.Width(1), 150);
    EXPECT_TRUE(again.columns.IsColumnVisible(5));
    EXPECT_FALSE(again.columns.IsColumnVisible(2));
    EXPECT_EQ(again.Visual(3), 1);

    TrackLikeList otherList(QStringLiteral("ColsPersistOther"));
    EXPECT_EQ(otherList.Width(1), 120);

    TrackLikeList newerVersion(QStringLiteral("ColsPersist"), 4);
    EXPECT_EQ(newerVersion.Width(1), 120);
    EXPECT_TRUE(newerVersion.columns.IsColumnVisible(2));
    EXPECT_EQ(newerVersion.Visual(3), 4);
}

TEST(ReportColumns, AResizeIsStoredOnceTheUserStops)
{
    TrackLikeList t(QStringLiteral("ColsDrag"));
    const RegistryKey reg(QStringLiteral("Layout\\Dialogs\\ColsDrag"));
    const QByteArray before = reg.ReadBinary(QStringLiteral("ReportControl"));
    for (int w = 121; w <= 160; ++w) // a drag
        t.list.header()->resizeSection(t.list.GetModel().FindColumn(1), w);
    // Nothing is written while the drag goes on...
    EXPECT_EQ(reg.ReadBinary(QStringLiteral("ReportControl")), before);
    QElapsedTimer timer;
    timer.start();
    while (reg.ReadBinary(QStringLiteral("ReportControl")) == before && timer.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // ...and the layout is stored once it stops.
    ASSERT_NE(reg.ReadBinary(QStringLiteral("ReportControl")), before);
    TrackLikeList other(QStringLiteral("ColsDrag"));
    EXPECT_EQ(other.Width(1), 160);
}

TEST(ReportColumns, ADifferentSetOfColumnsFallsBackToTheDefaults)
{
    {
        TrackLikeList t(QStringLiteral("ColsShape"));
        t.list.header()->resizeSection(0, 111);
    }
    ReportControl list;
    ReportColumns columns(list, std::make_unique<ReportColSettings>(QStringLiteral("ColsShape"), 3));
    columns.AddColumn(0, IDS_TRACK_COL_NAME, 320, true);
    columns.AddColumn(1, IDS_TRACK_COL_START, 120, true);
    columns.Init();
    EXPECT_EQ(list.header()->sectionSize(0), 320);
    EXPECT_EQ(list.header()->count(), 2);
}

TEST(ReportColumns, HeaderMenuOffersColumnsFieldChooserAndRestore)
{
    TrackLikeList t(QStringLiteral("ColsMenu"));
    const std::unique_ptr<QMenu> menu = t.columns.BuildHeaderMenu();
    const Translator& tr = Translator::GetInstance();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), tr.LoadStr(IDS_HEADER_COLUMNS));
    EXPECT_EQ(menu->actions()[1]->text(), tr.LoadStr(IDS_HEADER_FIELD_CHOOSER));
    EXPECT_EQ(menu->actions()[2]->text(), tr.LoadStr(IDS_HEADER_RESTORE_LAYOUT));

    QMenu* columns = menu->actions()[0]->menu();
    ASSERT_NE(columns, nullptr);
    ASSERT_EQ(columns->actions().size(), 5);
    QAction* name = FindAction(*columns, QStringLiteral("Name"));
    ASSERT_NE(name, nullptr);
    EXPECT_FALSE(name->isEnabled());
    QAction* distance = FindAction(*columns, tr.LoadStr(IDS_TRACK_COL_DISTANCE));
    ASSERT_NE(distance, nullptr);
    EXPECT_FALSE(distance->isChecked());
    distance->trigger();
    EXPECT_TRUE(t.columns.IsColumnVisible(5));
    // Its default width, or wider where its title needs it.
    EXPECT_GE(t.Width(5), 60);
    EXPECT_GT(t.Width(5), TitleAdvance(t, 5));
}

TEST(ReportColumns, RestoreDefaultLayoutUndoesTheUsersChangesAndStoresThat)
{
    {
        TrackLikeList t(QStringLiteral("ColsRestore"));
        t.list.header()->resizeSection(0, 400);
        t.columns.SetColumnVisible(1, false);
        t.list.header()->moveSection(t.Visual(3), 0);
        const std::unique_ptr<QMenu> menu = t.columns.BuildHeaderMenu();
        menu->actions()[2]->trigger();
        EXPECT_EQ(t.Width(0), 320);
        EXPECT_TRUE(t.columns.IsColumnVisible(1));
        EXPECT_FALSE(t.columns.IsColumnVisible(5));
        EXPECT_EQ(t.Visual(3), 4);
        EXPECT_EQ(t.Visual(0), 0);
    }
    TrackLikeList again(QStringLiteral("ColsRestore"));
    EXPECT_EQ(again.Width(0), 320);
    EXPECT_TRUE(again.columns.IsColumnVisible(1));
    EXPECT_EQ(again.Visual(3), 4);
}

TEST(ReportColumns, UnremovableColumnStaysAndMinimumWidthHolds)
{
    TrackLikeList t(QStringLiteral("ColsUnremovable"));
    t.columns.SetColumnVisible(0, false);
    EXPECT_TRUE(t.columns.IsColumnVisible(0));
    t.list.header()->resizeSection(t.list.GetModel().FindColumn(2), 5);
    EXPECT_EQ(t.Width(2), 20);
}

TEST(ReportColumns, DefaultWidthsFitTitlesAndSampleValues)
{
    RegistryKey(QStringLiteral("Layout\\Dialogs\\ColsSample")).ClearSection();
    ReportControl list;
    ReportColumns columns(list, std::make_unique<ReportColSettings>(QStringLiteral("ColsSample"), 1));
    columns.AddColumn(0, IDS_TRACK_COL_NAME, 320, true);
    columns.AddColumn(1, IDS_TRACK_COL_START, 20, true);
    columns.AddColumn(5, IDS_TRACK_COL_DISTANCE, 10, false);
    columns.AddColumn(3, IDS_TRACK_COL_COLOR, 22, true);
    const QString date = QStringLiteral("Saturday, 17 August 2013");
    columns.SetSample(1, date);
    columns.Init();
    const QHeaderView& header = *list.header();
    const QFontMetrics cells = list.fontMetrics();
    EXPECT_EQ(header.sectionSize(0), 320); // wide enough already
    EXPECT_GT(header.sectionSize(1), cells.horizontalAdvance(date));
    for (int i = 0; i < 4; ++i) {
        const QString title = list.GetModel().GetColumn(i).GetTitle();
        columns.SetColumnVisible(list.GetModel().GetColumn(i).id, true);
        EXPECT_GT(header.sectionSize(i), header.fontMetrics().horizontalAdvance(title)) << qPrintable(title);
    }
}

TEST(ReportColumns, AStoredWidthNarrowerThanTheTitleWins)
{
    RegistryKey(QStringLiteral("Layout\\Dialogs\\ColsNarrow")).ClearSection();
    {
        TrackLikeList t(QStringLiteral("ColsNarrow"));
        t.list.header()->resizeSection(t.list.GetModel().FindColumn(1), 21);
        t.columns.SaveLayout();
    }
    TrackLikeList next(QStringLiteral("ColsNarrow"));
    ASSERT_LT(21, TitleAdvance(next, 1));
    EXPECT_EQ(next.Width(1), 21);
}

TEST(ReportColumns, FieldChooserAnsweredThroughTheDialogSeam)
{
    TrackLikeList t(QStringLiteral("ColsChooser"));
    DialogScript script;
    script.AddAction([](DlgBase& dlg) {
        auto& chooser = dynamic_cast<FieldChooserDlg&>(dlg);
        // Removable columns in the order added: Start, Finish, Distance, Color.
        EXPECT_EQ(chooser.GetShown(), (std::vector<bool>{true, true, false, true}));
        chooser.SetShown(1, false);
        chooser.SetShown(2, true);
        return IDOK;
    });
    script.AddAction([](DlgBase& dlg) {
        dynamic_cast<FieldChooserDlg&>(dlg).SetShown(0, false);
        return IDCANCEL;
    });
    t.columns.ShowFieldChooser();
    EXPECT_FALSE(t.columns.IsColumnVisible(2));
    EXPECT_TRUE(t.columns.IsColumnVisible(5));
    t.columns.ShowFieldChooser();
    EXPECT_TRUE(t.columns.IsColumnVisible(1));
    ASSERT_EQ(script.GetShownTitles().size(), 2u);
    EXPECT_EQ(script.GetShownTitles()[0], Translator::GetInstance().LoadStr(IDS_FIELD_CHOOSER_TITLE));
}

TEST(ReportColumns, TitleTextIsReplacedNotPiledUp)
{
    TrackLikeList t(QStringLiteral("ColsTitle"));
    const ReportModel& model = t.list.GetModel();
    const int distance = model.FindColumn(5);
    const QString caption = Translator::GetInstance().LoadStr(IDS_TRACK_COL_DISTANCE);
    t.columns.AddTextToTitle(5, QStringLiteral(" (km)"));
    t.columns.OnTitlesUpdated();
    EXPECT_EQ(model.headerData(distance, Qt::Horizontal, Qt::DisplayRole).toString(), caption + QStringLiteral(" (km)"));
    t.columns.AddTextToTitle(5, QStringLiteral(" (mi)"));
    EXPECT_EQ(model.headerData(distance, Qt::Horizontal, Qt::DisplayRole).toString(), caption + QStringLiteral(" (mi)"));
}

TEST(ReportControl, AutosizeColumnsShareAWidthChange)
{
    TrackLikeList t(QStringLiteral("ColsAutosize"));
    // Name 320, Start 120, Finish 90 take part; Color (as wide as its title) does not.
    const int color = t.Width(3);
    t.list.FitAutosizeColumns(106);
    EXPECT_EQ(t.Width(0), 320 + 106 * 320 / 530);
    EXPECT_EQ(t.Width(1), 120 + 106 * 120 / 530);
    EXPECT_EQ(t.Width(3), color);
    t.list.FitAutosizeColumns(-2000);
    // Not below the titles, nor the minimum width.
    for (int columnId : {0, 1, 2})
        EXPECT_GT(t.Width(columnId), TitleAdvance(t, columnId));
}

TEST(ReportControl, FittingLeavesAColumnTheUserMadeNarrowerThanItsTitle)
{
    TrackLikeList t(QStringLiteral("ColsUserNarrow"));
    t.list.header()->resizeSection(t.list.GetModel().FindColumn(2), 24);
    t.list.FitAutosizeColumns(-300);
    EXPECT_EQ(t.Width(2), 24);
    t.list.FitAutosizeColumns(300);
    EXPECT_GT(t.Width(2), 24);
}

TEST(ReportControl, WidthsFittedToTheControlAreNotStoredAsTheUsers)
{
    const RegistryKey reg(QStringLiteral("Layout\\Dialogs\\ColsFitted"));
    {
        TrackLikeList t(QStringLiteral("ColsFitted"));
        const QByteArray before = reg.ReadBinary(QStringLiteral("ReportControl"));
        t.list.FitAutosizeColumns(-2000);
        QApplication::processEvents();
        EXPECT_EQ(reg.ReadBinary(QStringLiteral("ReportControl")), before);
    }
    // The next list starts with the widths the user had, not the squeezed ones.
    TrackLikeList next(QStringLiteral("ColsFitted"));
    EXPECT_EQ(next.Width(0), 320);
}

} // namespace
