#include "CommandIds.h"
#include "StringIds.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

// Rules of the source layout that the compiler cannot see on its own: the
// include paths keep most of them, these checks catch what slips past them
// (a relative include, a Qt header reached through the common Qt folder, a
// command or string id written as its number).

namespace {

const QString kSourceDir = QStringLiteral(QUORVEL_SOURCE_DIR);

struct SourceFile
{
    QString path; // relative to the source folder
    QStringList includes;
};

std::vector<SourceFile> SourcesUnder(const QString& folder)
{
    std::vector<SourceFile> files;
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])"));
    QDirIterator it(QDir(kSourceDir).filePath(folder), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        SourceFile source{QDir(kSourceDir).relativeFilePath(file.fileName()), {}};
        QTextStream in(&file);
        while (!in.atEnd()) {
            const QRegularExpressionMatch match = include.match(in.readLine());
            if (match.hasMatch())
                source.includes << QFileInfo(match.captured(1)).fileName();
        }
        files.push_back(std::move(source));
    }
    EXPECT_FALSE(files.empty()) << "no sources under " << folder.toStdString();
    return files;
}

QStringList LinesOf(const QString& path)
{
    QFile file(QDir(kSourceDir).filePath(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd())
        lines << in.readLine();
    return lines;
}

// The tables that name command and string ids. The view's mouse modes are
// commands too, named beside the view as it does not see CommandIds.h.
const QStringList kIdTables = {QStringLiteral("libs/baseui/CommandIds.h"), QStringLiteral("libs/commonui/StringIds.h"),
                               QStringLiteral("view/MouseTypes.h")};

// Every five-digit id that a table names, with its names (a command id may
// double as the id of a text).
std::map<int, QStringList> NamedIds()
{
    static const QRegularExpression enumerator(QStringLiteral(R"(^\s*(\w+)\s*=\s*(\d{5})\b)"));
    std::map<int, QStringList> ids;
    for (const QString& table : kIdTables) {
        for (const QString& line : LinesOf(table)) {
            const QRegularExpressionMatch match = enumerator.match(line);
            if (match.hasMatch())
                ids[match.captured(2).toInt()] << match.captured(1);
        }
    }
    return ids;
}

// The five-digit numbers of a line that are named ids; not digits of a longer
// number, a hex number, a fraction or a word.
std::vector<int> NamedIdsIn(const QString& line, const std::map<int, QStringList>& ids)
{
    static const QRegularExpression number(QStringLiteral(R"((?<![\w.'])\d{5}(?![\w']|\.\d))"));
    std::vector<int> found;
    for (QRegularExpressionMatchIterator it = number.globalMatch(line); it.hasNext();) {
        const int value = it.next().captured(0).toInt();
        if (ids.count(value))
            found.push_back(value);
    }
    return found;
}

QSet<QString> HeaderNamesUnder(const QString& folder)
{
    QSet<QString> names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.insert(QFileInfo(it.next()).fileName());
    return names;
}

} // namespace

TEST(SourceRules, PanesIncludeNoHeaderOfTheApplication)
{
    const QSet<QString> appHeaders = HeaderNamesUnder(QDir(kSourceDir).filePath(QStringLiteral("app")));
    ASSERT_TRUE(appHeaders.contains(QStringLiteral("MainFrame.h")));
    for (const SourceFile& file : SourcesUnder(QStringLiteral("panes"))) {
        for (const QString& header : file.includes)
            EXPECT_FALSE(appHeaders.contains(header)) << file.path.toStdString() << " includes " << header.toStdString();
    }
}

