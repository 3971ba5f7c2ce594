#pragma once

#include "MainFrameImpl.h"

#include <QObject>

#include <vector>

class CommandUI;
class MainFrame;
class QComboBox;
class TrackView;

// The view commands of the menu and toolbars: what the map shows (centre
// mark, scale, deleted points, arrows, map), the map layer, the "Color by"
// choice, the download of an area for offline use, and the mouse modes. A
// child of the frame, which deletes it.
class ViewUI : public QObject
{
public:
    ViewUI(MainFrame& frame, TrackView& view);

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui);
    void FillColorByMenu();
    void FillMapLayerMenu();
    void AddColorByCombo();
    void SyncCombo();

    MainFrame& m_frame;
    TrackView& m_view;
    QComboBox* m_combo = nullptr;
    std::vector<MainFrameImpl::Connection> m_connections;
};
