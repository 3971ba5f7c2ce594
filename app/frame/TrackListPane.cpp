#include "TrackListPane.h"

#include "MainFrame.h"
#include "TrackListDlg.h"
#include "TrkList.h"
#include "TrackView.h"

// The pane is made while the window is still being built, before the map
// pane exists: each handler finds its target when it runs.
QWidget* CreateTrackListPane(MainFrame& frame)
{
    auto locate = [&frame](const std::vector<int>& segments) { frame.GetTrackView().ZoomToSegments(segments); };
    auto sendCommand = [&frame](int id) { frame.RunCommand(id); };
    // The file commands ask about unsaved changes through the window.
    auto mayClose = [&frame](const std::vector<int>& files) { return frame.MayCloseFiles(files); };
    auto* pane = new TrackListDlg(locate, sendCommand, mayClose);
    // Files dropped on the list open as on the rest of the window.
    pane->SetOpenFiles([&frame](const QStringList& files) { frame.OpenFiles(files); });
    pane->GetList().SetFileNameCheck(
        [&frame](int file, const QString& name) { return frame.MayRenameFile(file, name); });
    return pane;
}
