#pragma once

#include "OblOptions.h"
#include "RecipeStep.h"
#include "ResetTimeCore.h"
#include "TrackI.h"

#include <optional>

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
    // After Run: the recipe step that retimes a file as the user chose.
    RecipeStep GetRecipeStep() const;

private:
    bool Ask(ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& choice);

    TrackPtr m_track;
    QWidget* m_parent;
    // What the dialog was asked for and answered, when it was shown.
    std::optional<ResetTimeCore::TimeCase> m_askedMode;
    ResetTimeCore::Choice m_answer;
};
