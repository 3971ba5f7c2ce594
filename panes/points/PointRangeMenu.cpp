#include "PointRangeMenu.h"

#include "CommandIds.h"
#include "OpenTracks.h"

namespace PointRangeMenu {

void Append(CommandMenu::Commands& commands)
{
    const bool hasRange = !OpenTracks::Get().holder.GetState().GetPointRange().IsEmpty();
    for (const int id : {ID_RANGE_NEW_SEGMENT, ID_RANGE_CROP, ID_RANGE_DELETE, ID_RANGE_SAVE_AS})
        commands.emplace_back(id, hasRange);
}

bool IsRangeCommand(int id)
{
    return id >= ID_RANGE_FIRST && id <= ID_RANGE_LAST;
}

} // namespace PointRangeMenu
