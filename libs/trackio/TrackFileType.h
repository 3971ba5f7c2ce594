#pragma once

// File types of the track library. The values are stored in settings (the
// open dialog's last filter) and passed between parts, so they must not change.
enum TrackFileType {
    TrackFileAll = 0,
    TrackFileNmea = 1,
    TrackFileNative = 2,
    TrackFileMagellanSd = 3,
    TrackFileKml = 4,
    TrackFileGpx = 5,
    TrackFileG200X = 6,
    TrackFileCsv = 8,
    TrackFileTcx = 9,
    TrackFileOzi = 10,
    TrackFileFit = 11,
    TrackFileIgc = 12,
    TrackFileGeoJson = 13,
    TrackFileKmz = 14,
};
