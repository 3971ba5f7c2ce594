#include "TrkPropCtrl.h"

#include "BytesDisp.h"
#include "Locale.h"
#include "OblDlgBase.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrackListData.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum Row {
    FileGroup = 61500,
    Name = 61501,
    Path = 61502,
    Size = 61503,
    Modified = 61504,
    ParametersGroup = 61505,
    Points = 61506,
    Start = 61507,
    Finish = 61508,
    Distance = 61509,
};

QString DateTime(const Time& utc)
{
    if (utc.IsNull())
        return {};
    return Locale::GetDateTimeString(TimeZones::GetInstance().FromUtc(utc));
}

} // namespace

TrkPropCtrl::TrkPropCtrl(QWidget* parent)
    : PropertyGrid(parent)
{
    QTreeWidgetItem* file = AddNodeItem(FileGroup, true);
    for (int row : {Name, Path, Size, Modified})
        AddChildItem(file, row);
    QTreeWidgetItem* parameters = AddNodeItem(ParametersGroup, true);
    AddChildItem(parameters, Points, ValueType::Number);
    for (int row : {Start, Finish})
        AddChildItem(parameters, row);
    AddChildItem(parameters, Distance, ValueType::Number);
    SetRegSection(OblDlgBase::GetLayoutSection(QStringLiteral("TrackProp")));
    Fill();
}

void TrkPropCtrl::Fill()
{
    std::vector<int> items;
    OpenTracks::Get().holder.GetState().GetSelectedItems(items);
    FillFile(items);
    FillParameters(items);
}

void TrkPropCtrl::FillFile(const std::vector<int>& items)
{
    OpenTracksModel& model = OpenTracks::Get().model;
    const std::vector<int> files = TrackTreeAlg(model.GetReader().get()).GetParentFileIds(items);
    QString name;
    QString path;
    QString size;
    QString modified;
    if (files.size() > 1) {
        name = Locale::GetIntString(static_cast<int64_t>(files.size()))
               + Translator::GetInstance().LoadStr(IDS_FILES_SELECTED);
    } else if (files.size() == 1) {
        name = model.GetReader()->GetNode(files.front())->GetName();
        const TrackFileAttrPtr attr = model.GetFileAttr(files.front());
        const QFileInfo info(attr ? attr->path : QString());
        if (!attr || attr->path.isEmpty()) {
            modified = Translator::GetInstance().LoadStr(IDS_NEVER_SAVED);
        } else {
            path = QDir::toNativeSeparators(info.absolutePath());
            if (info.exists()) {
                size = BytesDisp::GetBytesString(info.size(), 1);
                modified = DateTime(Time::FromQDateTime(info.lastModified().toUTC()));
            }
        }
    }
    UpdateItem(Name, name);
    UpdateItem(Path, path);
    UpdateItem(Size, size);
    UpdateItem(Modified, modified);
}

void TrkPropCtrl::FillParameters(const std::vector<int>& items)
{
    const TrackListData data = TrackListData::OfNodes(items);
    const bool points = data.pointCount > 0;
    UpdateItem(Points, points ? Locale::GetIntString(data.validCount) + QStringLiteral(" / ")
                                    + Locale::GetIntString(data.GetFilteredCount())
                              : QStringLiteral("-"));
    UpdateItem(Start, DateTime(data.start));
    UpdateItem(Finish, DateTime(data.finish));
    UpdateItem(Distance, points ? UnitsDisp::GetSmartDistanceString(data.distance) : QString());
}
