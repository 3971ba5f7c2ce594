#pragma once

#include "RecordItemColor.h"

// The colour cell of a track list row: the segment's colour, or nothing
// until one is known. A colour picked here becomes the colour of every
// segment beneath the row's node.
class TrkColorRecordItem : public RecordItemColor
{
public:
    explicit TrkColorRecordItem(int tid);

    bool OnClick(QWidget* parent) override;

private:
    int m_tid;
};
