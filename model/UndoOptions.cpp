#include "UndoOptions.h"

#include "ProcessSingleton.h"

UndoOptions::UndoOptions()
    : OblOptionsBase(QStringLiteral("Settings\\Undo"))
{
    memoryMiB.Init(GetOblOptionSectI(), QStringLiteral("MemoryMiB"));
}

UndoOptions& UndoOptions::GetInstance()
{
    return ProcessSingleton<UndoOptions>::Instance();
}
