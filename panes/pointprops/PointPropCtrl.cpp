#include "PointPropCtrl.h"

#include "FilterReasons.h"
#include "OblDlgBase.h"
#include "PointFields.h"
#include "TrackPointEx.h"

namespace {

QString ReasonText(int key)
{
    return FilterReasons::GetInstance().GetText(key).text;
}

} // namespace

PointPropCtrl::PointPropCtrl(QWidget* parent)
    : PropertyGrid(parent)
{
    QTreeWidgetItem* node = nullptr;
    PointSheetGroup group = PointSheetGroup::None;
    for (const PointFieldInfo* field : PointFields::SheetRows()) {
        if (!node || field->sheet.group != group) {
            group = field->sheet.group;
            node = AddNodeItem(PointFields::SheetGroupTitleId(group), true);
        }
        AddChildItem(node, field->sheet.titleId);
    }
    SetRegSection(OblDlgBase::GetLayoutSection(QStringLiteral("PointProp")));
}

QString PointPropCtrl::DateTimeText(const TrackPointEx& point)
{
    return PointFields::SheetText(*PointFields::Find(PointField::DateTime), point, {});
}

void PointPropCtrl::Fill(const TrackPointEx& point, int index)
{
    PointFieldContext context;
    context.index = index;
    context.reasonText = ReasonText;
    for (const PointFieldInfo* field : PointFields::SheetRows())
        UpdateItem(field->sheet.titleId, PointFields::SheetText(*field, point, context));
}
