#include "FrameWorker.h"

#include <QObject>

FrameWorker::~FrameWorker()
{
    Join();
}

void FrameWorker::Start(std::unique_ptr<DrawingLayers> frame, QObject* context, Done done)
{
    Join();
    m_busy = true;
    m_thread = std::thread([this, frame = std::move(frame), context, done = std::move(done)]() mutable {
        QImage image = frame->TakeOffscreenFrame();
        frame.reset();
        QMetaObject::invokeMethod(
            context,
            [this, image = std::move(image), done = std::move(done)]() mutable {
                Join();
                m_busy = false;
                done(std::move(image));
            },
            Qt::QueuedConnection);
    });
}

void FrameWorker::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}
