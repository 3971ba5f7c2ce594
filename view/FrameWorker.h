#pragma once

#include "DrawingLayers.h"

#include <QImage>

#include <functional>
#include <memory>
#include <thread>

class QObject;

// Finishes a frame on a thread of its own, one frame at a time: lays down
// the strokes its layers queued (DrawingLayers::SetDeferStrokes) and
// stacks the layers, the part of a frame that takes longest. The frame's
// layers hold all that is left to do, so the thread touches nothing else,
// and the window need not wait for it.
class FrameWorker
{
public:
    using Done = std::function<void(QImage frame)>;

    FrameWorker() = default;
    ~FrameWorker();
    FrameWorker(const FrameWorker&) = delete;
    FrameWorker& operator=(const FrameWorker&) = delete;

    bool IsBusy() const { return m_busy; }
    // frame: begun with BeginOffscreenFrame and drawn. The finished image
    // goes to done on context's thread.
    void Start(std::unique_ptr<DrawingLayers> frame, QObject* context, Done done);

private:
    void Join();

    std::thread m_thread;
    bool m_busy = false;
};
