#include "GpxPointRuns.h"

#include "GpxPointReader.h"


#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr qint64 kReadBytes = 256 << 10;
constexpr std::string_view kPointTag = "<trkpt";
constexpr std::string_view kPointEnd = "</trkpt>";
// Where this many stretches in a row hold no plain point (extensions on
// every point, say), the file is left to the scanner alone.
constexpr int kMostMisses = 4;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// Text that reads as itself in XML and in both readers: printable ASCII
// without markup, references, CR or the "]]>" that is not allowed.
bool IsPlainText(char c)
{
    return (c >= 0x20 && c < 0x7F && c != '<' && c != '&' && c != ']') || c == '\t' || c == '\n';
}

bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
}

} // namespace

// A part of the input held in memory, read on as parsing needs.
class GpxPointRuns::Window
{
public:
    explicit Window(QIODevice& device)
        : m_device(device)
    {
    }

    // Reads from offset on; what is held already is not read again.
    bool MoveTo(long long offset)
    {
        if (offset >= m_base && offset <= m_base + static_cast<long long>(m_size)) {
            m_pos = static_cast<size_t>(offset - m_base);
            return true;
        }
        m_base = offset;
        m_size = m_pos = 0;
        m_end = false;
        return m_device.seek(offset);
    }
    long long Offset() const { return m_base + static_cast<long long>(m_pos); }
    std::string_view Held() const { return {m_bytes.data() + m_pos, m_size - m_pos}; }
    void Advance(size_t bytes) { m_pos += bytes; }
    // Moves to the next "<trkpt" followed by a space; false at the end.
    bool FindPointTag()
    {
        for (;;) {
            const std::string_view held = Held();
            const size_t found = held.find(kPointTag);
            if (found != std::string_view::npos && found + kPointTag.size() < held.size()) {
                Advance(found);
                if (IsSpace(held[found + kPointTag.size()]))
                    return true;
                Advance(1);
                continue;
            }
            // Keep what may be the start of a tag cut by the read.
            Advance(held.size() - std::min(held.size(), found != std::string_view::npos ? held.size() - found
                                                                                       : kPointTag.size()));
            if (!More())
                return false;
        }
    }
    // Reads more, keeping what follows the cursor; false at the end.
    bool More()
    {
        if (m_end)
            return false;
        if (m_pos > 0)
            std::memmove(m_bytes.data(), m_bytes.data() + m_pos, m_size - m_pos);
        m_base += static_cast<long long>(m_pos);
        m_size -= m_pos;
        m_pos = 0;
        if (m_bytes.size() < m_size + kReadBytes)
            m_bytes.resize(m_size + kReadBytes);
        const qint64 got = m_device.read(m_bytes.data() + m_size, kReadBytes);
        if (got <= 0) {
            m_end = true;
            return false;
        }
        m_size += static_cast<size_t>(got);
        return true;
    }

private:
    QIODevice& m_device;
    std::vector<char> m_bytes;
    long long m_base = 0;
    size_t m_size = 0;
    size_t m_pos = 0;
    bool m_end = false;
};

namespace {

enum class Parse { Point, NotPlain, More };

// One plain point at the start of bytes, read through reader as the GPX
// reader reads it; length is what it took.
class PlainPointParser
{
public:
    Parse Read(std::string_view bytes, GpxPointReader& reader, size_t& length)
    {
        m_bytes = bytes;
        m_at = kPointTag.size();
        if (m_bytes.substr(0, m_at) != kPointTag.substr(0, std::min(m_at, m_bytes.size())))
            return Parse::NotPlain;
        if (m_bytes.size() <= m_at)
            return Parse::More;
        Parse step = ReadAttributes();
        if (step != Parse::Point)
            return step;
        const char* attributes[] = {"lat", m_lat.c_str(), "lon", m_lon.c_str(), nullptr};
        if (!reader.Begin(attributes, m_error))
            return Parse::NotPlain;
        for (;;) {
            SkipSpaces();
            if (m_bytes.size() - m_at < kPointEnd.size())
                return Parse::More;
            if (m_bytes.substr(m_at, kPointEnd.size()) == kPointEnd) {
                length = m_at + kPointEnd.size();
                return Parse::Point;
            }
            if ((step = ReadValue(reader)) != Parse::Point)
                return step;
        }
    }

private:
    void SkipSpaces()
    {
        while (m_at < m_bytes.size() && IsSpace(m_bytes[m_at]))
            ++m_at;
    }

