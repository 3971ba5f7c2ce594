#include "TitleOptions.h"

#include "ProcessSingleton.h"

TitleOptions::TitleOptions()
    : OblOptionsBase(QStringLiteral("Settings\\View"))
{
    showVersion.Init(GetOblOptionSectI(), QStringLiteral("ShowVersion"));
}

TitleOptions& TitleOptions::GetInstance()
{
    return ProcessSingleton<TitleOptions>::Instance();
}
