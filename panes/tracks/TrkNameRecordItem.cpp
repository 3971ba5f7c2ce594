#include "TrkNameRecordItem.h"

#include "OpenTracks.h"
#include "StringIds.h"
#include "Translator.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>

TrkNameRecordItem::TrkNameRecordItem(int tid, const TrkNameActions& actions)
    : m_tid(tid)
    , m_actions(actions)
{
}

QString TrkNameRecordItem::GetName() const
{
    const TrackInfo::Node* node = OpenTracks::Get().model.GetReader()->GetNode(m_tid);
    return node ? node->GetName() : QString();
}

QVariant TrkNameRecordItem::GetData(int role) const
{
    switch (role) {
    case Qt::DisplayRole: {
        const TrackFileAttrPtr attr = OpenTracks::Get().model.GetFileAttr(m_tid);
        // A file with unsaved changes says so.
        if (attr && attr->modified)
            return Translator::GetInstance().LoadStr(IDS_MODIFIED_NAME).arg(GetName());
        return GetName();
    }
    case Qt::EditRole:
        return GetName();
    case Qt::CheckStateRole:
        switch (OpenTracks::Get().holder.GetState().GetCheckState(m_tid)) {
        case TracksStateI::Unchecked:
            return Qt::Unchecked;
        case TracksStateI::PartlyChecked:
            return Qt::PartiallyChecked;
        default:
            return Qt::Checked;
        }
    case Qt::DecorationRole: {
        const TrackInfo::Node* node = OpenTracks::Get().model.GetReader()->GetNode(m_tid);
        if (!node)
            return {};
        const QStyle::StandardPixmap icon = node->GetKind() == TrackInfo::KindFile     ? QStyle::SP_FileIcon
                                            : node->GetKind() == TrackInfo::KindFolder ? QStyle::SP_DirIcon
                                                                                       : QStyle::SP_ArrowRight;
        return QApplication::style()->standardIcon(icon);
    }
    case Qt::FontRole: {
        // The segment the Points pane and the charts show stands out.
        if (OpenTracks::Get().holder.GetState().GetCurrentSegment() != m_tid)
            return {};
        QFont font = QApplication::font();
        font.setBold(true);
        return font;
    }
    default:
        return {};
    }
}

bool TrkNameRecordItem::SetData(const QVariant& value, int role)
{
    if (role == Qt::CheckStateRole && m_actions.toggleCheck)
        m_actions.toggleCheck(m_tid);
    else if (role == Qt::EditRole && m_actions.rename)
        m_actions.rename(m_tid, value.toString());
    return false;
}

Qt::ItemFlags TrkNameRecordItem::GetFlags() const
{
    return Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
}
