#include "TrkColorRecordItem.h"

#include "OpenTracks.h"
#include "RgbStruct.h"

TrkColorRecordItem::TrkColorRecordItem(int tid)
    : m_tid(tid)
{
}

bool TrkColorRecordItem::OnClick(QWidget* parent)
{
    if (!RecordItemColor::OnClick(parent))
        return false;
    OpenTracks::Get().holder.SetSegmentColour(m_tid, RgbStruct::FromColorref(GetColor()), true);
    return true;
}
