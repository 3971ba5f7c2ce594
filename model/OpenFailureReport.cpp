#include "OpenFailureReport.h"

#include "LoadStatusText.h"
#include "StringIds.h"
#include "Translator.h"

OpenFailureDialogText OpenFailureDialogText::For(const OpenFailureReport& report)
{
    const Translator& tr = Translator::GetInstance();
    OpenFailureDialogText text;
    text.isError = report.status == TrackLoaderI::FormatUnknown;
    text.title = tr.LoadStr(text.isError ? IDS_ERROR : IDS_WARNING);
    text.instruction = tr.LoadStr(IDS_OPEN_ERROR_INSTRUCTION);
    text.content = report.fileName + QStringLiteral(".\n\n") + LoadStatusText(report.status);
    if (!report.errorDesc.isEmpty())
        text.content += QStringLiteral("\n(") + report.errorDesc + QStringLiteral(")");
    return text;
}
