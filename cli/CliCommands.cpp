#include "CliCommands.h"

std::vector<CliCommand> GetCliCommands()
{
    return {
        {"coord", "coord LAT LON          a coordinate in every format the program shows", RunCoordCommand},
    };
}
