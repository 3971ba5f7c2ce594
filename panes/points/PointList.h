#pragma once

#include "PtListNav.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "TrackPositionConverter.h"
#include "TrkPointRecord.h"

#include <boost/signals2/connection.hpp>

#include <functional>
#include <memory>

// The points of the current segment, one row per point, read on demand.
// It follows the tracks state's current point; the focus moved by the user
// or by the keys goes out through the focus handler.
class PointList : public ReportControl
{
public:
    explicit PointList(QWidget* parent = nullptr);
    ~PointList() override;

    // Shows the current segment of the tracks state (nothing without one),
    // with or without filtered points as the view settings say.
    void Bind();
    // Binds again when the filtered-points setting changed.
    void FollowViewSettings();
    // Focuses the row of the state's current point, without handing it back.
    void FocusCurrentPoint();
    // The unit in the captions and the texts after a change of units.
    void OnUnitsChanged();
    void UpdateTitles();

    const PtListNavI* GetNav() const { return m_nav.get(); }
    ReportColumns& GetColumns() { return m_columns; }
    // (-1, -1) without a focused row.
    TrackPosition GetFocusedPoint() const;
    // The class code of the focused point (0 without one) and the point.
    int ReadFocusedPoint(TrackPointEx& out) const;

    // The user moved the focus to a point.
    void SetOnPointFocused(std::function<void(const TrackPosition&)> fn) { m_onPointFocused = std::move(fn); }
    // Delete (remove, forGood false) and Shift+Delete (forGood true) on the
    // focused point.
    void SetOnDeleteKey(std::function<void(bool forGood)> fn) { m_onDeleteKey = std::move(fn); }
    // A right click over the focused row, at a screen position.
    void SetOnContextMenu(std::function<void(const QPoint&)> fn) { m_onContextMenu = std::move(fn); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SetRows(int keepRow);
    // Ctrl+Up and Ctrl+Down: the nearest point whose status differs from
    // the focused one's.
    void JumpToOtherStatus(bool forward);
    // The fixed end of a range that Shift extends: the other end of the
    // range when the focus is on one of its ends, else the focused point.
    int RangeAnchor() const;
    // The points from anchor to the focused one become the point range.
    void ExtendRange(int anchor);

    ReportColumns m_columns;
    TrkPointRecord m_record;
    std::unique_ptr<PtListNavI> m_nav;
    // Set while the list shows a point chosen elsewhere, so that it is not
    // handed back.
    bool m_applying = false;
    std::function<void(const TrackPosition&)> m_onPointFocused;
    std::function<void(bool)> m_onDeleteKey;
    std::function<void(const QPoint&)> m_onContextMenu;
    boost::signals2::scoped_connection m_preview;
};
