#include "TerminalOptions.h"

#include "StringIds.h"
#include "Translator.h"

#include <QTextStream>

namespace {

const QLatin1String kEndOfOptions("--");

// The arguments before a lone "--".
QStringList Options(const QStringList& args)
{
    const qsizetype end = args.indexOf(kEndOfOptions);
    return end < 0 ? args : args.first(end);
}

} // namespace

std::optional<int> TerminalOptions::AnswerInfo(const QStringList& args, QTextStream& out)
{
    const Translator& tr = Translator::GetInstance();
    for (const QString& arg : Options(args)) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            out << tr.LoadStr(IDS_CMDLINE_HELP) << '\n';
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            out << tr.Format(IDS_CMDLINE_VERSION, QStringLiteral(QUORVEL_VERSION)) << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<int> TerminalOptions::RejectUnknown(const QStringList& args, QTextStream& err)
{
    for (const QString& arg : Options(args)) {
        if (arg.startsWith(kEndOfOptions)) {
            err << Translator::GetInstance().Format(IDS_CMDLINE_UNKNOWN_OPTION, arg) << '\n';
            return 2;
        }
    }
    return std::nullopt;
}
