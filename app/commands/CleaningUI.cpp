#include "CleaningUI.h"

#include "CleanedPointsPainter.h"
#include "CleaningCapture.h"
#include "CommandIds.h"
#include "CommandUI.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OblFileOpenDlg.h"
#include "OblFileSaveDlg.h"
#include "OpenTracks.h"
#include "RecipePresets.h"
#include "RecipeReader.h"
#include "RecipeRunner.h"
#include "RecipeWriter.h"
#include "RegistryKey.h"
#include "StatisticsOptions.h"
#include "StringIds.h"
#include "TrackView.h"
#include "Translator.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

std::vector<int> SelectedFiles()
{
    OpenTracks& open = OpenTracks::Get();
    std::vector<int> items;
    open.holder.GetState().GetSelectedItems(items);
    return CleaningCapture::FilesOf(open.model, items);
}

const QString kRecipeKey = QStringLiteral("Recipes");

void AddRecipeFilter(OblFileDialog& dialog)
{
    dialog.AddFilter(Translator::GetInstance().LoadStr(IDS_FILTER_RECIPE), QStringLiteral("*.json"));
    dialog.SetRegKey(kRecipeKey, QStringLiteral("LastFilter"));
}

} // namespace

CleaningUI::CleaningUI(MainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_RECIPE_FIRST, ID_RECIPE_LAST, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_RECIPE_FIRST, ID_RECIPE_LAST, [this](CommandUI& ui) { OnCommandUI(ui); });
    m_logChanges = frame.GetCleaningLog().Subscribe([this] {
        if (m_showPoints)
            m_frame.GetTrackView().RequestRedraw();
    });
}

void CleaningUI::OnCommand(int id)
{
    CleaningLog& log = m_frame.GetCleaningLog();
    switch (id) {
    case ID_RECIPE_RECORD:
        log.SetRecording(!log.IsRecording());
        break;
    case ID_RECIPE_SAVE:
        SaveRecipe();
        break;
    case ID_RECIPE_APPLY:
        ApplyRecipe();
        break;
    case ID_VIEW_CLEANED_POINTS:
        ShowCleanedPoints(!m_showPoints);
        break;
    default:
        break;
    }
}

void CleaningUI::OnCommandUI(CommandUI& ui) const
{
    const CleaningLog& log = m_frame.GetCleaningLog();
    switch (ui.GetId()) {
    case ID_RECIPE_RECORD:
        ui.SetCheck(log.IsRecording());
        break;
    case ID_RECIPE_SAVE:
        ui.Enable(!log.GetRecipe().steps.empty());
        break;
    case ID_RECIPE_APPLY:
        ui.Enable(OpenTracks::Get().holder.GetState().GetSelectedCount() > 0);
        break;
    case ID_VIEW_CLEANED_POINTS:
        ui.SetCheck(m_showPoints);
        break;
    default:
        ui.Enable(false);
        break;
    }
}

void CleaningUI::SaveRecipe()
{
    OblFileSaveDlg dialog(OFN_OVERWRITEPROMPT, &m_frame);
    AddRecipeFilter(dialog);
    QString path = QStringLiteral("recipe.json");
    if (!dialog.StartDialog(path))
        return;
    Recipe recipe = m_frame.GetCleaningLog().GetRecipe();
    recipe.name = QFileInfo(path).completeBaseName();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(RecipeWriter::ToJson(recipe)) < 0 || !file.commit()) {
        Translator& texts = Translator::GetInstance();
        texts.MessageBoxW(texts.LoadStr(IDS_RECIPE_CANNOT_WRITE).arg(path, file.errorString()), MB_OK | MB_ICONERROR);
    }
}

void CleaningUI::ApplyRecipe()
{
    const std::vector<int> files = SelectedFiles();
    if (files.empty())
        return;
    OblFileOpenDlg dialog(OFN_FILEMUSTEXIST, &m_frame);
    AddRecipeFilter(dialog);
    // Until the user chose a recipe of their own, the dialog opens among
    // the shipped presets.
    QString path;
    if (RegistryKey(kRecipeKey).ReadString(QStringLiteral("LastFolder")).isEmpty())
        path = RecipePresets::GetFolder() + QLatin1Char('/');
    if (!dialog.StartDialog(path))
        return;
    Translator& texts = Translator::GetInstance();
    Recipe recipe;
    RecipeReader reader;
    if (!reader.ReadFile(path, recipe)) {
        texts.MessageBoxW(reader.GetError(), MB_OK | MB_ICONERROR);
        return;
    }
    OpenTracks& open = OpenTracks::Get();
    const RecipeRunner runner(recipe, StatisticsOptions::GetInstance().GetParams());
    std::vector<CleaningLog::FileReport> reports;
    for (const int file : files) {
        const QString name = open.model.GetReader()->GetNode(file)->GetName();
        CleaningReport report = runner.Run(open.model, file, true);
        open.model.SetModified(file, true);
        if (!report.error.isEmpty())
            texts.MessageBoxW(texts.LoadStr(IDS_CLEAN_REPORT_FAILED).arg(name, report.error), MB_OK | MB_ICONWARNING);
        reports.push_back({name, std::move(report)});
    }
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    CleaningLog& log = m_frame.GetCleaningLog();
    for (const RecipeStep& step : recipe.steps)
        log.Record(step);
    log.Publish(IDS_UNDO_APPLY_RECIPE, std::move(reports));
}

void CleaningUI::ShowCleanedPoints(bool show)
{
    m_showPoints = show;
    TrackView& view = m_frame.GetTrackView();
    if (show) {
        view.SetOverlayPainter([this](DrawingLayersI& layers, const CoordTransformI& transform) {
            const CleaningLog& log = m_frame.GetCleaningLog();
            if (!log.Describes(OpenTracks::Get().history))
                return;
            for (const CleaningLog::FileReport& file : log.GetFiles())
                for (const CleaningSegment& segment : file.report.segments)
                    CleanedPointsPainter::Draw(layers, transform, segment.points);
        });
    } else {
        view.SetOverlayPainter({});
    }
    view.RequestRedraw();
}
