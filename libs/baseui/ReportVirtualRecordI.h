#pragma once

#include <QVariant>

// The single record of a report control in virtual mode. The control asks it
// for each cell it draws, so a list of a million rows holds no row objects.
class ReportVirtualRecordI
{
public:
    virtual ~ReportVirtualRecordI() = default;
    // The data of one cell by item role (display text, colours, tooltip).
    virtual QVariant GetItemMetrics(int row, int columnId, int role) const = 0;
    // The id of a row and the row of an id (-1 when there is none); rows and
    // ids are the same unless the record maps them.
    virtual int GetRowId(int row) const { return row; }
    virtual int GetIdRow(int id) const { return id; }
};
