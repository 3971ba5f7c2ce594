#include "TcxReader.h"

#include "IsoTime.h"
#include "LoadContext.h"
#include "SpareCapacity.h"
#include "TextNumber.h"
#include "TrackData.h"

#include <cmath>
#include <utility>

namespace {

constexpr double KmhPerMetrePerSecond = 3.6;

QString NumberedName(const QString& base, int number)
{
    return number <= 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(number);
}

} // namespace

TcxReader::TcxReader(LoadContext& context)
    : ExpatStreamReader(context)
{
    m_stack.reserve(16);
}

TcxReader::Tag TcxReader::Classify(std::string_view local)
{
    // Some twenty elements per point: dispatching on the length first keeps
    // every comparison one of known size.
    switch (local.size()) {
    case 2:
        return local == "Id" ? Tag::Id : Tag::Other;
    case 3:
        return local == "TPX" ? Tag::Tpx : local == "Lap" ? Tag::Lap : local == "Run" ? Tag::Run : Tag::Other;
    case 4:
        return local == "Time" ? Tag::Time : local == "Name" ? Tag::Name : Tag::Other;
    case 5:
        return local == "Value"   ? Tag::Value
               : local == "Speed" ? Tag::Speed
               : local == "Track" ? Tag::Track
               : local == "Watts" ? Tag::Watts
                                  : Tag::Other;
    case 6:
        return local == "Course" ? Tag::Course : Tag::Other;
    case 7:
        return local == "Cadence" ? Tag::Cadence : local == "History" ? Tag::History : Tag::Other;
    case 8:
        return local == "Position" ? Tag::Position : local == "Activity" ? Tag::Activity : Tag::Other;
    case 10:
        return local == "Trackpoint" ? Tag::Trackpoint : local == "RunCadence" ? Tag::RunCadence : Tag::Other;
    case 12:
        return local == "HeartRateBpm" ? Tag::HeartRate : Tag::Other;
    case 14:
        return local == "AltitudeMeters" ? Tag::Altitude : Tag::Other;
    case 15:
        return local == "LatitudeDegrees" ? Tag::Latitude : Tag::Other;
    case 16:
        return local == "LongitudeDegrees" ? Tag::Longitude : Tag::Other;
    case 22:
        return local == "TrainingCenterDatabase" ? Tag::Database : Tag::Other;
    default:
        return Tag::Other;
    }
}

TcxReader::Tag TcxReader::Parent() const
{
    return m_stack.size() < 2 ? Tag::Other : m_stack[m_stack.size() - 2];
}

void TcxReader::OnStartElement(const Name& name, const char** attributes)
{
    const Tag tag = Classify(name.local);
    if (m_stack.empty() && tag != Tag::Database) {
        Fail("the root element is <" + std::string(name.local) + ">, not <TrainingCenterDatabase>");
        return;
    }
    const Tag parent = m_stack.empty() ? Tag::Other : m_stack.back();
    m_stack.push_back(tag);
    switch (tag) {
    case Tag::Activity: {
        const char* sport = Attribute(attributes, "Sport");
        BeginOwner(sport ? sport : "");
        break;
    }
    case Tag::Run:
        // v1 keeps the sport in the folder around the run (Running, Biking...).
        BeginOwner(m_historySport);
        break;
    case Tag::Course:
        BeginOwner({});
        break;
    case Tag::Lap:
        if (m_owner.open && (parent == Tag::Activity || parent == Tag::Run)) {
            ++m_owner.laps;
            m_owner.tracksInLap = 0;
            const char* start = Attribute(attributes, "StartTime");
            if (start && m_owner.firstLapStart.empty())
                m_owner.firstLapStart = TextNumber::Trim(start);
        }
        break;
    case Tag::Track:
        BeginTrack(parent);
        break;
    case Tag::Trackpoint:
        BeginTrackpoint(parent);
        break;
    default:
        if (parent == Tag::History)
            m_historySport = name.local;
        break;
    }
}

