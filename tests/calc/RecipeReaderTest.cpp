#include "Dir.h"
#include "RecipePresets.h"
#include "RecipeReader.h"
#include "RecipeStepKind.h"
#include "RecipeWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// A recipe of the current version around the given steps.
QByteArray WithSteps(const char* steps)
{
    return QByteArray(R"({"format": "quorvel-recipe", "version": 1, "steps": [)") + steps + "]}";
}

QString ErrorOf(const QByteArray& json)
{
    RecipeReader reader;
    Recipe recipe;
    EXPECT_FALSE(reader.Read(json, recipe)) << json.toStdString();
    return reader.GetError();
}

} // namespace

TEST(RecipeReader, ReadsEveryStepKindWithItsParametersAndWritesItBack)
{
    const QByteArray json = WithSteps(R"(
        {"step": "filter-by-value", "max_speed_kmh": 45, "min_dist_m": 0.5, "why": "no bike is faster"},
        {"step": "spikes"},
        {"step": "local-inconsistency", "level": 30, "extended": true},
        {"step": "stops"},
        {"step": "delete-filtered", "keep_untimed": true},
        {"step": "restructure", "folder_gap_min": 90, "segment_gap_min": 4, "keep_breaks": true},
        {"step": "shift", "seconds": -3600},
        {"step": "retime", "speed_kmh": 12.5, "start": "2024-05-01T10:00:00Z"},
        {"step": "densify", "time_s": 0, "dist_m": 5})");
    RecipeReader reader;
    Recipe recipe;
    ASSERT_TRUE(reader.Read(json, recipe)) << reader.GetError().toStdString();
    ASSERT_EQ(recipe.steps.size(), RecipeStepKind::GetAll().size());
    for (size_t i = 0; i < recipe.steps.size(); ++i)
        EXPECT_EQ(recipe.steps[i].GetName(), QLatin1String(RecipeStepKind::GetAll()[i].name));
    EXPECT_EQ(recipe.steps[0].GetNumber(QStringLiteral("max_speed_kmh"), 0), 45);
    EXPECT_EQ(recipe.steps[0].GetWhy(), "no bike is faster");
    EXPECT_TRUE(recipe.steps[2].GetFlag(QStringLiteral("extended")));
    EXPECT_FALSE(recipe.steps[5].GetFlag(QStringLiteral("missing")));
    EXPECT_EQ(recipe.steps[6].GetNumber(QStringLiteral("seconds"), 0), -3600);
    EXPECT_FALSE(recipe.steps[7].GetTime(QStringLiteral("start")).IsNull());
    EXPECT_TRUE(recipe.steps[8].GetTime(QStringLiteral("start")).IsNull());

    recipe.name = QStringLiteral("everything");
    Recipe again;
    ASSERT_TRUE(reader.Read(RecipeWriter::ToJson(recipe), again)) << reader.GetError().toStdString();
    EXPECT_EQ(again.name, "everything");
    ASSERT_EQ(again.steps.size(), recipe.steps.size());
    for (size_t i = 0; i < recipe.steps.size(); ++i) {
        EXPECT_EQ(again.steps[i].GetName(), recipe.steps[i].GetName());
        EXPECT_EQ(again.steps[i].GetValues(), recipe.steps[i].GetValues()) << i;
        EXPECT_EQ(again.steps[i].GetWhy(), recipe.steps[i].GetWhy()) << i;
    }
}

TEST(RecipeReader, RefusesANewerVersionNamingBothVersions)
{
    // Even a step this program knows: the newer format may mean it otherwise.
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "version": 2, "steps": [{"step": "spikes"}]})"),
              "The recipe is of version 2; this program reads recipes up to version 1.");
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "version": 0, "steps": []})"),
              "The recipe's \"version\" must be a whole number from 1 on.");
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "version": 1.5, "steps": []})"),
              "The recipe's \"version\" must be a whole number from 1 on.");
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "steps": []})"),
              "The recipe's \"version\" must be a whole number from 1 on.");
}

