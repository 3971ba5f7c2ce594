#include "PointRangeUI.h"

#include "CommandIds.h"
#include "CommandUI.h"
#include "GEventManagerImpl.h"
#include "MainFrame.h"
#include "OpenTracks.h"
#include "PointRangeEdits.h"
#include "StringIds.h"
#include "TracksFileUI.h"
#include "Translator.h"

namespace {

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

PointRangeEdits Edits()
{
    return PointRangeEdits(Tracks().model, Tracks().holder, GEventManagerImpl::GetInstance());
}

} // namespace

PointRangeUI::PointRangeUI(MainFrame& frame, TracksFileUI& files)
    : QObject(&frame)
    , m_files(files)
{
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_RANGE_FIRST, ID_RANGE_LAST, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_RANGE_FIRST, ID_RANGE_LAST, [this](CommandUI& ui) { OnCommandUI(ui); });
}

void PointRangeUI::OnCommand(int id)
{
    const PointRange range = Tracks().holder.GetState().GetPointRange();
    if (range.IsEmpty())
        return;
    switch (id) {
    case ID_RANGE_NEW_SEGMENT:
        Edits().NewSegment(range, Translator::GetInstance().LoadStr(IDS_SELECTION_SEGMENT_NAME));
        break;
    case ID_RANGE_CROP:
        Edits().Crop(range);
        break;
    case ID_RANGE_DELETE:
        Edits().Remove(range);
        break;
    case ID_RANGE_SAVE_AS:
        SaveRange();
        break;
    default:
        break;
    }
}

void PointRangeUI::OnCommandUI(CommandUI& ui)
{
    ui.Enable(ui.GetId() <= ID_RANGE_SAVE_AS && !Tracks().holder.GetState().GetPointRange().IsEmpty());
}

void PointRangeUI::SaveRange()
{
    const PointRange range = Tracks().holder.GetState().GetPointRange();
    m_files.SaveNewFile(Edits().GetDefaultName(range),
                        [&range](const QString& name) { return Edits().AddAsFile(range, name); });
}
