#include "ToolbarIcons.h"

#include "CommandIds.h"
#include "MouseTypes.h"

namespace {

struct CommandIcon
{
    int commandId;
    const char* themeName;
    const char* ownFile;
};

constexpr CommandIcon kIcons[] = {
    {MouseModeDrag, "transform-move", "drag-map.svg"},
    {MouseModeEdit, "draw-polyline", "edit-points.svg"},
    {ID_VIEW_MAP, "map-flat", "map.svg"},
    {ID_VIEW_FILTERED_POINTS, "view-filter", "filtered-points.svg"},
    {ID_VIEW_ARROWS, "draw-arrow-forward", "arrows.svg"},
    {ID_VIEW_MAP_CENTER, "crosshairs", "map-center.svg"},
    {ID_VIEW_SCALE, "measure", "scale.svg"},
};

const CommandIcon* Find(int commandId)
{
    for (const CommandIcon& icon : kIcons)
        if (icon.commandId == commandId)
            return &icon;
    return nullptr;
}

} // namespace

QIcon ToolbarIcons::ForCommand(int commandId)
{
    const CommandIcon* icon = Find(commandId);
    if (!icon)
        return {};
    return QIcon::fromTheme(QString::fromLatin1(icon->themeName), OwnForCommand(commandId));
}

QIcon ToolbarIcons::OwnForCommand(int commandId)
{
    const CommandIcon* icon = Find(commandId);
    return icon ? QIcon(QStringLiteral(":/toolbar/") + QString::fromLatin1(icon->ownFile)) : QIcon();
}
