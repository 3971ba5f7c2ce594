#include "UndoHistory.h"

#include "GEventNotifyI.h"
#include "OpenTracksModel.h"

#include "TrackTreeAlg.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace {
constexpr uint64_t kNeverSaved = std::numeric_limits<uint64_t>::max();
}

struct UndoHistory::Step
{
    int nameId = 0;
    uint64_t serial = 0;
    bool displayOnly = false;
    FileChanges files;
    size_t bytes = 0;

    void Measure()
    {
        bytes = sizeof(*this);
        for (const auto& [tid, change] : files)
            bytes += change->GetBytes();
    }
};

UndoHistory::UndoHistory(OpenTracksModel& model, GEventNotifyI& events)
    : m_model(model)
    , m_events(events)
{
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::Push(int nameId, FileChanges changes, const std::map<int, bool>& wasModified, bool displayOnly)
{
    if (changes.empty())
        return;
    DropRedoSteps();
    for (const auto& [file, change] : changes) {
        if (m_saved.count(file))
            continue;
        const auto was = wasModified.find(file);
        // A file that was unmodified before its first step was saved as it
        // stood then; a new file or one changed unrecorded never was.
        m_saved[file] = was != wasModified.end() && !was->second ? Version(file) : kNeverSaved;
    }
    auto step = std::make_unique<Step>();
    step->nameId = nameId;
    step->serial = m_nextSerial++;
    step->displayOnly = displayOnly;
    step->files = std::move(changes);
    step->Measure();
    m_bytes += step->bytes;
    std::vector<int> files;
    for (const auto& [file, change] : step->files)
        files.push_back(file);
    NoteShapes(*step);
    m_steps.push_back(std::move(step));
    m_applied = m_steps.size();
    for (const int file : files)
        UpdateModified(file);
    EvictOverLimit();
}

int UndoHistory::GetUndoName() const
{
    return CanUndo() ? m_steps[m_applied - 1]->nameId : 0;
}

int UndoHistory::GetRedoName() const
{
    return CanRedo() ? m_steps[m_applied]->nameId : 0;
}

void UndoHistory::Undo()
{
    // A step that lost all its files goes; the one before is undone instead.
    while (CanUndo() && !KeepsIntact(m_applied - 1)) {
    }
    if (!CanUndo())
        return;
    --m_applied;
    Swap(*m_steps[m_applied]);
}

void UndoHistory::Redo()
{
    while (CanRedo() && !KeepsIntact(m_applied)) {
    }
    if (!CanRedo())
        return;
    ++m_applied;
    Swap(*m_steps[m_applied - 1]);
}

bool UndoHistory::KeepsIntact(size_t index)
{
    const Step* step = m_steps[index].get();
    std::vector<int> alteredOutside;
    for (const auto& [file, change] : step->files) {
        const auto shape = m_shapes.find(file);
        if (m_model.GetFileAttr(file) && (shape == m_shapes.end() || shape->second != Shape(file)))
            alteredOutside.push_back(file);
    }
    for (const int file : alteredOutside)
        DropFile(file);
    return index < m_steps.size() && m_steps[index].get() == step;
}

void UndoHistory::Swap(Step& step)
{
    ++m_depth;
    FileChanges swapped;
    std::map<int, int> renamed;
    for (auto& [file, change] : step.files) {
        const int now = change->Swap(m_model, file, m_events);
        if (now >= 0 && now != file)
            renamed[file] = now;
        swapped[now >= 0 ? now : file] = std::move(change);
    }
    step.files = std::move(swapped);
    // A file brought back has a new tid: every step and mark follows it.
    for (const auto& [from, to] : renamed) {
        for (auto& other : m_steps) {
            if (auto node = other->files.extract(from))
                other->files.insert({to, std::move(node.mapped())});
        }
        for (auto* marks : {&m_base, &m_saved, &m_shapes}) {
            if (auto node = marks->extract(from)) {
                node.key() = to;
                marks->insert(std::move(node));
            }
        }
    }
    m_bytes -= step.bytes;
    step.Measure();
    m_bytes += step.bytes;
    for (const auto& [file, change] : step.files)
        UpdateModified(file);
    NoteShapes(step);
    --m_depth;
    EvictOverLimit();
}

uint64_t UndoHistory::GetAppliedSerial() const
{
    return m_applied > 0 ? m_steps[m_applied - 1]->serial : m_evictedSerial;
}

bool UndoHistory::IsApplied(uint64_t serial) const
{
    if (serial <= m_evictedSerial)
        return !m_dropped.count(serial);
    for (size_t i = m_applied; i > 0; --i) {
        if (m_steps[i - 1]->serial == serial)
            return true;
        if (m_steps[i - 1]->serial < serial)
            return false;
    }
    return false;
}

uint64_t UndoHistory::Version(int fileTid) const
{
    for (size_t i = m_applied; i > 0; --i) {
        if (!m_steps[i - 1]->displayOnly && m_steps[i - 1]->files.count(fileTid))
            return m_steps[i - 1]->serial;
    }
    const auto base = m_base.find(fileTid);
    return base == m_base.end() ? 0 : base->second;
}

void UndoHistory::UpdateModified(int fileTid)
{
    const TrackFileAttrPtr attr = m_model.GetFileAttr(fileTid);
    if (!attr)
        return;
    const auto saved = m_saved.find(fileTid);
    const bool modified = saved == m_saved.end() || saved->second != Version(fileTid);
    if (attr->modified == modified)
        return;
    attr->modified = modified;
    m_events.NotifyInt(fileTid);
}

void UndoHistory::MarkSaved(int fileTid)
{
    m_saved[fileTid] = Version(fileTid);
}

void UndoHistory::DropFile(int fileTid)
{
    if (m_depth > 0)
        return;
    for (size_t i = m_steps.size(); i > 0; --i) {
        Step& step = *m_steps[i - 1];
        if (!step.files.erase(fileTid))
            continue;
        m_bytes -= step.bytes;
        step.Measure();
        m_bytes += step.bytes;
        if (!step.files.empty())
            continue;
        m_bytes -= step.bytes;
        m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(i - 1));
        if (i - 1 < m_applied)
            --m_applied;
    }
    m_base.erase(fileTid);
    m_saved.erase(fileTid);
    m_shapes.erase(fileTid);
}

