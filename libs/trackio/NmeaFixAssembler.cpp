#include "NmeaFixAssembler.h"

#include "NmeaSentence.h"
#include "TextNumber.h"

#include <cstdlib>
#include <string_view>

namespace {

using Field = NmeaSentence::Field;

constexpr double KmhPerKnot = 1.852;
constexpr double MetresPerFoot = 0.3048;
constexpr int64_t SameFixMicroseconds = 10000;

// Fields a sentence needs for what is read from it, and the fields it has
// when complete. A line without a checksum must be complete: a cut line
// cannot be told from a short sentence otherwise.
struct SentenceKind
{
    std::string_view type;
    NmeaFix::Part part;
    int minFields;
    int fullFields;
};

constexpr SentenceKind Kinds[] = {
    {"RMC", NmeaFix::Rmc, 9, 11}, {"GGA", NmeaFix::Gga, 6, 14}, {"GLL", NmeaFix::Gll, 4, 6},
    {"ZDA", NmeaFix::Zda, 4, 6},  {"GSA", NmeaFix::Gsa, 17, 17}, {"VTG", NmeaFix::Vtg, 8, 8},
};

const SentenceKind* FindKind(std::string_view type)
{
    for (const SentenceKind& kind : Kinds) {
        if (kind.type == type)
            return &kind;
    }
    return nullptr;
}

// Every reader returns false when a field holds something that is not what
// its place requires.

bool ReadTime(std::string_view value, NmeaFix& fix)
{
    const Field field = NmeaSentence::ReadTimeOfDay(value, fix.timeOfDay);
    fix.hasTime = field == Field::Ok;
    return field != Field::Bad;
}

bool ReadPosition(const NmeaSentence& s, int first, NmeaFix& fix)
{
    const Field lat = NmeaSentence::ReadCoordinate(s.GetField(first), s.GetField(first + 1), 90, fix.lat);
    const Field lon = NmeaSentence::ReadCoordinate(s.GetField(first + 2), s.GetField(first + 3), 180, fix.lon);
    if (lat == Field::Empty && lon == Field::Empty)
        return true;
    fix.hasPosition = lat == Field::Ok && lon == Field::Ok;
    return fix.hasPosition;
}

// Hands the number times scale to set. Receiver values are kept in single
// precision: a number beyond its range is as bad as no number (no receiver
// writes such numbers, not even as altitudes).
template <typename Setter>
bool ReadValue(std::string_view value, Setter set, double scale = 1.0)
{
    double number = 0;
    const Field field = NmeaSentence::ReadNumber(value, number);
    if (field == Field::Ok && !TextNumber::FitsFloat(number * scale))
        return false;
    if (field == Field::Ok)
        set(number * scale);
    return field != Field::Bad;
}

// A dilution of precision of 0 is what receivers write when they have none.
bool ReadDop(std::string_view value, NmeaFix& fix, void (TrackPointGpsParams::*set)(double))
{
    return ReadValue(value, [&](double v) {
        if (v > 0)
            (fix.gps.*set)(v);
    });
}

bool ReadSpeedKnots(std::string_view value, NmeaFix& fix)
{
    return ReadValue(value, [&](double kmh) { fix.gps.SetGpsSpeed(kmh); }, KmhPerKnot);
}

bool ReadCourse(std::string_view value, NmeaFix& fix)
{
    return ReadValue(value, [&](double degrees) { fix.gps.SetGpsAzimuth(degrees); });
}

bool ReadRmc(const NmeaSentence& s, NmeaFix& fix)
{
    fix.isVoid = s.GetField(1) == "V";
    // A broken date costs the date only: receivers hit by the GPS week
    // rollover write dates like "2208-1" beside a good position and time.
    NmeaSentence::ReadDate(s.GetField(8), fix.date);
    return ReadTime(s.GetField(0), fix) && ReadPosition(s, 2, fix) && ReadSpeedKnots(s.GetField(6), fix)
        && ReadCourse(s.GetField(7), fix);
}

bool ReadGga(const NmeaSentence& s, NmeaFix& fix)
{
    if (!ReadTime(s.GetField(0), fix) || !ReadPosition(s, 1, fix))
        return false;
    if (NmeaSentence::ReadInt(s.GetField(5), fix.ggaQuality) == Field::Bad)
        return false;
    fix.isVoid = fix.ggaQuality == 0;
    int sats = 0;
    const Field satField = NmeaSentence::ReadInt(s.GetField(6), sats);
    if (satField == Field::Ok)
        fix.gps.SetSatCount(sats);
    const double unit = s.GetField(9) == "F" ? MetresPerFoot : 1.0;
    return satField != Field::Bad && ReadDop(s.GetField(7), fix, &TrackPointGpsParams::SetHdop)
        && ReadValue(s.GetField(8), [&](double altitude) {
               fix.elevation = altitude * unit;
               fix.hasElevation = true;
           });
}

bool ReadGll(const NmeaSentence& s, NmeaFix& fix)
{
    fix.isVoid = s.GetField(5) == "V";
    return ReadPosition(s, 0, fix) && ReadTime(s.GetField(4), fix);
}

bool ReadZda(const NmeaSentence& s, NmeaFix& fix)
{
    if (!ReadTime(s.GetField(0), fix))
        return false;
    int day = 0, month = 0, year = 0;
    const Field fields[] = {NmeaSentence::ReadInt(s.GetField(1), day), NmeaSentence::ReadInt(s.GetField(2), month),
                            NmeaSentence::ReadInt(s.GetField(3), year)};
    int ok = 0;
    for (const Field field : fields) {
        if (field == Field::Bad)
            return false;
        ok += field == Field::Ok ? 1 : 0;
    }
    if (ok == 0)
        return true;
    // ZDA years have four digits; a longer number is noise, and beyond what
    // a Time holds.
    if (year < 1 || year > 9999)
        return false;
    fix.date = ok == 3 ? Time(year, month, day) : Time();
    return !fix.date.IsNull();
}

bool ReadGsa(const NmeaSentence& s, NmeaFix& fix)
{
    return NmeaSentence::ReadInt(s.GetField(1), fix.gsaMode) != Field::Bad
        && ReadDop(s.GetField(14), fix, &TrackPointGpsParams::SetPdop)
        && ReadDop(s.GetField(15), fix, &TrackPointGpsParams::SetHdop)
        && ReadDop(s.GetField(16), fix, &TrackPointGpsParams::SetVdop);
}

bool ReadVtg(const NmeaSentence& s, NmeaFix& fix)
{
    if (!ReadCourse(s.GetField(0), fix))
        return false;
    // km/h when given: it has the receiver's own rounding, not ours.
    const bool kmh = ReadValue(s.GetField(6), [&](double v) { fix.gps.SetGpsSpeed(v); });
    return kmh && (fix.gps.HasGpsSpeed() || ReadSpeedKnots(s.GetField(4), fix));
}

bool ReadPart(const NmeaSentence& s, NmeaFix::Part part, NmeaFix& fix)
{
    fix.parts = part;
    switch (part) {
    case NmeaFix::Rmc:
        return ReadRmc(s, fix);
    case NmeaFix::Gga:
        return ReadGga(s, fix);
    case NmeaFix::Gll:
        return ReadGll(s, fix);
    case NmeaFix::Zda:
        return ReadZda(s, fix);
    case NmeaFix::Gsa:
        return ReadGsa(s, fix);
    case NmeaFix::Vtg:
        return ReadVtg(s, fix);
    }
    return false;
}

bool SameTime(const NmeaFix& a, const NmeaFix& b)
{
    if (a.hasTime != b.hasTime)
        return false;
    return !a.hasTime || std::llabs(a.timeOfDay - b.timeOfDay) < SameFixMicroseconds;
}

} // namespace

