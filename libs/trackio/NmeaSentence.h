#pragma once

#include "Time.h"

#include <array>
#include <cstdint>
#include <string_view>

// One NMEA 0183 sentence taken apart in place ("$GPRMC,...*hh"), with the
// readers of the field kinds the sentences share. Nothing is copied: the
// fields point into the line, which must outlive the use of the sentence.
class NmeaSentence
{
public:
    enum class Result {
        Ok,
        NoSentence,  // no '$' in the line, or a comment
        BadChecksum, // the checksum does not match the content
        Unreadable,  // a '$' but no sentence: no address, a broken checksum
    };

    // How a field read: empty fields are common and no fault.
    enum class Field {
        Empty,
        Ok,
        Bad,
    };

    static constexpr int MaxFields = 40;

    // Text before the last '$' is dropped: loggers put time stamps or junk
    // there, and a line holding the start of a cut sentence followed by a
    // whole one keeps the whole one. A line without a checksum is taken as
    // it is. The accessors below hold only after Ok.
    Result Parse(std::string_view line);

    // "GPRMC", "PMGNTRK".
    std::string_view GetAddress() const { return m_address; }
    // The sentence formatter without the talker ("RMC" for "GNRMC");
    // proprietary sentences ("P...") keep their whole address.
    std::string_view GetType() const;
    bool HadChecksum() const { return m_hadChecksum; }
    // Data fields after the address; a field past the end reads as empty.
    int GetFieldCount() const { return m_fieldCount; }
    std::string_view GetField(int index) const
    {
        return index < m_fieldCount ? m_fields[static_cast<size_t>(index)] : std::string_view();
    }

    // "ddmm.mmmm" or "dddmm.mmmm" with its hemisphere letter, as signed
    // degrees. maxDegrees is 90 or 180.
    static Field ReadCoordinate(std::string_view value, std::string_view hemisphere, double maxDegrees,
                                double& degrees);
    // "hhmmss" with any fraction, as microseconds since midnight.
    static Field ReadTimeOfDay(std::string_view value, int64_t& microseconds);
    // "ddmmyy" (or "ddmmyyyy") as midnight UTC. Two-digit years 80 to 99
    // are 1980 to 1999, the rest 2000 to 2079: no GPS receiver wrote a date
    // before 1980.
    static Field ReadDate(std::string_view value, Time& date);
    static Field ReadNumber(std::string_view value, double& number);
    static Field ReadInt(std::string_view value, int& number);

    // The checksum NMEA appends: XOR of every byte between '$' and '*'.
    static uint8_t Checksum(std::string_view content);

private:
    void AddPiece(std::string_view piece, bool& isAddress);

    std::array<std::string_view, MaxFields> m_fields;
    std::string_view m_address;
    int m_fieldCount = 0;
    bool m_hadChecksum = false;
};