uint64_t UndoHistory::Shape(int fileTid) const
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(fileTid, segments);
    uint64_t shape = segments.size();
    for (const int tid : segments) {
        const TrackPtr track = m_model.GetTrack(tid);
        for (const uint64_t value : {uint64_t(tid), uint64_t(track ? track->GetPointCount() : -1)})
            shape = shape * 1099511628211ULL ^ std::hash<uint64_t>()(value);
    }
    return shape;
}

void UndoHistory::NoteShapes(const Step& step)
{
    for (const auto& [file, change] : step.files) {
        if (m_model.GetFileAttr(file))
            m_shapes[file] = Shape(file);
    }
}

void UndoHistory::SetLimit(size_t bytes)
{
    m_limit = bytes;
    EvictOverLimit();
}

void UndoHistory::EvictOverLimit()
{
    while (m_bytes > m_limit && !m_steps.empty()) {
        if (m_applied == 0) {
            // The oldest step was undone: the steps after it can no longer
            // be redone without it.
            DropRedoSteps();
            break;
        }
        Step& oldest = *m_steps.front();
        for (const auto& [file, change] : oldest.files) {
            if (!oldest.displayOnly)
                m_base[file] = oldest.serial;
        }
        m_bytes -= oldest.bytes;
        m_evictedSerial = oldest.serial;
        m_steps.pop_front();
        --m_applied;
    }
}

void UndoHistory::DropRedoSteps()
{
    while (m_steps.size() > m_applied) {
        m_dropped.insert(m_steps.back()->serial);
        m_bytes -= m_steps.back()->bytes;
        m_steps.pop_back();
    }
}
