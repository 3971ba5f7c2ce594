#include "TrackOpening.h"

#include "AppTick.h"
#include "MainFrame.h"
#include "MapFileOpening.h"
#include "OpenFailureDialog.h"
#include "OpenTracks.h"
#include "StatusBarUIImpl.h"
#include "StringIds.h"
#include "TrackTreeAlg.h"
#include "TrackView.h"
#include "Translator.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

TrackOpening::TrackOpening(MainFrame& frame, bool interactive)
    : m_frame(frame)
{
    TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    frame.SetFileOpener([&frame](const QStringList& files) {
        TrackOpenQueueImpl::GetInstance().AddFiles(OpenMapFiles(files, frame.GetTrackView()), TrackFileAll);
        // The reading starts as soon as the event loop runs, not a tick
        // later behind the window's first frames.
        QTimer::singleShot(0, &frame, [] { TrackOpenQueueImpl::GetInstance().Poll(); });
    });
    m_opened = queue.GetOpenedSignal().connect([this](const TrackOpenTask& task, TrackFileType type) {
        const std::vector<int>& files = task.GetTree()->GetChildren(-1);
        if (files.empty())
            return;
        OpenTracksModel& model = OpenTracks::Get().model;
        const int file = model.AddOpenedFile(*task.GetTree(), files.front(), *task.GetData(), task.GetFileName(), type,
                                             task.GetPrepared().get());
        // The tracks just opened, all of them, are what the user wants to
        // look at.
        m_openedTogether.push_back(file);
        // A file closed meanwhile has left the tree.
        std::erase_if(m_openedTogether, [&model](int opened) { return !model.GetReader()->GetNode(opened); });
        std::vector<int> segments;
        TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(m_openedTogether, segments);
        m_frame.GetTrackView().ZoomToSegments(segments);
    });
    m_skipped = queue.GetSkippedSignal().connect([this](const QString&) { ++m_failures; });
    TrackOpenQueueImpl::WindowHooks hooks;
    if (interactive) {
        hooks.showFailure = [this](const OpenFailureReport& report) { return AskAboutOpenFailure(report, &m_frame); };
        hooks.isMinimised = [this] { return m_frame.isMinimized(); };
        hooks.blinkTitle = [this] { QApplication::alert(&m_frame); };
    }
    queue.SetWindowHooks(std::move(hooks));
    m_tick = AppTick::GetInstance().Subscribe([this] { ShowProgress(); });
}

TrackOpening::~TrackOpening()
{
    // Whatever is still loading is abandoned: nothing half loaded appears.
    TrackOpenQueueImpl::GetInstance().Cancel();
    TrackOpenQueueImpl::GetInstance().SetWindowHooks({});
    m_frame.SetFileOpener({});
}

bool TrackOpening::IsIdle() const
{
    return TrackOpenQueueImpl::GetInstance().IsIdle();
}

void TrackOpening::ShowProgress()
{
    const TrackOpenQueueImpl& queue = TrackOpenQueueImpl::GetInstance();
    StatusBarUIImpl& status = m_frame.GetStatusBarUI();
    if (queue.IsIdle()) {
        status.Idle();
        m_openedTogether.clear();
        return;
    }
    const QString name = QFileInfo(queue.GetCurrentFileName()).fileName();
    status.SetProgressText(Translator::GetInstance().LoadStr(IDS_STATUS_OPENING) + name + QStringLiteral("..."));
    status.SetPercent(queue.GetOverallPercent());
}
