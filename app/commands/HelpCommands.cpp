#include "HelpCommands.h"

#include "CommandIds.h"
#include "Dir.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "Translator.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace {

HelpCommands::UrlOpener& Opener()
{
    static HelpCommands::UrlOpener opener;
    return opener;
}

QString SitePath(int id)
{
    switch (id) {
    case ID_HELP_USER_GUIDE:
        return QStringLiteral("/links/help");
    case ID_HELP_SUPPORT:
        return QStringLiteral("/support");
    case ID_HELP_BASICS:
        return QStringLiteral("/links/basics");
    case ID_HELP_TOUR:
        return QStringLiteral("/links/tour");
    default:
        return {};
    }
}

bool IsMissingLocalFile(const QUrl& url)
{
    return url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
}

} // namespace

HelpCommands::HelpCommands(MainFrameImpl& hub)
{
    for (int id : {ID_HELP_USER_GUIDE, ID_HELP_SHORTCUTS, ID_HELP_SUPPORT, ID_HELP_ABOUT, ID_HELP_BASICS, ID_HELP_TOUR})
        m_connections.push_back(hub.SubscribeCommand(id, id, [this](int commandId) { Run(commandId); }));
}

void HelpCommands::SetUrlOpener(UrlOpener opener)
{
    Opener() = std::move(opener);
}

QUrl HelpCommands::GetPageUrl(const QString& sitePath)
{
    const QString site = RegistryKey(QStringLiteral("Settings\\Help")).ReadString(QStringLiteral("WebSite"));
    if (!site.isEmpty()) {
        QString base = site;
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        return QUrl(base + sitePath);
    }
    return QUrl::fromLocalFile(Dir::GetDataFilePath(QStringLiteral("Doc/Web") + sitePath + QStringLiteral(".html")));
}

void HelpCommands::Run(int id)
{
    if (id == ID_HELP_ABOUT) {
        Translator& tr = Translator::GetInstance();
        tr.MessageBoxW(tr.LoadStr(IDS_APP_TITLE_VERSION) + QStringLiteral("\n\nQt ") + QString::fromLatin1(qVersion()),
                       MB_ICONINFORMATION);
        return;
    }
    if (id == ID_HELP_SHORTCUTS)
        Open(QUrl::fromLocalFile(Dir::GetDataFilePath(QStringLiteral("Doc/Quorvel_Shortcuts.html"))));
    else
        Open(GetPageUrl(SitePath(id)));
}

void HelpCommands::Open(const QUrl& url)
{
    const UrlOpener& opener = Opener();
    const bool opened = !IsMissingLocalFile(url) && (opener ? opener(url) : QDesktopServices::openUrl(url));
    if (!opened)
        Translator::GetInstance().MessageBoxW(IDS_HELP_OPEN_FAILED, MB_ICONWARNING);
}
