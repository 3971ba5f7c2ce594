#pragma once

#include "TrackLoaderI.h"

#include <QString>

#include <functional>

// What the user chooses when a file cannot be opened.
enum class OpenFailureChoice { Skip, SkipAll, Retry, Cancel };

// One failure to report: the dialog's title, icon, instruction and text
// come from these (see OpenFailureDialogText).
struct OpenFailureReport
{
    QString fileName;
    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    QString errorDesc;
    // Skip all is offered only when more files wait behind this one.
    bool offerSkipAll = false;
    // The file was opened all the same (a damaged file's points before the
    // damage): the report only tells, there is nothing to skip or retry.
    bool opened = false;
};

using OpenFailureDialog = std::function<OpenFailureChoice(const OpenFailureReport&)>;

// The texts of the failure dialog, from the string table.
struct OpenFailureDialogText
{
    QString title;
    QString instruction;
    QString content;
    bool isError = false;

    static OpenFailureDialogText For(const OpenFailureReport& report);
};
