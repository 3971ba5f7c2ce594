#pragma once

#include "ReportColumns.h"
#include "ReportControl.h"
#include "TrkNameRecordItem.h"

#include <QStringList>

#include <functional>
#include <unordered_map>
#include <vector>

class QMimeData;
class TrkRecord;

// The tree of open files, folders and segments in the Tracks pane. Its
// selection is the tracks state's selection: what the user selects here is
// handed to the state, and a selection made elsewhere is shown here. Check
// boxes, renaming and colours go straight to the open tracks; the commands
// that need the rest of the program go to the owner through the handlers.
class TrkList : public ReportControl
{
public:
    explicit TrkList(QWidget* parent = nullptr);

    // Rows for the tree as it is now, keeping what was expanded and showing
    // the state's selection.
    void Rebuild();
    // Figures and colours of every row read again.
    void RefreshTexts();
    // The unit in the Distance caption, after a change of units.
    void UpdateTitles();
    // Shows the state's selected items when the list shows others, and
    // brings the current item into view.
    void SelectFromState();
    // The check boxes of the items turned on, or off when the first one is
    // on already.
    void ToggleCheck(const std::vector<int>& tids);
    // Opens the name editor on the focused row.
    void EditFocusedName();
    ReportColumns& GetColumns() { return m_columns; }

    // Rows dragged within the list carry their tids in this format.
    static QString DragFormat() { return QStringLiteral("TrkList"); }
    static QMimeData* MakeDragData(const std::vector<int>& tids);
    static std::vector<int> DraggedTids(const QMimeData& data);

    // Where dropped rows would go: before the sibling before (-1: after
    // the last child) beneath parent, and where the insertion line is drawn.
    struct DropPlace
    {
        bool valid = false;
        int parent = -1;
        int before = -1;
        // The row the line is drawn at, above or below it.
        int row = -1;
        bool below = false;
        bool operator==(const DropPlace&) const = default;
    };
    // The gap a drop at a viewport position points at: the upper half of
    // a row is the gap above it, the lower half the gap below it.
    DropPlace PlaceAt(const QPoint& pos) const;
    // Whether the dragged tids may be dropped there: siblings, going among
    // the children of their own parent.
    static bool MayDrop(const std::vector<int>& tids, const DropPlace& place);
    // The insertion line being shown; not valid when none.
    const DropPlace& GetDropMark() const { return m_mark; }

    void SetOnDeleteKey(std::function<void()> fn) { m_onDeleteKey = std::move(fn); }
    // Asked before a file takes a new name; false keeps the old one.
    using FileNameCheck = std::function<bool(int fileTid, const QString& newName)>;
    void SetFileNameCheck(FileNameCheck check) { m_fileNameCheck = std::move(check); }
    // Enter on a row: the tid of the focused row.
    void SetOnLocate(std::function<void(int tid)> fn) { m_onLocate = std::move(fn); }
    // A right click over a selection, at a screen position.
    void SetOnContextMenu(std::function<void(const QPoint&)> fn) { m_onContextMenu = std::move(fn); }
    // Files dropped from outside the program, as local paths.
    void SetOnFilesDropped(std::function<void(const QStringList&)> fn) { m_onFilesDropped = std::move(fn); }

    // As wide as the shown columns, so that a pane laid out from it needs
    // no scrolling sideways.
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void AddRows(int parentTid, ReportRecord* parent, std::vector<std::unique_ptr<ReportRecord>>& top);
    void Rename(int tid, const QString& text);
    void OnSelectionChanged();
    // Shows the line at place, repainting only when it moved.
    void SetDropMark(const DropPlace& place);

    ReportColumns m_columns;
    TrkNameActions m_nameActions;
    std::unordered_map<int, TrkRecord*> m_records;
    // Set while the list shows the state's selection, so that it is not
    // handed back to the state.
    bool m_applying = false;
    // An Enter release locates only after an Enter press in the list, not
    // after one that closed the name editor or a dialog.
    bool m_enterPressed = false;
    std::function<void()> m_onDeleteKey;
    FileNameCheck m_fileNameCheck;
    std::function<void(int)> m_onLocate;
    std::function<void(const QPoint&)> m_onContextMenu;
    std::function<void(const QStringList&)> m_onFilesDropped;
    DropPlace m_mark;
};
