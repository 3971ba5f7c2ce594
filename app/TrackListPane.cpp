#include "TrackListPane.h"

#include "MainFrame.h"
#include "TrackListDlg.h"
#include "TrackMenuUI.h"
#include "TrackView.h"

// The pane is made while the window is still being built, before the map
// pane and the Track menu exist: each handler finds its target when it runs.
QWidget* CreateTrackListPane(QMainWindow& frame)
{
    const auto mainFrame = [&frame] { return dynamic_cast<MainFrame*>(&frame); };
    auto locate = [mainFrame](const std::vector<int>& segments) {
        if (MainFrame* f = mainFrame())
            f->GetTrackView().ZoomToSegments(segments);
    };
    auto sendCommand = [mainFrame](int id) {
        if (MainFrame* f = mainFrame())
            f->RunCommand(id);
    };
    // The Track menu is a child of the window.
    auto join = [&frame] {
        for (QObject* child : frame.children()) {
            if (auto* menu = dynamic_cast<TrackMenuUI*>(child)) {
                menu->Join();
                return;
            }
        }
    };
    // The file commands ask about unsaved changes through the window.
    auto mayClose = [mainFrame](const std::vector<int>& files) {
        MainFrame* f = mainFrame();
        return !f || f->MayCloseFiles(files);
    };
    return new TrackListDlg(locate, sendCommand, mayClose, join);
}
