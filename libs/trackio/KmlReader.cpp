#include "KmlReader.h"

#include "IsoTime.h"
#include "LoadContext.h"
#include "SpareCapacity.h"
#include "TextNumber.h"
#include "TrackData.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct TagName
{
    std::string_view name;
    int tag;
};

// A reading of 0..255 (heart rate, cadence) or nothing.
bool ToByte(float value, unsigned char& byte)
{
    const float rounded = std::round(value);
    if (!(rounded >= 0 && rounded <= 255))
        return false;
    byte = static_cast<unsigned char>(rounded);
    return true;
}

} // namespace

KmlReader::KmlReader(LoadContext& context)
    : ExpatStreamReader(context)
{
    m_stack.reserve(16);
}

KmlReader::Tag KmlReader::Classify(std::string_view local)
{
    static constexpr TagName Names[] = {
        {"when", int(Tag::When)},
        {"coord", int(Tag::Coord)},
        {"coordinates", int(Tag::Coordinates)},
        {"value", int(Tag::Value)},
        {"name", int(Tag::Name)},
        {"Placemark", int(Tag::Placemark)},
        {"LineString", int(Tag::LineString)},
        {"Track", int(Tag::Track)},
        {"SimpleArrayData", int(Tag::ArrayData)},
        {"Folder", int(Tag::Container)},
        {"Document", int(Tag::Container)},
        {"kml", int(Tag::Kml)},
    };
    for (const TagName& entry : Names) {
        if (entry.name == local)
            return static_cast<Tag>(entry.tag);
    }
    return Tag::Other;
}

KmlReader::Tag KmlReader::Parent() const
{
    return m_stack.size() < 2 ? Tag::Other : m_stack[m_stack.size() - 2];
}

void KmlReader::OnStartElement(const Name& name, const char** attributes)
{
    const Tag tag = Classify(name.local);
    if (m_stack.empty() && tag != Tag::Kml) {
        Fail("the root element is <" + std::string(name.local) + ">, not <kml>");
        return;
    }
    m_stack.push_back(tag);
    switch (tag) {
    case Tag::Container:
        m_containers.emplace_back();
        break;
    case Tag::Placemark:
        m_placemarkName.clear();
        break;
    case Tag::Track:
        BeginTrack();
        break;
    case Tag::ArrayData:
        BeginArray(attributes);
        break;
    default:
        break;
    }
}

void KmlReader::OnEndElement(const Name&)
{
    // Expat may still report the end of an empty root it was told to stop at.
    if (m_stack.empty())
        return;
    const Tag tag = m_stack.back();
    const Tag parent = Parent();
    switch (tag) {
    case Tag::Container:
        m_containers.pop_back();
        break;
    case Tag::Placemark:
        m_placemarkName.clear();
        break;
    case Tag::Name:
        EndName(parent);
        break;
    case Tag::Coordinates:
        if (parent == Tag::LineString)
            EndCoordinates();
        break;
    case Tag::When:
        if (m_inTrack && parent == Tag::Track)
            EndWhen();
        break;
    case Tag::Coord:
        if (m_inTrack && parent == Tag::Track)
            EndCoord();
        break;
    case Tag::Value:
        if (parent == Tag::ArrayData)
            EndValue();
        break;
    case Tag::ArrayData:
        m_array = -1;
        break;
    case Tag::Track:
        EndTrack();
        break;
    default:
        break;
    }
    m_stack.pop_back();
}

int KmlReader::ContainerTid()
{
    int parent = Context().GetFileTid();
    for (Container& container : m_containers) {
        // A container without name adds a level but nothing to tell it by:
        // its content goes to the level above.
        if (container.tid < 0)
            container.tid = container.name.empty() ? parent : Context().AddFolder(parent, QString::fromUtf8(container.name));
        parent = container.tid;
    }
    return parent;
}

TrackData& KmlReader::NewSegment()
{
    const int parent = ContainerTid();
    return Context().AddSegment(parent, QString::fromUtf8(m_placemarkName));
}

void KmlReader::EndName(Tag parent)
{
    const std::string_view name = TextNumber::Trim(Text());
    if (parent == Tag::Placemark)
        m_placemarkName = name;
    else if (parent == Tag::Container && !m_containers.empty())
        m_containers.back().name = name;
}

