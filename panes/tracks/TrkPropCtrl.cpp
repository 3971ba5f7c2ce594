#include "TrkPropCtrl.h"

#include "BytesDisp.h"
#include "Locale.h"
#include "OblDlgBase.h"
#include "OpenTrackStatistics.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrackListData.h"
#include "TrackTreeAlg.h"
#include "TrkStatisticsRows.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QDir>
#include <QFileInfo>

namespace {

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
    QTreeWidgetItem* file = AddNodeItem(IDS_TRACK_PROP_FILE, true);
    for (int row : {IDS_TRACK_PROP_NAME, IDS_TRACK_PROP_PATH, IDS_TRACK_PROP_SIZE, IDS_TRACK_PROP_MODIFIED})
        AddChildItem(file, row);
    QTreeWidgetItem* parameters = AddNodeItem(IDS_TRACK_PROP_PARAMETERS, true);
    AddChildItem(parameters, IDS_TRACK_PROP_POINTS, ValueType::Number);
    for (int row : {IDS_TRACK_PROP_START, IDS_TRACK_PROP_FINISH})
        AddChildItem(parameters, row);
    AddChildItem(parameters, IDS_TRACK_PROP_DISTANCE, ValueType::Number);
    TrkStatisticsRows::Add(*this);
    SetRegSection(OblDlgBase::GetLayoutSection(QStringLiteral("TrackProp")));
    Fill();
}

void TrkPropCtrl::Fill()
{
    std::vector<int> items;
    OpenTracks::Get().holder.GetState().GetSelectedItems(items);
    FillFile(items);
    FillParameters(items);
    TrkStatisticsRows::Fill(*this, OpenTrackStatistics::OfNodes(items));
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
    UpdateItem(IDS_TRACK_PROP_NAME, name);
    UpdateItem(IDS_TRACK_PROP_PATH, path);
    UpdateItem(IDS_TRACK_PROP_SIZE, size);
    UpdateItem(IDS_TRACK_PROP_MODIFIED, modified);
}

void TrkPropCtrl::FillParameters(const std::vector<int>& items)
{
    const TrackListData data = TrackListData::OfNodes(items);
    const bool points = data.pointCount > 0;
    UpdateItem(IDS_TRACK_PROP_POINTS, points ? Locale::GetIntString(data.validCount) + QStringLiteral(" / ")
                                    + Locale::GetIntString(data.GetFilteredCount())
                              : QStringLiteral("-"));
    UpdateItem(IDS_TRACK_PROP_START, DateTime(data.start));
    UpdateItem(IDS_TRACK_PROP_FINISH, DateTime(data.finish));
    UpdateItem(IDS_TRACK_PROP_DISTANCE, points ? UnitsDisp::GetSmartDistanceString(data.distance) : QString());
}
