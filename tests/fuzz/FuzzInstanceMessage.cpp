#include "CommandLine.h"
#include "FuzzFail.h"
#include "InstanceMessage.h"


// The receiving side of the single-instance hand-over: what any process of
// the user may write to the socket is decoded, split into arguments and
// parsed as the window does. A command line that decodes must also survive
// the sender's joining: splitting the joined arguments gives them back.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray message = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString line;
    if (!InstanceMessage::Decode(message, line))
        return 0;
    const QStringList args = CommandLine::Split(line);
    if (CommandLine::Split(CommandLine::Join(args)) != args)
        FuzzFail("arguments change when joined and split again: %s", qPrintable(line));
    const CommandLine parsed = CommandLine::Parse(args);
    for (const QString& name : parsed.GetFileNamesFrom(QStringLiteral("/home/user/tracks"))) {
        if (!name.startsWith(QLatin1Char('/')))
            FuzzFail("a file name left relative: %s", qPrintable(name));
    }
    // A message re-encoded decodes to the same line.
    QString again;
    if (!InstanceMessage::Decode(InstanceMessage::Encode(line), again) || again != line)
        FuzzFail("a re-encoded message decodes to another line: %s", qPrintable(line));
    return 0;
}
