#pragma once

#include "MainFrameImpl.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <vector>

// The Help menu and the start page's help links. Web pages are paths of the
// product's site, whose address is the setting "WebSite" of "Settings\Help";
// while it is empty the pages come from the local copies under "Doc/Web".
class HelpCommands
{
public:
    // Opens a link in the user's browser; true when that worked.
    using UrlOpener = std::function<bool(const QUrl& url)>;

    explicit HelpCommands(MainFrameImpl& hub);

    // Replaces how links are opened (tests, unattended runs); an empty
    // opener restores the desktop's.
    static void SetUrlOpener(UrlOpener opener);
    // The address of a site path such as "/links/help".
    static QUrl GetPageUrl(const QString& sitePath);

private:
    void Run(int id);
    void Open(const QUrl& url);

    std::vector<MainFrameImpl::Connection> m_connections;
};
