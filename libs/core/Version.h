#pragma once

#include <QString>

#include <array>
#include <compare>

// A program version of up to four numbers, "major.minor.build.revision".
// Missing trailing numbers are 0, so "1.15" equals "1.15.0.0"; versions
// order number by number ("1.10" is newer than "1.9").
class Version
{
public:
    Version() = default;
    Version(int major, int minor = 0, int build = 0, int revision = 0);

    // Takes one to four dot-separated decimal numbers, nothing else (blanks
    // around the text are ignored). Bad text returns false and leaves the
    // version as it was.
    bool Parse(const QString& text);
    // The first `parts` numbers (1..4) joined by dots.
    QString ToString(int parts = 4) const;

    int GetMajor() const { return m_parts[0]; }
    int GetMinor() const { return m_parts[1]; }
    int GetBuild() const { return m_parts[2]; }
    int GetRevision() const { return m_parts[3]; }

    auto operator<=>(const Version&) const = default;

private:
    std::array<int, 4> m_parts{};
};
