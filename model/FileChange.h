#pragma once

#include "FileSnapshot.h"
#include "SegmentChange.h"
#include "TrackInfo.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class GEventNotifyI;
class OpenTracksModel;

// What one edit changed in one open file, kept as the other side of the
// change. Segments and nodes are named by their place in the file's tree
// order, which is the same whenever the change is swapped, because the
// history swaps changes strictly in order. Three forms:
// - parts: per segment a SegmentChange, per node its former name, colour
//   and extras, when the tree kept its shape;
// - whole: the file's tree and points, when folders or segments came, went
//   or moved;
// - added: the file came into being with the edit (a merge).
class FileChange
{
public:
    enum class Outcome { Same, Changed, Unrecordable };

    // Compares the open file with before. Unrecordable when before kept
    // only statuses and more than statuses changed.
    static std::pair<Outcome, std::unique_ptr<FileChange>> Between(FileSnapshot&& before, const OpenTracksModel& model,
                                                                   int fileTid);
    static std::unique_ptr<FileChange> Added();

    // Puts the kept side in place and keeps what was there; announces the
    // change. Returns the file's tid afterwards: -1 when the swap closed
    // it, a new tid when it brought it back.
    int Swap(OpenTracksModel& model, int fileTid, GEventNotifyI& events);
    size_t GetBytes() const;

private:
    enum class Form { Parts, Whole, Added };

    explicit FileChange(Form form) : m_form(form) {}
    void SwapParts(OpenTracksModel& model, int fileTid, GEventNotifyI& events);
    void SwapWhole(OpenTracksModel& model, int fileTid);
    int SwapAdded(OpenTracksModel& model, int fileTid);

    Form m_form;
    std::vector<std::pair<int, SegmentChange>> m_segments;
    std::vector<std::pair<int, std::unique_ptr<TrackInfo::Node>>> m_nodes;
    // The whole file (Whole form), or the added file while it is closed.
    std::optional<FileSnapshot> m_file;
};
