#include "CliCommands.h"

std::vector<CliCommand> GetCliCommands()
{
    return {
        {"info", "info FILE...           one JSON line per file: what it holds", RunInfoCommand},
        {"convert", "convert IN OUT.gpx     read any track file, save it as GPX", RunConvertCommand},
        {"coord", "coord LAT LON          a coordinate in every format the program shows", RunCoordCommand},
        {"filter",
         "filter IN [--min-dist M] [--max-speed KMH] [--min-speed KMH] [--max-accel-fwd A]\n"
         "                         [--max-accel-brake A] [--max-accel-radial A] [--spikes] [--local]\n"
         "                         [--delete] [-o OUT.gpx] [--report FILE]\n"
         "                         mark bad points; JSON report of the filtered points (stdout without --report)",
         RunFilterCommand},
        {"restructure",
         "restructure IN [--folder-gap MIN] [--segment-gap MIN] [--keep-breaks] -o OUT.gpx\n"
         "                         rebuild folders and segments from the time gaps",
         RunRestructureCommand},
        {"reverse", "reverse IN -o OUT.gpx  the tracks the other way round over the same period", RunReverseCommand},
        {"merge", "merge IN... -o OUT.gpx  all tracks of the files as one file, cut at time gaps", RunMergeCommand},
        {"shift", "shift IN --start ISO-TIME -o OUT.gpx\n"
                  "                         move all timestamps so that the track starts at ISO-TIME",
         RunShiftCommand},
        {"retime", "retime IN --speed KMH [--start ISO-TIME] -o OUT.gpx\n"
                   "                         regenerate timestamps at a constant speed (from ISO-TIME, or\n"
                   "                         keeping the first and last recorded ones)",
         RunRetimeCommand},
        {"densify", "densify IN [--time S] [--dist M] -o OUT.gpx\n"
                    "                         insert points so that no gap exceeds S seconds or M metres\n"
                    "                         (defaults 1 s and 10 m; 0 leaves a step out)",
         RunDensifyCommand},
    };
}