TEST(RecipeReader, RefusesWhatItDoesNotUnderstandNamingIt)
{
    EXPECT_EQ(ErrorOf(WithSteps(R"({"step": "spikes"}, {"step": "smooth", "window": 5})")),
              "Step 2: unknown step \"smooth\"; the known steps are filter-by-value, spikes, local-inconsistency, "
              "stops, delete-filtered, restructure, shift, retime, densify.");
    EXPECT_EQ(ErrorOf(WithSteps(R"({"step": "spikes", "threshold": 3})")),
              "Step 1 (spikes): unknown parameter \"threshold\".");
    EXPECT_EQ(ErrorOf(WithSteps(R"({"step": "filter-by-value", "max_speed": 30})")),
              "Step 1 (filter-by-value): unknown parameter \"max_speed\".");
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "version": 1, "steps": [], "author": "me"})"),
              "The recipe has an unknown field \"author\".");
    EXPECT_EQ(ErrorOf(R"({"format": "gpx-cleaner", "version": 1, "steps": []})"),
              "This is no cleaning recipe: its \"format\" is not \"quorvel-recipe\".");
    EXPECT_EQ(ErrorOf(R"({"format": "quorvel-recipe", "version": 1})"), "The recipe has no \"steps\" list.");
    EXPECT_EQ(ErrorOf(WithSteps(R"("spikes")")), "Step 1 is not an object with a \"step\" name.");
    EXPECT_TRUE(ErrorOf("{\"format\": ").startsWith("The recipe is no JSON: "));
}

TEST(RecipeReader, RefusesValuesOutsideTheirRangeOrOfTheWrongType)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"({"step": "filter-by-value", "max_speed_kmh": 0})",
         "Step 1 (filter-by-value): \"max_speed_kmh\" must be a number above 0."},
        {R"({"step": "filter-by-value", "max_speed_kmh": "30"})",
         "Step 1 (filter-by-value): \"max_speed_kmh\" must be a number above 0."},
        {R"({"step": "local-inconsistency", "level": 101})",
         "Step 1 (local-inconsistency): \"level\" must be a number from 0 to 100."},
        {R"({"step": "local-inconsistency", "extended": 1})",
         "Step 1 (local-inconsistency): \"extended\" must be true or false."},
        {R"({"step": "restructure", "segment_gap_min": 2.5})",
         "Step 1 (restructure): \"segment_gap_min\" must be a whole number from 1 on."},
        {R"({"step": "densify", "dist_m": -1})", "Step 1 (densify): \"dist_m\" must be a number from 0 on."},
        {R"({"step": "shift", "start": "yesterday"})",
         "Step 1 (shift): \"start\" must be an ISO 8601 time such as 2024-05-01T10:00:00Z."},
        {R"({"step": "retime", "start": "2024-05-01T10:00:00Z"})", "Step 1 (retime): \"speed_kmh\" is missing."},
        {R"({"step": "filter-by-value"})",
         "Step 1 (filter-by-value): give at least one of \"min_dist_m\", \"max_speed_kmh\", \"min_speed_kmh\", "
         "\"max_accel_fwd_ms2\", \"max_accel_brake_ms2\", \"max_accel_radial_ms2\"."},
        {R"({"step": "shift", "start": "2024-05-01T10:00:00Z", "seconds": 60})",
         "Step 1 (shift): give only one of \"start\", \"seconds\"."},
        {R"({"step": "spikes", "why": 3})", "\"why\" must be text."},
    };
    for (const auto& [step, message] : cases)
        EXPECT_EQ(ErrorOf(WithSteps(step)), QString::fromUtf8(message)) << step;
}

TEST(RecipeReader, EveryShippedPresetReadsAndJustifiesEachStep)
{
    Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DIR "/data"));
    const QStringList names = RecipePresets::GetNames();
    EXPECT_EQ(names, (QStringList{"bike", "boat", "car", "flight", "run", "walk"}));
    for (const QString& name : names) {
        const QString path = RecipePresets::Resolve(name);
        ASSERT_FALSE(path.isEmpty()) << name.toStdString();
        RecipeReader reader;
        Recipe recipe;
        ASSERT_TRUE(reader.ReadFile(path, recipe)) << reader.GetError().toStdString();
        EXPECT_EQ(recipe.name, name);
        EXPECT_FALSE(recipe.why.isEmpty()) << name.toStdString();
        ASSERT_FALSE(recipe.steps.empty()) << name.toStdString();
        for (const RecipeStep& step : recipe.steps) {
            if (!step.GetValues().empty()) {
                EXPECT_FALSE(step.GetWhy().isEmpty()) << name.toStdString() << " " << step.GetName().toStdString();
            }
        }
    }
    // A path wins over a preset name; a name with a folder in it is no preset.
    EXPECT_EQ(RecipePresets::Resolve(QStringLiteral(QUORVEL_SOURCE_DIR "/data/recipes/car.json")),
              QStringLiteral(QUORVEL_SOURCE_DIR "/data/recipes/car.json"));
    EXPECT_TRUE(RecipePresets::Resolve(QStringLiteral("recipes/car")).isEmpty());
    EXPECT_TRUE(RecipePresets::Resolve(QStringLiteral("skateboard")).isEmpty());
    Dir::SetDataDir(QString());
}
