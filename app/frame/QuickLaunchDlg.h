#pragma once

#include "MainFrameImpl.h"
#include "OblOptions.h"

#include <QFrame>
#include <QStringList>

#include <boost/signals2/connection.hpp>

#include <vector>

class QVBoxLayout;

// The start page: links to the first steps, "Open..." and the recent
// tracks. It sits over the map pane, closes itself when the first track
// arrives (a tree change) and is shown or hidden with "Quick Launch".
class QuickLaunchDlg : public QFrame
{
public:
    QuickLaunchDlg(QWidget& host, MainFrameImpl& hub);

    // One link per file; picking one runs baseCommandId + its index.
    void SetRecentFiles(const QStringList& files, int baseCommandId);
    void ShowPage(bool show);
    bool IsPageShown() const { return !isHidden(); }

private:
    // Whether the page shows at start; the menu command changes it.
    struct Options : OblOptionsBase
    {
        Options();
        OblOptionBool show{true};
    };

    void Rebuild();
    void AddGroup(int titleId, const std::vector<std::pair<int, QString>>& links);

    MainFrameImpl& m_hub;
    Options m_options;
    QStringList m_recentFiles;
    int m_recentBaseId = 0;
    QVBoxLayout* m_layout;
    std::vector<MainFrameImpl::Connection> m_commands;
    boost::signals2::scoped_connection m_treeChanged;
};
