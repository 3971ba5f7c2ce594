#pragma once

#include "ReportRecord.h"

class ReportRecordItemText;
class TrkColorRecordItem;
struct TrkNameActions;

// The column ids of the track list; the layout store keeps them, so they
// must not change.
namespace TrkColumn {
inline constexpr int Name = 0;
inline constexpr int Start = 1;
inline constexpr int Finish = 2;
inline constexpr int Color = 3;
inline constexpr int Duration = 4;
inline constexpr int Distance = 5;
inline constexpr int Points = 6;
} // namespace TrkColumn

// One row of the track list: a file, folder or segment of the open tracks,
// with its figures as texts. The texts are kept until Refresh, since
// summing a file's segments on every repaint would be wasted work.
class TrkRecord : public ReportRecord
{
public:
    TrkRecord(int tid, const TrkNameActions& actions);

    // Reads the node's figures and colour again.
    void Refresh();

private:
    ReportRecordItemText* m_start;
    ReportRecordItemText* m_finish;
    ReportRecordItemText* m_duration;
    ReportRecordItemText* m_distance;
    ReportRecordItemText* m_points;
    TrkColorRecordItem* m_color;
};
