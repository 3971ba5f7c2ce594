#include "SaveLossText.h"
#include "StringIds.h"
#include "Translator.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

} // namespace

TEST(SaveLossText, NothingLostSaysNothing)
{
    EXPECT_TRUE(SaveLossText(TrackFileKml, {}).isEmpty());
}

TEST(SaveLossText, NamesTheFormatThenEachLossOnALine)
{
    using Loss = SaveLossCheck::Loss;
    SaveLossCheck::Result result;
    result.losses = Loss::Folders | Loss::MissingTimes | Loss::Temperature | Loss::KeptGpxParts;
    result.untimedPoints = 12;
    const QStringList lines = SaveLossText(TrackFileTcx, result).split(QLatin1Char('\n'));
    EXPECT_EQ(lines,
              (QStringList{Translator::GetInstance().Format(IDS_SAVE_LOSS_INTRO, QStringLiteral("TCX")),
                           QStringLiteral("TCX has no folders; they become laps."),
                           Translator::GetInstance().Format(IDS_SAVE_LOSS_NO_TIME, QStringLiteral("12")),
                           Str(IDS_SAVE_LOSS_TEMPERATURE), Str(IDS_SAVE_LOSS_KEPT_GPX)}));
    EXPECT_TRUE(lines[2].contains(QStringLiteral(" 12 points "))) << lines[2].toStdString();
    const QString kml = SaveLossText(TrackFileKml, result);
    EXPECT_TRUE(kml.contains(Translator::GetInstance().Format(IDS_SAVE_LOSS_NO_TIME_KML, QStringLiteral("12"))));
    EXPECT_FALSE(kml.contains(QStringLiteral("TCX"))) << kml.toStdString();
}

TEST(SaveLossText, GeoJsonFoldersBecomeFeatures)
{
    SaveLossCheck::Result result;
    result.losses = SaveLossCheck::Folders | SaveLossCheck::HeartRateCadence;
    const QString text = SaveLossText(TrackFileGeoJson, result);
    EXPECT_TRUE(text.startsWith(Translator::GetInstance().Format(IDS_SAVE_LOSS_INTRO, Str(IDS_FORMAT_GEOJSON))));
    EXPECT_TRUE(text.contains(Str(IDS_SAVE_LOSS_FOLDERS_GEOJSON)));
    EXPECT_FALSE(text.contains(Str(IDS_SAVE_LOSS_FOLDERS_TCX)));
    EXPECT_TRUE(text.endsWith(Str(IDS_SAVE_LOSS_HEART_CADENCE)));
}

TEST(SaveLossText, KeptPointMarkupIsNamedAfterTheFilesParts)
{
    SaveLossCheck::Result result;
    result.losses = SaveLossCheck::KeptGpxParts | SaveLossCheck::PointMarkup;
    const QStringList lines = SaveLossText(TrackFileKml, result).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], Str(IDS_SAVE_LOSS_KEPT_GPX));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Point names, descriptions and extensions"))) << lines[2].toStdString();
}
