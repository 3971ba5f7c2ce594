#include "AppExit.h"

#include "ProcessSingleton.h"

namespace {
struct AppExitSignal
{
    AppExit::Signal signal;
};
} // namespace

AppExit::Signal& AppExit::GetSignal()
{
    return ProcessSingleton<AppExitSignal>::Instance().signal;
}

void AppExit::OnStart()
{
    GetSignal()(Started);
}

void AppExit::OnClose()
{
    GetSignal()(Closing);
}

void AppExit::OnExit()
{
    GetSignal()(Exiting);
}