NmeaFixAssembler::Result NmeaFixAssembler::Add(const NmeaSentence& sentence, NmeaFix& closed)
{
    const SentenceKind* kind = FindKind(sentence.GetType());
    if (!kind)
        return Result::Ignored;
    const int fields = sentence.GetFieldCount();
    if (fields < kind->minFields || (!sentence.HadChecksum() && fields < kind->fullFields))
        return Result::Unreadable;
    NmeaFix part;
    if (!ReadPart(sentence, kind->part, part))
        return Result::Unreadable;

    if ((part.parts & NmeaFix::TimedParts) == 0) {
        if (part.parts != m_lastUntimedPart)
            m_lastUntimedTarget = m_isOpen && (m_open.parts & part.parts) == 0 ? Target::Open : Target::Pending;
        m_lastUntimedPart = part.parts;
        (m_lastUntimedTarget == Target::Open ? m_open : m_pending).Merge(part);
        return Result::Taken;
    }
    m_lastUntimedPart = 0;
    if (m_isOpen && SameTime(m_open, part) && (m_open.parts & part.parts) == 0) {
        m_open.Merge(part);
        return Result::Taken;
    }
    const bool hadFix = m_isOpen;
    if (hadFix)
        closed = m_open;
    part.Merge(m_pending);
    m_open = part;
    m_isOpen = true;
    m_pending = NmeaFix();
    return hadFix ? Result::FixClosed : Result::Taken;
}

bool NmeaFixAssembler::Flush(NmeaFix& closed)
{
    if (!m_isOpen)
        return false;
    closed = m_open;
    m_isOpen = false;
    return true;
}