void KmlReader::EndCoordinates()
{
    const std::string& text = Text();
    const size_t words = KmlCoordinates::CountWords(text);
    if (words == 0)
        return;
    TrackData& segment = NewSegment();
    segment.Reserve(static_cast<int>(std::min<size_t>(words, std::numeric_limits<int>::max())));
    KmlCoordinates::Error error;
    if (!KmlCoordinates::ReadTuples(text, segment.GetPoints(), error)) {
        FailInText(error);
        return;
    }
    SpareCapacity::Release(segment);
}

void KmlReader::BeginTrack()
{
    if (m_inTrack) {
        Fail("a <gx:Track> inside a <gx:Track>");
        return;
    }
    m_inTrack = true;
    m_track = nullptr;
    m_whens.clear();
    m_coords = 0;
    m_emptyCoords.clear();
    for (std::vector<float>& values : m_arrays)
        values.clear();
    m_array = -1;
}

void KmlReader::BeginArray(const char** attributes)
{
    m_array = -1;
    const char* name = Attribute(attributes, "name");
    if (!m_inTrack || !name)
        return;
    const std::string_view array(name);
    if (array == "heartrate" || array == "heart_rate")
        m_array = HeartRateArray;
    else if (array == "cadence")
        m_array = CadenceArray;
    else if (array == "temperature")
        m_array = TemperatureArray;
    else if (array == "power")
        m_array = PowerArray;
}

void KmlReader::EndWhen()
{
    // An empty <when/> keeps its place: the coords pair by position.
    Time time;
    if (!TextNumber::Trim(Text()).empty()) {
        time = IsoTime::Parse(Text());
        if (time.IsNull()) {
            Fail("<when> " + TextNumber::Quote(Text()) + " is not a time");
            return;
        }
    }
    m_whens.push_back(time);
}

void KmlReader::EndCoord()
{
    TrackPoint point;
    bool present = false;
    KmlCoordinates::Error error;
    if (!KmlCoordinates::ReadCoord(Text(), point, present, error)) {
        FailInText(error);
        return;
    }
    const uint32_t index = m_coords++;
    if (!present) {
        m_emptyCoords.push_back(index);
        return;
    }
    if (!m_track) {
        m_track = &NewSegment();
        m_track->Reserve(static_cast<int>(std::min<size_t>(m_whens.size(), std::numeric_limits<int>::max())));
    }
    m_track->Append(point);
}

void KmlReader::EndValue()
{
    if (m_array < 0)
        return;
    double value = 0;
    const bool readable = TextNumber::ToDouble(Text(), value) && TextNumber::FitsFloat(value);
    m_arrays[m_array].push_back(readable ? static_cast<float>(value) : std::numeric_limits<float>::quiet_NaN());
}

void KmlReader::EndTrack()
{
    if (m_track) {
        size_t nextEmpty = 0;
        uint32_t coord = 0;
        for (TrackPoint& point : m_track->GetPoints()) {
            while (nextEmpty < m_emptyCoords.size() && m_emptyCoords[nextEmpty] == coord) {
                ++nextEmpty;
                ++coord;
            }
            if (coord < m_whens.size())
                point.SetTime(m_whens[coord]);
            TrackPointGpsParams& params = point.GetGpsParams();
            unsigned char byte = 0;
            const std::vector<float>& heartRates = m_arrays[HeartRateArray];
            if (coord < heartRates.size() && ToByte(heartRates[coord], byte))
                params.SetHeartRate(byte);
            const std::vector<float>& cadences = m_arrays[CadenceArray];
            if (coord < cadences.size() && ToByte(cadences[coord], byte))
                params.SetCadence(byte);
            const std::vector<float>& temperatures = m_arrays[TemperatureArray];
            if (coord < temperatures.size() && !std::isnan(temperatures[coord]))
                params.SetTemperature(temperatures[coord]);
            const std::vector<float>& powers = m_arrays[PowerArray];
            if (coord < powers.size() && TrackPoint::IsPowerReading(powers[coord]))
                point.SetPower(powers[coord]);
            ++coord;
        }
        SpareCapacity::Release(*m_track);
    }
    m_inTrack = false;
    m_track = nullptr;
    m_array = -1;
}

void KmlReader::FailInText(const KmlCoordinates::Error& error)
{
    // The text ends where the end tag starts, the current position.
    const std::string& text = Text();
    const auto linesAfter = std::count(text.begin() + static_cast<std::ptrdiff_t>(std::min(error.offset, text.size())),
                                       text.end(), '\n');
    Context().FailAtLine(CurrentLine() - linesAfter, QString::fromStdString(error.message));
    Fail(error.message);
}
