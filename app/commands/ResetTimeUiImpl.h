#pragma once

#include "OblOptions.h"
#include "ResetTimeCore.h"
#include "TrackI.h"

class QWidget;

// Regenerates the timestamps of an open track, asking the user how when
// the track's time-state needs it (FSetTimeDlg). A track that changed is
// refreshed, its file marked modified and the change announced.
class ResetTimeUiImpl
{
public:
    // The last speed entered, km/h; 0 until the user entered one.
    struct Options : OblOptionsBase
    {
        Options();
        OblOptionDouble speed{0.0};
    };

    ResetTimeUiImpl(TrackPtr track, QWidget* parent);

    // force discards recorded times as the reset command wants. False when
    // the user cancelled the dialog; nothing changed then.
    bool Run(bool force);

private:
    bool Ask(ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& choice);

    TrackPtr m_track;
    QWidget* m_parent;
};
