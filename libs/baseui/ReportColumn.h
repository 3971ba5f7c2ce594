#pragma once

#include <QString>

// One column of a report control. Alignment: 0 left, 1 centre, 2 right.
struct ReportColumn
{
    int id = 0;
    QString caption;
    // Text appended to the caption, such as the unit of the values.
    QString titleSuffix;
    int width = 100;
    // A typical value: the default width is at least what it and the title
    // need, in the control's font.
    QString sample;
    bool visible = true;
    int alignment = 0;
    int minWidth = 0;
    bool sortable = false;
    // Takes part in filling the control's width when the control is resized.
    bool autosize = true;
    // Can be hidden by the user.
    bool removable = true;

    QString GetTitle() const { return caption + titleSuffix; }
};