void TcxReader::OnEndElement(const Name&)
{
    // Expat may still report the end of an empty root it was told to stop at.
    if (m_stack.empty())
        return;
    const Tag tag = m_stack.back();
    const Tag parent = Parent();
    switch (tag) {
    case Tag::Activity:
    case Tag::Run:
    case Tag::Course:
        m_owner = Owner();
        break;
    case Tag::Id:
        if (parent == Tag::Activity && m_owner.open)
            m_owner.name = TextNumber::Trim(Text());
        break;
    case Tag::Name:
        if (parent == Tag::Course && m_owner.open)
            m_owner.name = TextNumber::Trim(Text());
        break;
    case Tag::Track:
        EndTrack();
        break;
    case Tag::Trackpoint:
        EndTrackpoint();
        break;
    case Tag::Time:
        if (m_inTrackpoint && parent == Tag::Trackpoint && !TextNumber::Trim(Text()).empty()) {
            const Time time = IsoTime::Parse(Text());
            if (time.IsNull())
                FailValue("Time", "is not a time");
            m_point.SetTime(time);
        }
        break;
    case Tag::Position:
        if (m_inTrackpoint && parent == Tag::Trackpoint)
            EndPosition();
        break;
    case Tag::Latitude:
    case Tag::Longitude:
        if (m_inTrackpoint && parent == Tag::Position) {
            const bool latitude = tag == Tag::Latitude;
            const std::string_view element = latitude ? "LatitudeDegrees" : "LongitudeDegrees";
            double degrees = 0;
            if (!TextNumber::ToDouble(Text(), degrees)) {
                FailValue(element, "is not a number");
            } else if (std::abs(degrees) > (latitude ? 90.0 : 180.0)) {
                FailValue(element, "is out of range");
            } else {
                TVector2<double> position = m_point.Get2D();
                (latitude ? position.y : position.x) = degrees;
                m_point.Set2D(position);
                (latitude ? m_hasLatitude : m_hasLongitude) = true;
            }
        }
        break;
    case Tag::Altitude:
        if (m_inTrackpoint && parent == Tag::Trackpoint && !TextNumber::Trim(Text()).empty()) {
            double metres = 0;
            if (ReadNumber("AltitudeMeters", metres))
                m_point.SetElevation(metres);
        }
        break;
    case Tag::HeartRate:
    case Tag::Value:
        // v2 wraps the value in <Value>; v1 writes it straight into
        // <HeartRateBpm>, where v2 leaves only white space.
        if (m_inTrackpoint && (tag == Tag::HeartRate ? parent == Tag::Trackpoint : parent == Tag::HeartRate)) {
            unsigned char bpm = 0;
            bool present = false;
            if (ReadByte("HeartRateBpm", bpm, present) && present)
                m_point.GetGpsParams().SetHeartRate(bpm);
        }
        break;
    case Tag::Cadence:
    case Tag::RunCadence:
        if (m_inTrackpoint && parent == (tag == Tag::Cadence ? Tag::Trackpoint : Tag::Tpx)) {
            unsigned char cadence = 0;
            bool present = false;
            if (ReadByte(tag == Tag::Cadence ? "Cadence" : "RunCadence", cadence, present) && present)
                m_point.GetGpsParams().SetCadence(cadence);
        }
        break;
    case Tag::Speed:
        if (m_inTrackpoint && parent == Tag::Tpx && !TextNumber::Trim(Text()).empty()) {
            double metresPerSecond = 0;
            if (ReadNumber("Speed", metresPerSecond)) {
                const double kmh = metresPerSecond * KmhPerMetrePerSecond;
                if (TextNumber::FitsFloat(kmh))
                    m_point.GetGpsParams().SetGpsSpeed(kmh);
                else
                    FailValue("Speed", "is out of range");
            }
        }
        break;
    case Tag::Watts:
        if (m_inTrackpoint && parent == Tag::Tpx && !TextNumber::Trim(Text()).empty()) {
            double watts = 0;
            if (ReadNumber("Watts", watts)) {
                if (TrackPoint::IsPowerReading(watts))
                    m_point.SetPower(watts);
                else
                    FailValue("Watts", "is out of range");
            }
        }
        break;
    default:
        break;
    }
    m_stack.pop_back();
}

