#include "UndoableCommands.h"

#include "CommandIds.h"
#include "StringIds.h"

#include <algorithm>
#include <iterator>

namespace {

struct Entry
{
    int commandId;
    UndoableCommand command;
};

constexpr auto kStatuses = FileSnapshot::Depth::Statuses;
constexpr auto kPoints = FileSnapshot::Depth::Points;

// Filters only mark points, which is all their steps need to keep.
constexpr Entry kCommands[] = {
    {ID_FILTER_BY_VALUE, {IDS_UNDO_FILTER_VALUE, kStatuses}},
    {ID_FILTER_APPLY_LIMITS, {IDS_UNDO_FILTER_VALUE, kStatuses}},
    {ID_FILTER_SPIKES, {IDS_UNDO_FILTER_SPIKES, kStatuses}},
    {ID_FILTER_LOCAL, {IDS_UNDO_FILTER_LOCAL, kStatuses}},
    {ID_FILTER_STOPS, {IDS_UNDO_FILTER_STOPS, kStatuses}},
    {ID_FILTER_RESTORE, {IDS_UNDO_RESTORE_FILTERED, kStatuses}},
    {ID_FILTER_DELETE, {IDS_UNDO_DELETE_FILTERED, kPoints}},
    {ID_TIME_SHIFT, {IDS_UNDO_TIME_SHIFT, kPoints}},
    {ID_TIME_RESET, {IDS_UNDO_TIME_RESET, kPoints}},
    {ID_TRACK_RESTRUCTURE, {IDS_UNDO_RESTRUCTURE, kPoints}},
    {ID_TRACK_MERGE, {IDS_UNDO_MERGE, kPoints}},
    {ID_TRACK_ADD_BREAK, {IDS_UNDO_ADD_BREAK, kPoints}},
    {ID_TRACK_REMOVE_BREAK, {IDS_UNDO_REMOVE_BREAK, kPoints}},
    {ID_TRACK_REVERSE, {IDS_UNDO_REVERSE, kPoints}},
    {ID_TRACK_INCREASE_FREQUENCY, {IDS_UNDO_INCREASE_FREQUENCY, kPoints}},
    {ID_RANGE_NEW_SEGMENT, {IDS_UNDO_RANGE_NEW_SEGMENT, kPoints}},
    {ID_RANGE_CROP, {IDS_UNDO_RANGE_CROP, kPoints}},
    {ID_RANGE_DELETE, {IDS_UNDO_RANGE_DELETE, kPoints}},
    // One step for all the files the recipe cleaned.
    {ID_RECIPE_APPLY, {IDS_UNDO_APPLY_RECIPE, kPoints}},
};

} // namespace

std::optional<UndoableCommand> FindUndoableCommand(int commandId)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [commandId](const Entry& entry) { return entry.commandId == commandId; });
    if (it == std::end(kCommands))
        return std::nullopt;
    return it->command;
}
