#include "TrackDrawAttrsImpl.h"

#include "CasingColour.h"
#include "GEventKind.h"
#include "GEventSubscribeI.h"
#include "OpenTracksModel.h"
#include "TrackTreeInterfaces.h"
#include "TracksStateI.h"

#include <algorithm>

namespace {

constexpr uint32_t SelectedCasingOnMap = 0x141414;
constexpr uint32_t SelectedCasingPlain = 0x303030;

} // namespace

TrackDrawAttrsImpl::TrackDrawAttrsImpl(const OpenTracksModel& model, const TracksStateI& state,
                                       GEventSubscribeI& events)
    : m_model(model), m_state(state)
{
    using namespace GEventKind;
    const GEventFilter filter{TreeChanged, DisplayAttrChanged, SelectionChanged, CheckStateChanged,
                              ViewSettingsChanged};
    m_connection = events.Subscribe(filter, [this] { m_dirty = true; }, GEventGroup::Derived);
}

const std::vector<TrackDrawAttrs>& TrackDrawAttrsImpl::Get(const TrackDrawOptions& options)
{
    const int hovered = m_state.GetHoveredSegment();
    if (m_dirty || !(options == m_builtFor) || hovered != m_builtHovered)
        Rebuild(options, hovered);
    return m_attrs;
}

void TrackDrawAttrsImpl::Collect(int tid, std::vector<int>& segments) const
{
    const TrackTreeReaderI& reader = *m_model.GetReader();
    for (const int child : reader.GetChildren(tid)) {
        if (reader.GetNode(child)->GetKind() == TrackInfo::KindSegment) {
            if (m_state.GetCheckState(child) == TracksStateI::Checked)
                segments.push_back(child);
        } else {
            Collect(child, segments);
        }
    }
}

void TrackDrawAttrsImpl::Rebuild(const TrackDrawOptions& options, int hovered)
{
    std::vector<int> segments;
    Collect(-1, segments);
    const TrackTreeReaderI& reader = *m_model.GetReader();
    const uint32_t selectedCasing = options.mapShown ? SelectedCasingOnMap : SelectedCasingPlain;
    m_attrs.clear();
    for (const int tid : segments) {
        const auto* node = static_cast<const TrackInfo::Segment*>(reader.GetNode(tid));
        const RgbStruct colour = node->GetColour().IsSet() ? node->GetColour()
                                                            : RgbStruct::FromColorref(TrackDrawAttrs::DefaultColour);
        TrackDrawAttrs attrs;
        attrs.tid = tid;
        attrs.centreColour = colour.GetColorref();
        attrs.palette = options.palette;
        if (m_state.IsSelected(tid)) {
            attrs.level = options.showArrows ? 2 : 1;
            attrs.centreWidth = 4;
            attrs.casingWidth = options.showArrows ? 4 : 6;
            attrs.casingColour = selectedCasing;
        } else if (tid == hovered) {
            attrs.level = 3;
            attrs.centreWidth = 4;
            attrs.casingWidth = 7;
            attrs.casingColour = DeriveCasingColour(colour).GetColorref();
        } else {
            attrs.level = 0;
            attrs.centreWidth = 2;
            attrs.casingWidth = options.mapShown ? 4 : 1;
            attrs.casingColour = DeriveCasingColour(colour).GetColorref();
        }
        m_attrs.push_back(attrs);
    }
    std::stable_sort(m_attrs.begin(), m_attrs.end(),
                     [](const TrackDrawAttrs& a, const TrackDrawAttrs& b) { return a.level < b.level; });
    m_dirty = false;
    m_builtFor = options;
    m_builtHovered = hovered;
}