TEST(SourceRules, NoWidgetHeaderBelowThePanes)
{
    // Every class header of Qt's widget module, such as QWidget or QMenu.
    const QSet<QString> widgetHeaders = HeaderNamesUnder(QStringLiteral(QUORVEL_QT_WIDGETS_INCLUDE_DIR));
    ASSERT_TRUE(widgetHeaders.contains(QStringLiteral("QWidget")));
    const QStringList below = {QStringLiteral("libs/core"),      QStringLiteral("libs/math"),
                               QStringLiteral("libs/xml"),       QStringLiteral("libs/download"),
                               QStringLiteral("libs/commonui"),  QStringLiteral("libs/trackbase"),
                               QStringLiteral("libs/trackio"),   QStringLiteral("libs/trackrep"),
                               QStringLiteral("model"),          QStringLiteral("calc"),
                               QStringLiteral("view"),           QStringLiteral("export"),
                               QStringLiteral("cli")};
    for (const QString& folder : below) {
        for (const SourceFile& file : SourcesUnder(folder)) {
            for (const QString& header : file.includes)
                EXPECT_FALSE(widgetHeaders.contains(header))
                    << file.path.toStdString() << " includes the widget header " << header.toStdString();
        }
    }
}

TEST(SourceRules, TheIdTablesAreReadWithTheirValues)
{
    const std::map<int, QStringList> ids = NamedIds();
    ASSERT_TRUE(ids.count(ID_FILE_SAVE_AS));
    EXPECT_EQ(ids.at(ID_FILE_SAVE_AS), QStringList{QStringLiteral("ID_FILE_SAVE_AS")});
    ASSERT_TRUE(ids.count(PANE_TRACKS));
    EXPECT_EQ(ids.at(PANE_TRACKS), QStringList{QStringLiteral("PANE_TRACKS")});
    ASSERT_TRUE(ids.count(IDS_EXPORT_SINGLE_FILE_ONLY));
    EXPECT_EQ(ids.at(IDS_EXPORT_SINGLE_FILE_ONLY), QStringList{QStringLiteral("IDS_EXPORT_SINGLE_FILE_ONLY")});
    ASSERT_TRUE(ids.count(IDS_NO_ITEMS));
    EXPECT_EQ(ids.at(IDS_NO_ITEMS),
              (QStringList{QStringLiteral("ID_SESSION_MRU_FIRST"), QStringLiteral("IDS_NO_ITEMS")}));
    const auto mouse = std::find_if(ids.begin(), ids.end(),
                                    [](const auto& id) { return id.second.contains(QStringLiteral("MouseModeDrag")); });
    EXPECT_NE(mouse, ids.end());

    EXPECT_EQ(NamedIdsIn(QStringLiteral("tr.LoadStr(62730); // or 32802"), ids),
              (std::vector<int>{IDS_EXPORT_SINGLE_FILE_ONLY, ID_FILE_SAVE_AS}));
    EXPECT_TRUE(NamedIdsIn(QStringLiteral("0x32802, 132802, 1.62730, 32802.5e3, 32'802, id32802"), ids).empty());
}

TEST(SourceRules, CommandAndStringIdsAreUsedByName)
{
    const std::map<int, QStringList> ids = NamedIds();
    ASSERT_FALSE(ids.empty());
    QSet<QString> skipped(kIdTables.begin(), kIdTables.end());
    skipped << QStringLiteral("libs/commonui/StringTable.cpp");
    const QStringList folders = {QStringLiteral("libs"), QStringLiteral("model"),  QStringLiteral("calc"),
                                 QStringLiteral("view"), QStringLiteral("export"), QStringLiteral("panes"),
                                 QStringLiteral("app"),  QStringLiteral("cli")};
    for (const QString& folder : folders) {
        for (const SourceFile& file : SourcesUnder(folder)) {
            if (skipped.contains(file.path))
                continue;
            const QStringList lines = LinesOf(file.path);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                for (int id : NamedIdsIn(lines[i], ids))
                    ADD_FAILURE() << file.path.toStdString() << ":" << i + 1 << ": " << id << " is "
                                  << ids.at(id).join(QStringLiteral(" or ")).toStdString() << "; use the name";
            }
        }
    }
}
