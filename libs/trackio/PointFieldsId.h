#pragma once

// The point fields that can be exported, numbered as the export field names
// of the point list are. The values are passed between parts, so they must
// not change.
enum PointFieldsId {
    PointFieldStatus = 0,
    PointFieldTime = 1,
    PointFieldDate = 2,
    PointFieldDateTime = 3,
    PointFieldLegLength = 4,
    PointFieldSpeed = 5,
    PointFieldGpsSpeed = 6,
    PointFieldAccel = 7,
    PointFieldAccelVector = 8,
    PointFieldAccelTang = 9,
    PointFieldAccelRadial = 10,
    PointFieldHeading = 11,
    PointFieldGpsHeading = 12,
    PointFieldLatitude = 13,
    PointFieldLongitude = 14,
    PointFieldElevation = 15,
    PointFieldElapsedTime = 16,
    PointFieldFromStart = 17,
    PointFieldHdop = 18,
    PointFieldVdop = 19,
    PointFieldPdop = 20,
    PointFieldHeartRate = 21,
    PointFieldCadence = 22,
    PointFieldTemperature = 23,
};
