#include "ExportCommand.h"

#include "CsvExport.h"
#include "ExportNmeaDlg.h"
#include "ExportSelection.h"
#include "MessageBoxStyle.h"
#include "NmeaExport.h"
#include "NmeaTrackWriter.h"
#include "OblFileSaveDlg.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "StringIds.h"
#include "Translator.h"

#include <QDir>

namespace {

// Writes through the NMEA dialog; false only when the file failed.
bool ExportNmea(const std::vector<int>& segments, const QString& path, QWidget* parent, QString& error)
{
    NmeaTrackWriter writer;
    ExportNmeaDlg dialog(writer, parent);
    if (dialog.DoModal() != IDOK)
        return true;
    return NmeaExport::Write(OpenTracks::Get().model, segments, path, writer.GetMessageSet(), error);
}

} // namespace

void RunExportCommand(QWidget* parent)
{
    OpenTracks& open = OpenTracks::Get();
    std::vector<int> items;
    open.holder.GetState().GetSelectedItems(items);
    const std::vector<int> files = ExportSelection::FilesOf(open.model, items);
    Translator& texts = Translator::GetInstance();
    if (files.size() >= 2) {
        texts.MessageBoxW(IDS_EXPORT_SINGLE_FILE_ONLY);
        return;
    }
    if (files.empty())
        return;
    OblFileSaveDlg dialog(OFN_OVERWRITEPROMPT, parent);
    dialog.AddFilter(texts.LoadStr(IDS_FILTER_NMEA), QStringLiteral("*.nmea"));
    dialog.AddFilter(texts.LoadStr(IDS_FILTER_CSV), QStringLiteral("*.csv"));
    dialog.SetRegKey(QStringLiteral("TracksDlg"), QStringLiteral("LastExportFilter"));
    QString path = open.model.GetReader()->GetNode(files.front())->GetName();
    if (!dialog.StartDialog(path))
        return;
    const std::vector<int> segments = ExportSelection::SegmentsOf(open.model, items);
    QString error;
    bool written = true;
    if (dialog.GetSelectedFilterIndex() == 0)
        written = ExportNmea(segments, path, parent, error);
    else
        written = CsvExport::Write(open.model, segments, path, OptUnits::GetInstance().GetMeasuringSystem(), error);
    // An export that silently wrote nothing would leave the user believing
    // the file is there.
    if (!written)
        texts.MessageBoxW(texts.Format(IDS_SAVE_TRACK_FAILED, QDir::toNativeSeparators(path), error),
                          MB_OK | MB_ICONERROR);
}
