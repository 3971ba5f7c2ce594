#pragma once

#include "AppTracksFixture.h"
#include "EditUndoUI.h"
#include "FilterUI.h"
#include "MainFrame.h"
#include "TrackMenuUI.h"

#include <gtest/gtest.h>

// A main window with the commands that change points (filters, the Track
// menu) and the Edit menu's undo and redo over them.
class EditingFrameFixture : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        new EditUndoUI(m_frame);
        new FilterUI(m_frame);
        new TrackMenuUI(m_frame);
    }

    void Run(int id) { ASSERT_TRUE(m_frame.GetHub().OnCommand(id)); }

    MainFrame m_frame;
};
