#pragma once

#include "MainFrameImpl.h"

#include <QObject>

#include <boost/signals2/connection.hpp>

class CommandUI;
class MainFrame;

// Tools > Record recipe, Save recipe and Apply recipe, and View > Cleaned
// points: recording the cleaning steps the user applies into the frame's
// cleaning log, saving them as a recipe file, replaying a recipe file or a
// preset on the selected files (one undo step for all of them), and showing
// on the map the points the last cleaning took out. A child of the frame,
// which deletes it.
class CleaningUI : public QObject
{
public:
    explicit CleaningUI(MainFrame& frame);

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui) const;
    void SaveRecipe();
    void ApplyRecipe();
    void ShowCleanedPoints(bool show);

    MainFrame& m_frame;
    bool m_showPoints = false;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
    boost::signals2::scoped_connection m_logChanges;
};
