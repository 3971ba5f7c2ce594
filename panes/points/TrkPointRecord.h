#pragma once

#include "PointFields.h"
#include "ReportVirtualRecordI.h"

#include <QIcon>
#include <QString>

#include <array>

class PtListNavI;
class TrackPointEx;
class TracksStateI;

// A column's id is the number of its point field; saved layouts store it.
namespace PtColumn = PointField;

// The one record of the point list: every visible cell is read from the
// navigator's segment when it is drawn, so a long track costs no memory.
class TrkPointRecord : public ReportVirtualRecordI
{
public:
    TrkPointRecord();

    // Null shows nothing.
    void SetNav(const PtListNavI* nav) { m_nav = nav; }
    // Where the point range comes from; without one no row is marked.
    void SetState(const TracksStateI* state) { m_state = state; }

    QVariant GetItemMetrics(int row, int columnId, int role) const override;
    int GetRowId(int row) const override;
    int GetIdRow(int id) const override;

    // The text of a cell as the list shows it, for the point of that index.
    QString GetText(int columnId, int index, const TrackPointEx& point) const;
    // Of the six: 0 and 1 an ordinary point filtered and valid, 2 and 3 a
    // segment's start and end when valid, 4 and 5 the same when filtered.
    static int GetIconIndex(int classCode, bool valid);

private:
    // The key a filter would give the row's point (FilterPreviewMarks); 0 for none.
    int PreviewReason(int row) const;

    const PtListNavI* m_nav = nullptr;
    const TracksStateI* m_state = nullptr;
    std::array<QIcon, 6> m_icons;
};
