#include "CleaningLog.h"

void CleaningLog::Publish(int nameId, std::vector<FileReport> files)
{
    m_nameId = nameId;
    m_files = std::move(files);
    m_changed();
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
