#include "CliCommands.h"

#include <QTextStream>

#include <algorithm>

namespace {

// Most commands write one GPX file.
const CliOption kOutput{"-o", "OUT.gpx", true};

// What the list of commands prints before each usage.
const QLatin1String kListLead("  quorvel-track ");
// The list's lines stay within this many characters.
constexpr qsizetype kWidth = 100;
// Where a summary stands when it fits beside its synopsis.
constexpr qsizetype kSummaryColumn = 23;
// Where the continued lines of a usage start.
constexpr qsizetype kIndent = 25;

QString OptionText(const CliOption& option)
{
    QString text = QLatin1String(option.name);
    if (!option.IsFlag())
        text += QLatin1Char(' ') + QLatin1String(option.valueName);
    return option.required ? text : QLatin1Char('[') + text + QLatin1Char(']');
}

bool IsHelp(const QString& arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// A short synopsis keeps its summary beside it, two spaces off at least.
QString BesideSynopsis(const QString& synopsis, const QString& summary)
{
    return synopsis + QString(std::max<qsizetype>(2, kSummaryColumn - synopsis.size()), QLatin1Char(' ')) + summary;
}

bool IsVersion(const QString& arg)
{
    return arg == QLatin1String("--version");
}

// Help that was asked for goes to stdout; the list shown for a bad command
// line goes to stderr with it, so that a pipe sees no usage as output.
int ListCommands(int status)
{
    QTextStream out(status == 0 ? stdout : stderr);
    out << "usage: quorvel-track COMMAND [ARGS...]\n";
    for (const CliCommand& command : GetCliCommands())
        out << kListLead << GetCliUsage(command) << '\n';
    out << kListLead << BesideSynopsis(QStringLiteral("COMMAND --help"), QStringLiteral("the usage of one command")) << '\n';
    out << kListLead << BesideSynopsis(QStringLiteral("--version"), QStringLiteral("the program's version")) << '\n';
    return status;
}

} // namespace

const std::vector<CliCommand>& GetCliCommands()
{
    static const std::vector<CliCommand> commands = {
        {"info", "FILE...", {}, "one JSON line per file: what it holds", RunInfoCommand},
        {"stats",
         "FILE...",
         {{"--moving-speed", "KMH"}, {"--hysteresis", "M"}},
         "one JSON line per segment: file, segment (from 0), points, filtered,\n"
         "distance_m, duration_s, moving_time_s, avg_speed_kmh,\n"
         "avg_moving_speed_kmh, max_speed_kmh, ascent_m, descent_m, min_ele_m,\n"
         "max_ele_m, avg_hr, max_hr, avg_cadence, max_cadence (null where the\n"
         "points have no such value); filtered points count in none but\n"
         "filtered; legs faster than KMH (default 2) are moving; climbs under\n"
         "M metres (default 2) are noise",
         RunStatsCommand},
        {"convert",
         "IN OUT",
         {},
         "read any track file (GPX, TCX, KML, KMZ, GeoJSON, NMEA,\n"
         "OziExplorer, Magellan SD, FIT, IGC: told by their content), save it\n"
         "as OUT's extension says: .kml, .tcx, .geojson or .json, else GPX",
         RunConvertCommand},
        {"coord", "LAT LON", {}, "a coordinate in every format the program shows", RunCoordCommand},
        {"filter",
         "IN",
         {{"--min-dist", "M"},
          {"--max-speed", "KMH"},
          {"--min-speed", "KMH"},
          {"--max-accel-fwd", "A"},
          {"--max-accel-brake", "A"},
          {"--max-accel-radial", "A"},
          {"--spikes"},
          {"--local"},
          {"--delete"},
          {"-o", "OUT.gpx"},
          {"--report", "FILE"}},
         "mark bad points; JSON report of the filtered points (stdout without --report)",
         RunFilterCommand},
        {"restructure",
         "IN",
         {{"--folder-gap", "MIN"}, {"--segment-gap", "MIN"}, {"--keep-breaks"}, kOutput},
         "rebuild folders and segments from the time gaps",
         RunRestructureCommand},
        {"reverse", "IN", {kOutput}, "the tracks the other way round over the same period", RunReverseCommand},
        {"merge", "IN...", {kOutput}, "all tracks of the files as one file, cut at time gaps", RunMergeCommand},
        {"shift",
         "IN",
         {{"--start", "ISO-TIME", true}, kOutput},
         "move all timestamps so that the track starts at ISO-TIME",
         RunShiftCommand},
        {"retime",
         "IN",
         {{"--speed", "KMH", true}, {"--start", "ISO-TIME"}, kOutput},
         "regenerate timestamps at a constant speed (from ISO-TIME, or\n"
         "keeping the first and last recorded ones)",
         RunRetimeCommand},
        {"densify",
         "IN",
         {{"--time", "S"}, {"--dist", "M"}, kOutput},
         "insert points so that no gap exceeds S seconds or M metres\n"
         "(defaults 1 s and 10 m; 0 leaves a step out)",
         RunDensifyCommand},
        {"clean",
         "IN...",
         {{"--recipe", "RECIPE", true},
          {"-o", "OUTDIR"},
          {"--in-place"},
          {"--report", "FILE"},
          {"--quiet"},
          {"--jobs", "N"}},
         "run the steps of a cleaning recipe (a JSON file, or a preset: walk,\n"
         "run, bike, car, boat, flight) on every file and folder, side by\n"
         "side on N threads (default: all cores); write each result as GPX\n"
         "into OUTDIR, or over its file with a backup NAME.bak beside it;\n"
         "print what changed, before and after, unless --quiet; --report\n"
         "writes it as JSON",
         RunCleanCommand},
    };
    return commands;
}

const CliCommand* FindCliCommand(const QString& name)
{
    const std::vector<CliCommand>& commands = GetCliCommands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&name](const CliCommand& command) { return name == QLatin1String(command.name); });
    return found == commands.end() ? nullptr : &*found;
}

