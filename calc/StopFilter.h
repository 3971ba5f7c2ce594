#pragma once

class OpenTracksModel;

// Finds where the receiver of the track of tid stood still (at least three
// fixes over ten seconds within 3 m, see StopFinder) and filters the jitter
// recorded there as "Too close", keeping per stop the fix nearest its median
// position; the first and last valid points always stay. Before that, four
// derived point sets are added to the open tracks as new one-segment files.
// In all of them a stop stands as one point: its median position and
// elevation at the time of the fix that stays.
//   "Shadow_M"       the stops, and each moving point replaced by the median
//                    of the moving points within 2 places of it (the ends of
//                    a moving part take a shorter window);
//   "Shadow_M_multi" the same within 3 places;
//   "Detailed"       the moving points as recorded, without the stops;
//   "Rare"           the outline: the first point, the stops, the last point.
// Returns the number of points filtered; nothing happens when the track has
// fewer than two valid points.
int RunStopFilter(OpenTracksModel& model, int tid);