    // lat="..." and lon="..." once each, then ">".
    Parse ReadAttributes()
    {
        bool lat = false;
        bool lon = false;
        for (;;) {
            const size_t before = m_at;
            SkipSpaces();
            if (m_at >= m_bytes.size())
                return Parse::More;
            if (m_bytes[m_at] == '>') {
                ++m_at;
                return lat && lon ? Parse::Point : Parse::NotPlain;
            }
            if (m_at == before)
                return Parse::NotPlain;
            if (m_bytes.size() - m_at < 5)
                return Parse::More;
            const std::string_view name = m_bytes.substr(m_at, 5);
            bool& seen = name == "lat=\"" ? lat : lon;
            if ((name != "lat=\"" && name != "lon=\"") || seen)
                return Parse::NotPlain;
            seen = true;
            m_at += 5;
            const size_t first = m_at;
            while (m_at < m_bytes.size() && IsNumberChar(m_bytes[m_at]))
                ++m_at;
            if (m_at >= m_bytes.size())
                return Parse::More;
            if (m_bytes[m_at] != '"')
                return Parse::NotPlain;
            (&seen == &lat ? m_lat : m_lon).assign(m_bytes.substr(first, m_at - first));
            ++m_at;
        }
    }

    // <name>text</name> of a point value.
    Parse ReadValue(GpxPointReader& reader)
    {
        if (m_bytes[m_at] != '<')
            return Parse::NotPlain;
        const size_t nameStart = ++m_at;
        while (m_at < m_bytes.size() && m_bytes[m_at] >= 'a' && m_bytes[m_at] <= 'z')
            ++m_at;
        if (m_at >= m_bytes.size())
            return Parse::More;
        const std::string_view name = m_bytes.substr(nameStart, m_at - nameStart);
        if (m_bytes[m_at] != '>' || !GpxPointReader::IsPointValue(name))
            return Parse::NotPlain;
        const size_t textStart = ++m_at;
        while (m_at < m_bytes.size() && IsPlainText(m_bytes[m_at]))
            ++m_at;
        if (m_bytes.size() - m_at < name.size() + 3)
            return Parse::More;
        const std::string_view text = m_bytes.substr(textStart, m_at - textStart);
        if (m_bytes.substr(m_at, 2) != "</" || m_bytes.substr(m_at + 2, name.size()) != name ||
            m_bytes[m_at + 2 + name.size()] != '>')
            return Parse::NotPlain;
        m_at += name.size() + 3;
        return reader.ReadValue(name, text, m_error) ? Parse::Point : Parse::NotPlain;
    }

    std::string_view m_bytes;
    size_t m_at = 0;
    std::string m_lat;
    std::string m_lon;
    std::string m_error;
};

} // namespace

GpxPointRuns::GpxPointRuns(std::unique_ptr<QIODevice> input, long long runBytes)
    : m_input(std::move(input))
    , m_runBytes(std::max(1LL, runBytes))
    , m_thread([this] { ReadRuns(); })
{
}

GpxPointRuns::~GpxPointRuns()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop.store(true, std::memory_order_relaxed);
        m_changed.notify_all();
    }
    m_thread.join();
}

long long GpxPointRuns::NextStart(long long from)
{
    std::unique_lock lock(m_mutex);
    m_scannerAt = std::max(m_scannerAt, from);
    DropRunsBefore(from);
    // Finding where the next run starts is quick, unless the thread still
    // reads one the scanner has passed.
    m_changed.wait(lock, [&] { return !m_runs.empty() || m_reading >= from || m_finished; });
    if (!m_runs.empty())
        return m_runs.front().start;
    return m_reading >= from ? m_reading : std::numeric_limits<long long>::max();
}

