#pragma once

class PropertyGrid;
struct TrackStatistics;

// The Statistics group of the track property sheet: its rows, and their
// texts in the user's units. A figure the tracks cannot give leaves its row
// empty.
namespace TrkStatisticsRows {

void Add(PropertyGrid& grid);
void Fill(PropertyGrid& grid, const TrackStatistics& stats);

} // namespace TrkStatisticsRows
