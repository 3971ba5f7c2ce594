#include "CliArgs.h"
#include "CliCommands.h"
#include "CleanTargets.h"
#include "CleaningReportJson.h"
#include "CleaningReportText.h"
#include "FileCleaningJob.h"

#include "FilterReasons.h"
#include "RecipePresets.h"
#include "RecipeReader.h"
#include "RecipeRunner.h"
#include "SameFile.h"
#include "StatisticsOptions.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "Translator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QThread>
#include <QThreadPool>

namespace {

// The recipe named by --recipe: a file, or a preset by its name.
bool LoadRecipe(CliArgs& parsed, Recipe& recipe)
{
    const QString given = parsed.GetValue(QStringLiteral("--recipe"));
    const QString path = RecipePresets::Resolve(given);
    if (path.isEmpty()) {
        parsed.SetError(Translator::GetInstance()
                            .LoadStr(IDS_RECIPE_NO_PRESET)
                            .arg(given, RecipePresets::GetNames().join(QStringLiteral(", "))));
        return false;
    }
    RecipeReader reader;
    if (!reader.ReadFile(path, recipe)) {
        parsed.SetError(path + QStringLiteral(": ") + reader.GetError());
        return false;
    }
    if (recipe.name.isEmpty())
        recipe.name = QFileInfo(path).completeBaseName();
    return true;
}

QJsonObject FileEntry(const CleanTargets::Target& target, const FileCleaningResult& result)
{
    QJsonObject entry{
        {QStringLiteral("input"), target.input},
        {QStringLiteral("cleaned"), result.cleaned},
    };
    if (result.cleaned) {
        entry.insert(QStringLiteral("output"), target.output);
        if (!target.backup.isEmpty())
            entry.insert(QStringLiteral("backup"), target.backup);
        for (auto field = CleaningReportJson::ToJson(result.report); const QString& key : field.keys())
            entry.insert(key, field.value(key));
    } else {
        entry.insert(QStringLiteral("error"), result.messages.join(QLatin1Char('\n')));
    }
    return entry;
}

// Empty when the report reached the file.
QString WriteReport(const QString& path, const QByteArray& json)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(json) != json.size() || !file.flush())
        return file.errorString();
    file.close();
    return file.error() == QFileDevice::NoError ? QString() : file.errorString();
}

} // namespace

int RunCleanCommand(const CliCommand& command, const QStringList& args)
{
    CliArgs parsed(command, args);
    const QString outputFolder = parsed.GetValue(QStringLiteral("-o"));
    const bool inPlace = parsed.Has(QStringLiteral("--in-place"));
    if (outputFolder.isEmpty() == !inPlace)
        parsed.SetError(QStringLiteral("give either -o OUTDIR or --in-place"));
    const int jobs = parsed.GetPositive(QStringLiteral("--jobs"), std::max(1, QThread::idealThreadCount()));
    Recipe recipe;
    if (parsed.GetError().isEmpty())
        LoadRecipe(parsed, recipe);
    const CleanTargets targets(parsed.GetNames(), outputFolder);
    parsed.SetError(targets.GetError());
    const QString reportFile = parsed.GetValue(QStringLiteral("--report"));
    for (const CleanTargets::Target& target : targets.GetTargets()) {
        if (!reportFile.isEmpty() && (IsSameFile(reportFile, target.input) || IsSameFile(reportFile, target.output)))
            parsed.SetError(QStringLiteral("the report would overwrite ") + reportFile);
    }
    if (!parsed.GetError().isEmpty())
        return parsed.ReportError();
    for (const CleanTargets::Target& target : targets.GetTargets()) {
        if (!QDir().mkpath(QFileInfo(target.output).path()))
            return parsed.ReportFailure(QStringLiteral("cannot make the folder ") + QFileInfo(target.output).path());
    }

    // What the workers share is made here, on this thread: the rule texts
    // become reasons, the user's statistics settings and time zone (for the
    // names of new folders) are read once.
    const RecipeRunner runner(recipe, StatisticsOptions::GetInstance().GetParams());
    FilterReasons::GetInstance();
    TimeZones::GetInstance();
    const std::vector<CleanTargets::Target>& files = targets.GetTargets();
    std::vector<FileCleaningResult> results(files.size());
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    for (size_t i = 0; i < files.size(); ++i) {
        pool.start([&runner, &files, &results, i] {
            results[i] = FileCleaningJob::Run(runner, files[i].input, files[i].output, files[i].backup);
        });
    }
    pool.waitForDone();

    QTextStream out(stdout);
    QTextStream errors(stderr);
    const bool quiet = parsed.Has(QStringLiteral("--quiet"));
    QJsonArray entries;
    int status = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        for (const QString& message : results[i].messages)
            errors << message << '\n';
        if (!results[i].cleaned)
            status = 1;
        else if (!quiet)
            out << CleaningReportText::Format(files[i].input, recipe.name, files[i].output, results[i].report) << '\n';
        entries.append(FileEntry(files[i], results[i]));
    }
    if (!reportFile.isEmpty()) {
        const QJsonObject report{{QStringLiteral("recipe"), recipe.name}, {QStringLiteral("files"), entries}};
        const QString why = WriteReport(reportFile, QJsonDocument(report).toJson(QJsonDocument::Indented));
        if (!why.isEmpty())
            return parsed.ReportFailure(QStringLiteral("cannot write the report ") + reportFile + QStringLiteral(": ") + why);
    }
    return status;
}
