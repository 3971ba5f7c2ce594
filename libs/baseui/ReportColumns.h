#pragma once

#include "ReportColSettingsI.h"
#include "ReportColumn.h"

#include <QMetaObject>
#include <QPoint>
#include <QTimer>

#include <memory>
#include <vector>

class QMenu;
class ReportControl;

// The column manager of a report control: adds the columns with the list's
// defaults, applies and keeps the user's layout (widths, order, shown
// columns) through the list's settings, and offers the header menu.
// Column arguments are column ids.
class ReportColumns
{
public:
    ReportColumns(ReportControl& control, std::unique_ptr<ReportColSettingsI> settings);
    ~ReportColumns();
    ReportColumns(const ReportColumns&) = delete;
    ReportColumns& operator=(const ReportColumns&) = delete;

    // Defaults of the columns added after the call.
    void SetDefaultMinWidth(int width) { m_defaultMinWidth = width; }
    void SetDefaultSortable(bool on) { m_defaultSortable = on; }
    void SetDefaultAlignment(int alignment) { m_defaultAlignment = alignment; }

    void AddColumn(int columnId, int captionStrId, int width, bool visible);
    void SetAlignment(int columnId, int alignment);
    void SetAutosize(int columnId, bool on);
    void SetUnremovable(int columnId);
    // A typical value of the column, so that its default width fits it.
    void SetSample(int columnId, const QString& sample);

    // Sets the default layout, then the stored one when its version matches;
    // from here on every change of the layout is stored.
    void Init();

    // Text shown after a caption, such as " (km)"; replaces the text added
    // before, so that a change of units does not pile them up.
    void AddTextToTitle(int columnId, const QString& text);
    // Shows the captions changed by AddTextToTitle.
    void OnTitlesUpdated();

    // Shows the header menu at a screen position.
    void OnRightClick(const QPoint& globalPos);
    // The header menu: "Columns" (a submenu with a check per removable
    // column), "Field chooser", "Restore default layout".
    std::unique_ptr<QMenu> BuildHeaderMenu();

    void SetColumnVisible(int columnId, bool visible);
    bool IsColumnVisible(int columnId) const;
    // Lets the user pick the shown columns in the field chooser.
    void ShowFieldChooser();
    void RestoreDefaultLayout();
    // Stores the layout now (changes are otherwise stored shortly after).
    void SaveLayout();

private:
    ReportColumn* Find(int columnId);
    void ApplyDefaults();
    bool LoadLayout();
    QString ColumnIdsText() const;

    ReportControl& m_control;
    std::unique_ptr<ReportColSettingsI> m_settings;
    std::vector<ReportColumn> m_defaults;
    int m_defaultMinWidth = 0;
    bool m_defaultSortable = false;
    int m_defaultAlignment = 0;
    bool m_initialised = false;
    std::vector<QMetaObject::Connection> m_connections;
    QTimer m_saveTimer;
};
