#pragma once

#include <QByteArray>
#include <QString>

// Writes an activity FIT file of about the given size as a bike computer
// records one: a file id, a timer start, one record a second with position,
// enhanced altitude, distance, enhanced speed, heart rate, cadence,
// temperature and power, a timer stop. Returns the number of records.
long long WriteBenchFitRide(const QString& fileName, long long bytes);

// The same ride as bytes; records, when given, gets the number of records.
QByteArray MakeBenchFitRide(long long bytes, long long* records = nullptr);
