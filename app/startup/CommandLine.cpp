#include "CommandLine.h"

#include <QDir>
#include <QProcess>

namespace {

// Reads an optionally signed integer at pos the way atoi does: leading
// blanks skipped, digits until the first other character, 0 when none.
int ReadInt(const QString& text, qsizetype& pos)
{
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';
    long long value = 0;
    while (pos < text.size() && text[pos].isDigit() && value < 1000000000)
        value = value * 10 + text[pos++].digitValue();
    while (pos < text.size() && text[pos].isDigit())
        ++pos;
    return static_cast<int>(negative ? -value : value);
}

bool LooksLikeSize(const QString& text)
{
    return !text.isEmpty() && text[0].isDigit();
}

} // namespace

CommandLine CommandLine::Parse(const QStringList& args)
{
    CommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.isEmpty())
            continue;
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !arg.startsWith(QLatin1String("-s"))) {
            result.m_fileNames.append(arg);
            continue;
        }
        if (arg.size() == 2 && i + 1 < args.size() && LooksLikeSize(args[i + 1]))
            result.ReadSize(args[++i]);
        else
            result.ReadSize(arg.mid(2));
    }
    return result;
}

void CommandLine::ReadSize(const QString& text)
{
    qsizetype pos = 0;
    const int width = ReadInt(text, pos);
    if (pos >= text.size())
        return;
    ++pos; // the separator, whatever it is
    const int height = ReadInt(text, pos);
    if (height <= 0)
        return;
    m_width = width;
    m_height = height;
}

QStringList CommandLine::GetFileNamesFrom(const QString& folder) const
{
    QStringList absolute;
    const QDir base(folder);
    for (const QString& name : m_fileNames) {
        // Qt takes a name that starts with ':' for one of its resources, and
        // so for absolute; on the command line it is a file in the folder.
        const QString file = name.startsWith(QLatin1Char(':')) ? QStringLiteral("./") + name : name;
        absolute.append(QDir::cleanPath(base.absoluteFilePath(file)));
    }
    return absolute;
}

QString CommandLine::Join(const QStringList& args)
{
    QStringList quoted;
    for (QString arg : args) {
        // Quotes inside a quoted argument are doubled, as splitCommand reads them.
        arg.replace(QLatin1Char('"'), QLatin1String("\"\"\""));
        quoted.append(QLatin1Char('"') + arg + QLatin1Char('"'));
    }
    return quoted.join(QLatin1Char(' '));
}

QStringList CommandLine::Split(const QString& line)
{
    return QProcess::splitCommand(line);
}