QString GetCliUsage(const CliCommand& command)
{
    const QString indent(kIndent, QLatin1Char(' '));
    QString usage = QLatin1String(command.name) + QLatin1Char(' ') + QLatin1String(command.operands);
    // As printed in the list, the first line follows the lead.
    qsizetype lineLength = kListLead.size() + usage.size();
    for (const CliOption& option : command.options) {
        const QString word = OptionText(option);
        if (lineLength + 1 + word.size() > kWidth) {
            usage += QLatin1Char('\n') + indent + word;
            lineLength = indent.size() + word.size();
        } else {
            usage += QLatin1Char(' ') + word;
            lineLength += 1 + word.size();
        }
    }
    const QString summary = QString::fromUtf8(command.summary).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
    if (!usage.contains(QLatin1Char('\n')) && usage.size() < kSummaryColumn)
        return BesideSynopsis(usage, summary);
    return usage + QLatin1Char('\n') + indent + summary;
}

int RunCliCommand(const QString& name, const QStringList& args)
{
    const CliCommand* command = FindCliCommand(name);
    if (!command) {
        QTextStream(stderr) << "quorvel-track: unknown command '" << name << "'\n";
        return ListCommands(2);
    }
    if (!args.isEmpty() && IsHelp(args.front())) {
        QTextStream(stdout) << "usage: quorvel-track " << GetCliUsage(*command) << '\n';
        return 0;
    }
    return command->run(*command, args);
}

int RunCli(const QStringList& args)
{
    if (args.isEmpty() || IsHelp(args.front()))
        return ListCommands(args.isEmpty() ? 2 : 0);
    if (IsVersion(args.front())) {
        QTextStream(stdout) << "quorvel-track " << QUORVEL_VERSION << '\n';
        return 0;
    }
    return RunCliCommand(args.front(), args.mid(1));
}
