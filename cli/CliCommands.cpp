#include "CliCommands.h"

std::vector<CliCommand> GetCliCommands()
{
    return {
        {"info", "info FILE...           one JSON line per file: what it holds", RunInfoCommand},
        {"convert", "convert IN OUT.gpx     read any track file, save it as GPX", RunConvertCommand},
        {"coord", "coord LAT LON          a coordinate in every format the program shows", RunCoordCommand},
    };
}
