#include "RebuildTreeOptions.h"

#include "ProcessSingleton.h"

#include <algorithm>

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
    return {std::clamp(folderThreshold.Get(), MinFolderMinutes, MaxFolderMinutes),
            std::clamp(segThreshold.Get(), MinSegmentMinutes, MaxSegmentMinutes), keepBreaks.Get()};
}
