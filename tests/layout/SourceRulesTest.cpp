#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

#include <gtest/gtest.h>

// Rules of the source layout that the compiler cannot see on its own: the
// include paths keep most of them, these checks catch what slips past them
// (a relative include, a Qt header reached through the common Qt folder).

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
