#include "BenchFitRide.h"

#include "FitBuilder.h"

#include <QFile>

#include <cmath>

namespace {

enum LocalType { FileIdType = 0, EventType = 1, RecordType = 2 };

// The FIT epoch is 1989-12-31; this is a morning in 2024.
constexpr int64_t StartTime = 1'081'000'000;
// One record message: its header byte and its fields.
constexpr long long RecordBytes = 1 + 4 * 6 + 1 + 1 + 1 + 2;

} // namespace

QByteArray MakeBenchFitRide(long long bytes, long long* recordCount)
{
    using F = FitBuilder;
    FitBuilder fit;
    fit.Define(FileIdType, 0, {{0, 1, F::Enum}, {4, 4, F::Uint32}});
    fit.Data(FileIdType, {4, StartTime});
    fit.Define(EventType, 21, {{253, 4, F::Uint32}, {0, 1, F::Enum}, {1, 1, F::Enum}});
    fit.Data(EventType, {StartTime, 0, 0});
    fit.Define(RecordType, 20,
               {{253, 4, F::Uint32}, {0, 4, F::Sint32}, {1, 4, F::Sint32}, {78, 4, F::Uint32}, {5, 4, F::Uint32},
                {73, 4, F::Uint32}, {3, 1, F::Uint8}, {4, 1, F::Uint8}, {13, 1, F::Sint8}, {7, 2, F::Uint16}});
    const long long records = bytes / RecordBytes;
    double latitude = 47.0, longitude = 8.0, distance = 0;
    for (long long i = 0; i < records; ++i) {
        const double heading = 0.002 * static_cast<double>(i);
        const double speed = 6.0 + 2.0 * std::sin(0.01 * static_cast<double>(i)); // m/s
        latitude += speed * std::cos(heading) / 111'320.0;
        longitude += speed * std::sin(heading) / (111'320.0 * std::cos(latitude * M_PI / 180.0));
        distance += speed;
        const double elevation = 400.0 + 150.0 * std::sin(0.0005 * static_cast<double>(i));
        fit.Data(RecordType, {StartTime + i, F::Semicircles(latitude), F::Semicircles(longitude),
                              std::llround((elevation + 500.0) * 5.0), std::llround(distance * 100.0),
                              std::llround(speed * 1000.0), 120 + i % 40, 80 + i % 15, 18, 180 + i % 90});
    }
    fit.Data(EventType, {StartTime + records, 0, 4});
    if (recordCount)
        *recordCount = records;
    return fit.File();
}

long long WriteBenchFitRide(const QString& fileName, long long bytes)
{
    long long records = 0;
    const QByteArray ride = MakeBenchFitRide(bytes, &records);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(ride) < 0 || !file.flush())
        return 0;
    return records;
}
