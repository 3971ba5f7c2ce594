#include "RebuildTreeOptions.h"

#include "ProcessSingleton.h"

RebuildTreeOptions::RebuildTreeOptions()
    : OblOptionsBase(QStringLiteral("Settings\\RebuildTree"))
{
    folderThreshold.Init(GetOblOptionSectI(), QStringLiteral("FolderThreshold"));
    segThreshold.Init(GetOblOptionSectI(), QStringLiteral("SegThreshold"));
    keepBreaks.Init(GetOblOptionSectI(), QStringLiteral("KeepBreaks"));
}

RebuildTreeOptions& RebuildTreeOptions::GetInstance()
{
    return ProcessSingleton<RebuildTreeOptions>::Instance();
}

RestructureParams RebuildTreeOptions::GetParams() const
{
    return {folderThreshold.Get(), segThreshold.Get(), keepBreaks.Get()};
}
