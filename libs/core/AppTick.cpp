#include "AppTick.h"

#include "ProcessSingleton.h"

AppTick& AppTick::GetInstance()
{
    return ProcessSingleton<AppTick>::Instance();
}

boost::signals2::scoped_connection AppTick::Subscribe(std::function<void()> slot)
{
    return m_signal.connect(std::move(slot));
}

void AppTick::Raise()
{
    ++m_count;
    m_signal();
}
