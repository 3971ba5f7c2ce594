#include "QuickLaunchDlg.h"

#include "CommandIds.h"
#include "GEventManagerImpl.h"
#include "StringIds.h"
#include "Translator.h"

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

QuickLaunchDlg::Options::Options()
    : OblOptionsBase(QStringLiteral("Settings\\QuickLaunch"))
{
    show.Init(GetOblOptionSectI(), QStringLiteral("Show"));
}

QuickLaunchDlg::QuickLaunchDlg(QWidget& host, MainFrameImpl& hub)
    : QFrame(&host)
    , m_hub(hub)
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("QuickLaunch"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    // Below the pane's title bar, clear of its edges.
    move(16, 40);
    Rebuild();

    m_commands.push_back(hub.SubscribeCommand(ID_VIEW_QUICK_LAUNCH, ID_VIEW_QUICK_LAUNCH, [this](int) {
        const bool show = !IsPageShown();
        m_options.show.Set(show);
        ShowPage(show);
    }));
    m_commands.push_back(hub.SubscribeCommandUI(ID_VIEW_QUICK_LAUNCH, ID_VIEW_QUICK_LAUNCH,
                                                [this](CommandUI& ui) { ui.SetCheck(IsPageShown()); }));
    // Opening the first track makes the page useless.
    m_treeChanged = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{GEventKind::TreeChanged},
        [this] {
            if (IsPageShown())
                ShowPage(false);
        },
        GEventGroup::Views);
    ShowPage(m_options.show.Get());
}

void QuickLaunchDlg::SetRecentFiles(const QStringList& files, int baseCommandId)
{
    m_recentFiles = files;
    m_recentBaseId = baseCommandId;
    Rebuild();
}

void QuickLaunchDlg::ShowPage(bool show)
{
    setVisible(show);
    if (show)
        raise();
}

void QuickLaunchDlg::Rebuild()
{
    while (QLayoutItem* item = m_layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const Translator& tr = Translator::GetInstance();
    AddGroup(
        IDS_QUICK_LAUNCH_GETTING_STARTED,
        {{ID_HELP_BASICS, tr.LoadStr(IDS_QUICK_LAUNCH_BASICS)}, {ID_HELP_TOUR, tr.LoadStr(IDS_QUICK_LAUNCH_TOUR)}});
    std::vector<std::pair<int, QString>> tracks{{ID_FILE_OPEN, tr.LoadStr(IDS_QUICK_LAUNCH_OPEN)}};
    for (int i = 0; i < m_recentFiles.size(); ++i)
        tracks.emplace_back(m_recentBaseId + i, QFileInfo(m_recentFiles[i]).fileName());
    AddGroup(IDS_QUICK_LAUNCH_TRACKS, tracks);
}

void QuickLaunchDlg::AddGroup(int titleId, const std::vector<std::pair<int, QString>>& links)
{
    auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(Translator::GetInstance().LoadStr(titleId).toHtmlEscaped()), this);
    m_layout->addWidget(title);
    for (const auto& [commandId, text] : links) {
        auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(commandId).arg(text.toHtmlEscaped()), this);
        link->setObjectName(QStringLiteral("Link%1").arg(commandId));
        link->setIndent(12);
        connect(link, &QLabel::linkActivated, this, [this](const QString& href) { m_hub.OnCommand(href.toInt()); });
        m_layout->addWidget(link);
    }
}
