#pragma once

#include "ExpatStreamReader.h"
#include "KmlCoordinates.h"
#include "Time.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TrackData;

// Reads KML 2.0 to 2.2 (with Google's gx: extension) into the tree below the
// file node:
//
//   folder per Document and Folder, named by its <name>, nested as in the
//   file; one without a name is left out and its content goes a level up
//     segment per LineString, named by its Placemark's name; a MultiGeometry
//     with several LineStrings gives several segments of that name
//     segment per gx:Track, alone or in a gx:MultiTrack, named the same way
//
// A gx:Track pairs its n-th <when> with its n-th <gx:coord>, whether they come
// interleaved or in two runs; an empty <gx:coord/> is no point and drops its
// time with it; surplus whens are ignored and surplus coords get no time.
// The ExtendedData arrays "heartrate" (or "heart_rate"), "cadence" and
// "temperature" pair with the coords the same way; they are free-form data,
// so a value that is not a number is simply not taken.
//
// Points, polygons, overlays, styles and descriptions are not tracks and are
// not read; a file with nothing else holds no track. Folders and segments
// that get no point are not made. A container's <name> is taken when it
// comes before the container's first track, as KML orders it.
class KmlReader : public ExpatStreamReader
{
public:
    explicit KmlReader(LoadContext& context);

protected:
    void OnStartElement(const Name& name, const char** attributes) override;
    void OnEndElement(const Name& name) override;

private:
    enum class Tag : unsigned char {
        Other,
        Kml,
        Container,
        Placemark,
        Name,
        LineString,
        Coordinates,
        Track,
        When,
        Coord,
        ArrayData,
        Value,
    };

    // Per-point values of a gx:Track's ExtendedData that a point can hold.
    enum ArrayKind { HeartRateArray, CadenceArray, TemperatureArray, PowerArray, ArrayKinds };

    struct Container
    {
        std::string name;
        int tid = -1;
    };

    static Tag Classify(std::string_view local);
    Tag Parent() const;

    int ContainerTid();
    TrackData& NewSegment();
    void EndName(Tag parent);
    void EndCoordinates();
    void BeginTrack();
    void BeginArray(const char** attributes);
    void EndWhen();
    void EndCoord();
    void EndValue();
    void EndTrack();
    // Fails at the line of the fault inside the text just read.
    void FailInText(const KmlCoordinates::Error& error);

    std::vector<Tag> m_stack;
    std::vector<Container> m_containers;
    std::string m_placemarkName;

    // The gx:Track being read.
    bool m_inTrack = false;
    TrackData* m_track = nullptr;
    std::vector<Time> m_whens;
    uint32_t m_coords = 0;
    // Indices among the track's gx:coord elements of those without position.
    std::vector<uint32_t> m_emptyCoords;
    std::vector<float> m_arrays[ArrayKinds];
    int m_array = -1;
};
