#include "TrkColorRecordItem.h"

#include "OpenTracks.h"
#include "RgbStruct.h"
#include "StringIds.h"
#include "UndoScope.h"

TrkColorRecordItem::TrkColorRecordItem(int tid)
    : m_tid(tid)
{
}

bool TrkColorRecordItem::OnClick(QWidget* parent)
{
    if (!RecordItemColor::OnClick(parent))
        return false;
    UndoScope step(OpenTracks::Get().model, IDS_UNDO_COLOUR);
    step.MarkDisplayOnly();
    OpenTracks::Get().holder.SetSegmentColour(m_tid, RgbStruct::FromColorref(GetColor()), true);
    return true;
}