std::optional<GpxPointRuns::Run> GpxPointRuns::Take(long long at)
{
    std::unique_lock lock(m_mutex);
    m_scannerAt = std::max(m_scannerAt, at);
    DropRunsBefore(at);
    m_changed.wait(lock, [&] { return m_reading != at; });
    if (m_runs.empty() || m_runs.front().start != at)
        return std::nullopt;
    Run run = std::move(m_runs.front());
    m_runs.pop_front();
    m_changed.notify_all();
    return run;
}

void GpxPointRuns::DropRunsBefore(long long offset)
{
    const size_t before = m_runs.size();
    while (!m_runs.empty() && m_runs.front().start < offset)
        m_runs.pop_front();
    if (m_runs.size() != before)
        m_changed.notify_all();
}

void GpxPointRuns::ReadRuns()
{
    // The scanner reads the first stretch, this thread the second, and so
    // on. A stretch of this thread's may hold several runs, between which
    // the scanner reads what is not plain points: the end of a segment and
    // the start of the next, a point with a name.
    long long next = m_runBytes;
    Window window(*m_input);
    while (next >= 0 && m_misses < kMostMisses) {
        if (m_stretchEnd < 0) {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_runs.empty() || Stopping(); });
            if (Stopping())
                break;
            next = std::max(next, m_scannerAt + m_runBytes);
        }
        next = ReadRunFrom(window, next);
    }
    const std::lock_guard lock(m_mutex);
    m_finished = true;
    m_changed.notify_all();
}

void GpxPointRuns::EndStretch()
{
    m_misses = m_stretchPoints == 0 ? m_misses + 1 : 0;
    m_stretchPoints = 0;
    m_stretchEnd = -1;
}

long long GpxPointRuns::ReadRunFrom(Window& window, long long from)
{
    if (!window.MoveTo(from) || !window.FindPointTag())
        return -1;
    Run run;
    run.start = window.Offset();
    if (m_stretchEnd < 0) {
        m_stretchEnd = run.start + m_runBytes;
    } else if (run.start >= m_stretchEnd) {
        // The rest of the stretch held no run; the scanner's comes next.
        const long long next = std::max(m_stretchEnd + m_runBytes, run.start);
        EndStretch();
        return next;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (run.start < m_scannerAt)
            return run.start + 1;
        m_reading = run.start;
        m_changed.notify_all();
    }
    run.end = run.start;
    // Plain points take some 100 bytes, without extensions.
    run.points.reserve(static_cast<size_t>((m_stretchEnd - run.start) / 96) + 16);
    GpxPointReader reader;
    PlainPointParser parser;
    while (!Stopping()) {
        size_t length = 0;
        const Parse parse = parser.Read(window.Held(), reader, length);
        if (parse == Parse::More) {
            if (window.More())
                continue;
            break;
        }
        if (parse == Parse::NotPlain)
            break;
        run.points.push_back(reader.GetPoint());
        window.Advance(length);
        run.end = window.Offset();
        if (run.end >= m_stretchEnd)
            break;
        // Only spaces between the points of a run.
        while (!window.Held().empty() || window.More()) {
            const std::string_view held = window.Held();
            const size_t spaces = std::find_if_not(held.begin(), held.end(), IsSpace) - held.begin();
            window.Advance(spaces);
            if (spaces < held.size())
                break;
        }
    }
    m_stretchPoints += static_cast<long long>(run.points.size());
    long long next = std::max(run.end, run.start + 1);
    if (run.end >= m_stretchEnd) {
        next = run.end + m_runBytes;
        EndStretch();
    }
    const std::lock_guard lock(m_mutex);
    m_reading = -1;
    if (!run.points.empty() && run.start >= m_scannerAt)
        m_runs.push_back(std::move(run));
    m_changed.notify_all();
    return next;
}
