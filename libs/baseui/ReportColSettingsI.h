#pragma once

#include <QString>

// Where and how a list keeps its column layout (widths, order, visibility),
// and the texts of its header menu. Each list supplies one.
class ReportColSettingsI
{
public:
    virtual ~ReportColSettingsI() = default;
    // A stored layout of another version is dropped.
    virtual int GetLayoutVersion() const = 0;
    // The settings section of the layout, such as "Layout\Dialogs\TrackList".
    virtual QString GetSection() const = 0;
    // The value name of the layout within the section.
    virtual QString GetValueName() const = 0;
    virtual int GetFieldChooserDlgId() const = 0;
    virtual int GetFieldChooserListId() const = 0;
    virtual QString GetColumnsMenuText() const = 0;
    virtual QString GetFieldChooserMenuText() const = 0;
    virtual QString GetRestoreLayoutMenuText() const = 0;
};
