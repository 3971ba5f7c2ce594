#include "OpenFailureReport.h"

#include "LoadStatusText.h"
#include "Translator.h"

OpenFailureDialogText OpenFailureDialogText::For(const OpenFailureReport& report)
{
    const Translator& tr = Translator::GetInstance();
    OpenFailureDialogText text;
    text.isError = report.status == TrackLoaderI::FormatUnknown;
    text.title = tr.LoadStr(text.isError ? 60051 : 60050);
    text.instruction = tr.LoadStr(62227);
    text.content = report.fileName + QStringLiteral(".\n\n") + LoadStatusText(report.status);
    if (!report.errorDesc.isEmpty())
        text.content += QStringLiteral("\n(") + report.errorDesc + QStringLiteral(")");
    return text;
}
