#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

// The options that the program answers on the terminal instead of opening
// its window: "--help" (or "-h") and "--version", and a usage error for any
// other word that starts with "--". A lone "--" ends the options: what
// follows are file names, however they start.
class TerminalOptions
{
public:
    // When args (without the program's name) ask for help or the version:
    // the answer written to out, and the exit status 0.
    static std::optional<int> AnswerInfo(const QStringList& args, QTextStream& out);
    // When args hold an option the program does not know: the first one
    // named on err with a pointer to the help, and the exit status 2 of a
    // bad command line. Meant for the arguments that Qt left, once it has
    // taken its own ("--platform", "--style").
    static std::optional<int> RejectUnknown(const QStringList& args, QTextStream& err);
};
