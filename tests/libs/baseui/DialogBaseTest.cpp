#include "DialogScript.h"
#include "MessageBoxStyle.h"
#include "OblDlgBase.h"
#include "PaneDlgBase.h"
#include "RegistryKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QDockWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A dialog that refuses OK while its field is empty, like a real form.
class NameDlg : public DlgBase
{
public:
    NameDlg()
        : edit(new QLineEdit(this))
    {
        setWindowTitle(QStringLiteral("Name"));
        new QVBoxLayout(this);
        layout()->addWidget(edit);
    }

    void accept() override
    {
        if (edit->text().isEmpty())
            return;
        accepted = edit->text();
        DlgBase::accept();
    }

    QLineEdit* edit;
    QString accepted;
    int initCount = 0;
    bool initResult = true;

protected:
    bool OnInitDialog() override
    {
        ++initCount;
        edit->setText(QStringLiteral("start"));
        return initResult;
    }
};

TEST(DlgBase, ScriptedOkRunsTheDialogsOwnAcceptAfterInit)
{
    DialogScript script;
    script.AddAction([](DlgBase& dlg) {
        auto& d = dynamic_cast<NameDlg&>(dlg);
        EXPECT_EQ(d.edit->text(), QStringLiteral("start")); // OnInitDialog ran first
        d.edit->setText(QStringLiteral("Morning ride"));
        return IDOK;
    });
    NameDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.accepted, QStringLiteral("Morning ride"));
    EXPECT_EQ(dlg.initCount, 1);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(script.GetShownTitles().size(), 1u);
    EXPECT_EQ(script.GetShownTitles()[0], QStringLiteral("Name"));
}

TEST(DlgBase, OkRefusedByTheDialogDoesNotCountAsOk)
{
    DialogScript script;
    script.AddAction([](DlgBase& dlg) {
        dynamic_cast<NameDlg&>(dlg).edit->clear();
        return IDOK;
    });
    NameDlg dlg;
    EXPECT_NE(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.accepted.isEmpty());
}

TEST(DlgBase, CancelOwnCodesAndAnEmptyQueue)
{
    DialogScript script;
    script.AddAnswer(IDCANCEL);
    script.AddAnswer(IDNO);
    NameDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDNO);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL); // nothing left to answer with
    EXPECT_EQ(script.GetShownTitles().size(), 3u);
    EXPECT_EQ(script.GetPendingCount(), 0u);
}

TEST(DlgBase, FailedInitEndsWithoutShowing)
{
    DialogScript script;
    script.AddAnswer(IDOK);
    NameDlg dlg;
    dlg.initResult = false;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.GetShownTitles().empty());
    EXPECT_EQ(script.GetPendingCount(), 1u);
}

TEST(DlgBase, ScriptsNestAndRestoreThePreviousOne)
{
    DialogScript outer;
    outer.AddAnswer(IDNO);
    {
        DialogScript inner;
        inner.AddAnswer(IDYES);
        NameDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDYES);
    }
    NameDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDNO);
}

class LayoutDlg : public OblDlgBase
{
public:
    LayoutDlg(QString key, int version)
        : OblDlgBase(900)
        , m_key(std::move(key))
        , m_version(version)
    {
        resize(200, 150);
    }

protected:
    QString GetLayoutKey() const override { return m_key; }
    int GetDlgVersion() const override { return m_version; }

private:
    QString m_key;
    int m_version;
};

QSize ShowResizeAndClose(const QString& key, int version, QSize size)
{
    LayoutDlg dlg(key, version);
    dlg.show();
    dlg.resize(size);
    QApplication::processEvents();
    const QSize shown = dlg.size();
    dlg.hide();
    return shown;
}

TEST(OblDlgBase, SizePersistsUnderItsLayoutKey)
{
    const QSize size = ShowResizeAndClose(QStringLiteral("PersistTest"), 2, QSize(333, 222));
    ASSERT_EQ(size, QSize(333, 222));
    EXPECT_TRUE(RegistryKey(QStringLiteral("Layout\\Dialogs\\PersistTest")).HasValue(QStringLiteral("Rect")));

    LayoutDlg again(QStringLiteral("PersistTest"), 2);
    EXPECT_TRUE(again.LoadLayout());
    EXPECT_EQ(again.size(), size);

    LayoutDlg other(QStringLiteral("PersistOther"), 2);
    EXPECT_FALSE(other.LoadLayout());
    EXPECT_EQ(other.size(), QSize(200, 150));
}

TEST(OblDlgBase, ANewVersionDropsTheStoredLayout)
{
    ShowResizeAndClose(QStringLiteral("VersionTest"), 1, QSize(301, 201));
    LayoutDlg newer(QStringLiteral("VersionTest"), 2);
    EXPECT_FALSE(newer.LoadLayout());
    EXPECT_EQ(newer.size(), QSize(200, 150));
    // Dropped, not merely ignored: even the old version finds nothing now.
    LayoutDlg older(QStringLiteral("VersionTest"), 1);
    EXPECT_FALSE(older.LoadLayout());
}

TEST(OblDlgBase, ModalDialogAppliesTheLayoutBeforeItIsAnswered)
{
    ShowResizeAndClose(QStringLiteral("ModalTest"), 1, QSize(310, 210));
    DialogScript script;
    QSize seen;
    script.AddAction([&](DlgBase& dlg) {
        seen = dlg.size();
        return IDCANCEL;
    });
    LayoutDlg dlg(QStringLiteral("ModalTest"), 1);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, QSize(310, 210));
}

TEST(OblDlgBase, WithoutAKeyNothingIsStored)
{
    RegistryKey root(QStringLiteral("Layout\\Dialogs"));
    const QStringList before = root.GetValueNames();
    ShowResizeAndClose(QString(), 1, QSize(250, 180));
    LayoutDlg dlg(QString(), 1);
    EXPECT_FALSE(dlg.LoadLayout());
    EXPECT_EQ(RegistryKey(QStringLiteral("Layout\\Dialogs")).GetValueNames(), before);
}

class CountingPane : public PaneDlgBase
{
public:
    CountingPane()
        : PaneDlgBase(130)
    {
    }
    int inits = 0;

protected:
    bool OnInitDialog() override
    {
        ++inits;
        return true;
    }
};

TEST(PaneDlgBase, EnterAndEscapeDoNotCloseThePaneOrReachTheFrame)
{
    QMainWindow frame;
    auto* dock = new QDockWidget(QStringLiteral("Pane"), &frame);
    auto* pane = new CountingPane;
    ASSERT_TRUE(pane->DoCreate(dock));
    EXPECT_EQ(pane->inits, 1);
    EXPECT_EQ(pane->parentWidget(), dock);
    dock->setWidget(pane);
    frame.addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->setFloating(true);
    frame.show();
    QApplication::processEvents();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(pane, &press);
        EXPECT_TRUE(press.isAccepted()) << key;
    }
    QApplication::processEvents();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(dock->isVisible());
    EXPECT_EQ(pane->GetWnd(), pane);
}

} // namespace
