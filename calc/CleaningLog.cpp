#include "CleaningLog.h"

#include "UndoHistory.h"

void CleaningLog::Publish(int nameId, std::vector<FileReport> files)
{
    m_nameId = nameId;
    m_files = std::move(files);
    m_unsettled = true;
    m_changed();
}

void CleaningLog::SettleStep(uint64_t serial)
{
    if (!m_unsettled)
        return;
    m_step = serial;
    m_unsettled = false;
}

bool CleaningLog::Describes(const UndoHistory& history) const
{
    return m_unsettled || history.IsApplied(m_step);
}

void CleaningLog::SetRecording(bool on)
{
    if (on && !m_recording)
        m_recipe = Recipe();
    m_recording = on;
    m_changed();
}

void CleaningLog::Record(const RecipeStep& step)
{
    if (!m_recording)
        return;
    m_recipe.steps.push_back(step);
    m_changed();
}

boost::signals2::scoped_connection CleaningLog::Subscribe(std::function<void()> changed)
{
    return m_changed.connect(std::move(changed));
}
