#include "CommandIds.h"
#include "Dir.h"
#include "HelpCommands.h"
#include "MessageBoxScript.h"
#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class HelpCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dataDir = MakeTempDir();
        Dir::SetDataDir(m_dataDir);
        RegistryKey(QStringLiteral("Settings\\Help")).ClearSection();
        HelpCommands::SetUrlOpener([this](const QUrl& url) {
            m_opened.append(url);
            return true;
        });
    }

    void TearDown() override
    {
        HelpCommands::SetUrlOpener({});
        Dir::SetDataDir({});
    }

    void CreateDataFile(const QString& relative)
    {
        const QString path = QDir(m_dataDir).filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteTestFile(path, "<html></html>");
    }

    QString m_dataDir;
    QList<QUrl> m_opened;
    MainFrameImpl m_hub;
    HelpCommands m_help{m_hub};
};

} // namespace

TEST_F(HelpCommandsTest, ShortcutsOpenTheLocalPage)
{
    CreateDataFile(QStringLiteral("Doc/Quorvel_Shortcuts.html"));
    MessageBoxScript boxes;
    EXPECT_TRUE(m_hub.OnCommand(ID_HELP_SHORTCUTS));
    ASSERT_EQ(m_opened.size(), 1);
    EXPECT_EQ(m_opened[0].toLocalFile(), QDir(m_dataDir).filePath(QStringLiteral("Doc/Quorvel_Shortcuts.html")));
    EXPECT_TRUE(boxes.GetShown().empty());
}

TEST_F(HelpCommandsTest, MissingShortcutsFileShowsTheHelpMessage)
{
    MessageBoxScript boxes;
    m_hub.OnCommand(ID_HELP_SHORTCUTS);
    EXPECT_TRUE(m_opened.isEmpty());
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown()[0].text, QStringLiteral("Unable to open Help."));
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONWARNING);
}

TEST_F(HelpCommandsTest, OpenerFailureAlsoShowsTheHelpMessage)
{
    CreateDataFile(QStringLiteral("Doc/Quorvel_Shortcuts.html"));
    HelpCommands::SetUrlOpener([](const QUrl&) { return false; });
    MessageBoxScript boxes;
    m_hub.OnCommand(ID_HELP_SHORTCUTS);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown()[0].text, QStringLiteral("Unable to open Help."));
}

TEST_F(HelpCommandsTest, WithoutASiteThePagesAreLocal)
{
    const std::pair<int, QString> pages[] = {
        {ID_HELP_USER_GUIDE, QStringLiteral("Doc/Web/links/help.html")},
        {ID_HELP_SUPPORT, QStringLiteral("Doc/Web/support.html")},
        {ID_HELP_BASICS, QStringLiteral("Doc/Web/links/basics.html")},
        {ID_HELP_TOUR, QStringLiteral("Doc/Web/links/tour.html")},
    };
    for (const auto& [id, page] : pages)
        CreateDataFile(page);
    for (const auto& [id, page] : pages)
        m_hub.OnCommand(id);
    ASSERT_EQ(m_opened.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m_opened[i].toLocalFile(), QDir(m_dataDir).filePath(pages[i].second));
}

TEST_F(HelpCommandsTest, WithASiteThePathsGoToIt)
{
    RegistryKey(QStringLiteral("Settings\\Help")).WriteString(QStringLiteral("WebSite"), QStringLiteral("https://example.org/"));
    m_hub.OnCommand(ID_HELP_SUPPORT);
    m_hub.OnCommand(ID_HELP_TOUR);
    ASSERT_EQ(m_opened.size(), 2);
    EXPECT_EQ(m_opened[0], QUrl(QStringLiteral("https://example.org/support")));
    EXPECT_EQ(m_opened[1], QUrl(QStringLiteral("https://example.org/links/tour")));
}

TEST_F(HelpCommandsTest, ShippedDataHasEveryHelpPage)
{
    // No help link of the program may be dead.
    Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
    for (int id : {ID_HELP_SHORTCUTS, ID_HELP_USER_GUIDE, ID_HELP_SUPPORT, ID_HELP_BASICS, ID_HELP_TOUR}) {
        MessageBoxScript boxes;
        m_hub.OnCommand(id);
        EXPECT_TRUE(boxes.GetShown().empty()) << id;
    }
    EXPECT_EQ(m_opened.size(), 5);
    for (const QUrl& url : m_opened)
        EXPECT_TRUE(QFileInfo::exists(url.toLocalFile())) << qPrintable(url.toString());
}

TEST_F(HelpCommandsTest, AboutShowsTheVersion)
{
    MessageBoxScript boxes;
    m_hub.OnCommand(ID_HELP_ABOUT);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown()[0].text.startsWith(QStringLiteral("Quorvel v1.15.141")));
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONINFORMATION);
}

TEST_F(HelpCommandsTest, UpdateCheckIsNotAHelpPage)
{
    EXPECT_FALSE(m_hub.HasCommand(ID_HELP_CHECK_UPDATES));
}