void TcxReader::BeginOwner(std::string sport)
{
    m_owner = Owner();
    m_owner.open = true;
    m_owner.sport = std::move(sport);
}

void TcxReader::BeginTrack(Tag parent)
{
    m_segment = nullptr;
    if (parent == Tag::Lap && m_owner.open) {
        ++m_owner.tracksInLap;
        m_segmentName = NumberedName(QStringLiteral("Lap %1").arg(m_owner.laps), m_owner.tracksInLap);
    } else if (parent == Tag::Course && m_owner.open) {
        ++m_owner.tracks;
        m_segmentName = NumberedName(QString::fromUtf8(m_owner.name), m_owner.tracks);
    } else {
        m_segmentName.clear();
    }
}

void TcxReader::BeginTrackpoint(Tag parent)
{
    if (m_inTrackpoint) {
        Fail("a <Trackpoint> inside a <Trackpoint>");
        return;
    }
    m_inTrackpoint = parent == Tag::Track;
    m_point = TrackPoint();
    m_hasLatitude = false;
    m_hasLongitude = false;
}

void TcxReader::EndPosition()
{
    if (!m_hasLatitude || !m_hasLongitude)
        Fail(m_hasLatitude ? "a <Position> without <LongitudeDegrees>" : "a <Position> without <LatitudeDegrees>");
}

void TcxReader::EndTrackpoint()
{
    if (!m_inTrackpoint)
        return;
    m_inTrackpoint = false;
    // Devices write a Trackpoint for every sensor sample, also while the
    // receiver has no fix; without a position it cannot be drawn or measured.
    if (!m_hasLatitude || !m_hasLongitude) {
        ++m_skipped;
        return;
    }
    Segment().Append(m_point);
}

void TcxReader::EndTrack()
{
    if (m_segment)
        SpareCapacity::Release(*m_segment);
    m_segment = nullptr;
}

TrackData& TcxReader::Segment()
{
    if (!m_segment)
        m_segment = &Context().AddSegment(OwnerFolder(), m_segmentName);
    return *m_segment;
}

int TcxReader::OwnerFolder()
{
    if (!m_owner.open)
        return Context().GetFileTid();
    if (m_owner.folderTid < 0)
        m_owner.folderTid = Context().AddFolder(Context().GetFileTid(), OwnerName());
    return m_owner.folderTid;
}

QString TcxReader::OwnerName() const
{
    if (!m_owner.name.empty())
        return QString::fromUtf8(m_owner.name);
    std::string name = m_owner.sport;
    if (!name.empty() && !m_owner.firstLapStart.empty())
        name += ' ';
    name += m_owner.firstLapStart;
    return QString::fromUtf8(name);
}

bool TcxReader::ReadNumber(std::string_view element, double& value)
{
    if (TextNumber::ToDouble(Text(), value))
        return true;
    FailValue(element, "is not a number");
    return false;
}

bool TcxReader::ReadByte(std::string_view element, unsigned char& value, bool& present)
{
    present = false;
    if (TextNumber::Trim(Text()).empty())
        return true;
    double number = 0;
    if (!ReadNumber(element, number))
        return false;
    const double rounded = std::round(number);
    if (rounded >= 0 && rounded <= 255) {
        value = static_cast<unsigned char>(rounded);
        present = true;
    }
    return true;
}

void TcxReader::FailValue(std::string_view element, std::string_view reason)
{
    Fail("<" + std::string(element) + "> " + TextNumber::Quote(Text()) + " " + std::string(reason));
}
