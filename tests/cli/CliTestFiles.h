#pragma once

#include "TestSupport.h"
#include "Time.h"
#include "TrackPoint.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

// Degrees of longitude on the equator that the program measures as a metre.
double LonPerMeter();

struct GpxPoint
{
    double meters;
    // ISO 8601, or none.
    std::optional<QString> time;
};

// A GPX file in dir with one segment on the equator, the points that many
// metres east of 0°.
QString WriteGpx(const QString& dir, const std::vector<GpxPoint>& points);
// The points of every segment of a file, one after another.
std::vector<TrackPoint> ReadPoints(const QString& path);

Time Iso(const char* text);
double SecondsBetween(const Time& a, const Time& b);

// What quorvel-track did when run as a separate process.
struct Outcome
{
    // -1 when it did not finish normally.
    int status = -1;
    QString output;
    QString errors;
};
Outcome RunTool(const QStringList& args);

// A test that writes its files into a folder of its own.
class CliFileTest : public ::testing::Test
{
protected:
    QString Out() const;

    QString m_dir = MakeTempDir();
};
