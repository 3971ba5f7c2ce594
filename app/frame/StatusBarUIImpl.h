#pragma once

#include "ProgressIndicator.h"

#include <QString>

#include <functional>

class QLabel;
class QProgressBar;
class QStatusBar;

// The progress of background work in the status bar: a text in the first
// pane and a bar. Whoever does the work (the opening queue) calls, on every
// application tick, SetProgressText and SetPercent while it works and Idle
// while it does not.
class StatusBarUIImpl
{
public:
    using Clock = std::function<qint64()>;

    // The clock defaults to a steady one; tests pass their own.
    explicit StatusBarUIImpl(QStatusBar& statusBar, Clock clock = {});

    void SetProgressText(const QString& text);
    void SetPercent(double percent);
    void Idle();

    QString GetText() const;
    // 0 to 1000.
    int GetBarValue() const;
    ProgressIndicator::State GetState() const { return m_indicator.GetState(); }

private:
    void Apply(ProgressIndicator::TextChange change);

    QLabel* m_text;
    QProgressBar* m_bar;
    Clock m_clock;
    ProgressIndicator m_indicator;
};
