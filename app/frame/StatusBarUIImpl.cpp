#include "StatusBarUIImpl.h"

#include "StringIds.h"
#include "Translator.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include <cmath>

namespace {

qint64 SteadyNow()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

} // namespace

StatusBarUIImpl::StatusBarUIImpl(QStatusBar& statusBar, Clock clock)
    : m_text(new QLabel(&statusBar))
    , m_bar(new QProgressBar(&statusBar))
    , m_clock(clock ? std::move(clock) : Clock(SteadyNow))
{
    m_bar->setRange(0, 1000);
    m_bar->setTextVisible(false);
    m_bar->setMaximumWidth(200);
    m_bar->setVisible(false);
    statusBar.addWidget(m_text, 1);
    statusBar.addPermanentWidget(m_bar);
}

void StatusBarUIImpl::SetProgressText(const QString& text)
{
    // Rewriting the same text every tick would only cost repaints.
    if (m_text->text() != text)
        m_text->setText(text);
}

void StatusBarUIImpl::SetPercent(double percent)
{
    Apply(m_indicator.SetPercent(percent, m_clock()));
}

void StatusBarUIImpl::Idle()
{
    Apply(m_indicator.Idle(m_clock()));
}

void StatusBarUIImpl::Apply(ProgressIndicator::TextChange change)
{
    if (change == ProgressIndicator::ShowProcessing)
        SetProgressText(Translator::GetInstance().LoadStr(IDS_STATUS_PROCESSING));
    else if (change == ProgressIndicator::ClearText)
        SetProgressText(QString());
    m_bar->setValue(static_cast<int>(std::lround(m_indicator.GetShown() * 10)));
    m_bar->setVisible(m_indicator.GetState() != ProgressIndicator::Inactive);
}

QString StatusBarUIImpl::GetText() const
{
    return m_text->text();
}

int StatusBarUIImpl::GetBarValue() const
{
    return m_bar->value();
}
