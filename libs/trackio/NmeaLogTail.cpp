#include "NmeaLogTail.h"

#include "LoadContext.h"
#include "SecondReader.h"
#include "TrackDataSet.h"
#include "TrackTree.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>

namespace {

// Where to look for a line start after the given offset.
constexpr qint64 kLookBytes = 64 << 10;

} // namespace

std::unique_ptr<NmeaLogTail> NmeaLogTail::Start(const QIODevice& device, qint64 from, qint64 bytesPerFix)
{
    std::unique_ptr<QIODevice> input = OpenSecondReader(device);
    if (!input || !input->seek(from))
        return nullptr;
    // After a LF a line starts, whatever ends the lines.
    const QByteArray look = input->read(kLookBytes);
    const qsizetype lf = look.indexOf('\n');
    if (lf < 0 || !input->seek(from + lf + 1))
        return nullptr;
    const qint64 start = from + lf + 1;
    const qint64 tailBytes = std::max<qint64>(input->size() - start, 0);
    const auto fixes = static_cast<size_t>(tailBytes / std::max<qint64>(bytesPerFix, 1));
    return std::unique_ptr<NmeaLogTail>(new NmeaLogTail(std::move(input), start, fixes));
}

NmeaLogTail::NmeaLogTail(std::unique_ptr<QIODevice> input, qint64 start, size_t expectedFixes)
    : m_input(std::move(input))
    , m_start(start)
{
    m_states.reserve(SeamLines);
    m_fixes.reserve(expectedFixes);
    m_prefault = PagePrefault(m_fixes.data(), m_fixes.capacity() * sizeof(NmeaFix));
    m_thread = std::thread([this] { Read(); });
}

NmeaLogTail::~NmeaLogTail()
{
    m_progress.SetCancel();
    m_thread.join();
}

const NmeaLogTail::State* NmeaLogTail::After(size_t line)
{
    if (line >= SeamLines)
        return nullptr;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_states.size() > line || m_done; });
    return m_states.size() > line ? &m_states[line] : nullptr;
}

bool NmeaLogTail::Finish(const std::function<bool(qint64)>& progress)
{
    std::unique_lock lock(m_mutex);
    while (!m_changed.wait_for(lock, std::chrono::milliseconds(40), [this] { return m_done; })) {
        lock.unlock();
        const bool goOn = progress(m_bytesRead.load(std::memory_order_relaxed));
        lock.lock();
        if (!goOn)
            return false;
    }
    return !m_failed;
}

long long NmeaLogTail::FirstBadLineAfter(size_t line) const
{
    const auto after = std::upper_bound(m_badLines.begin(), m_badLines.end(), static_cast<long long>(line) + 1);
    return after == m_badLines.end() ? 0 : *after;
}

void NmeaLogTail::Read()
{
    TrackTree tree;
    TrackDataSetImpl data;
    LoadContext context(*tree.GetCreator(), data, m_progress, -1, 0);
    LineStreamReader reader(*m_input, context);
    reader.StartMidFile(m_start);
    NmeaSentence sentence;
    State state;
    std::string_view line;
    for (size_t index = 0; reader.Next(line); ++index) {
        const long long skipped = state.stats.GetSkipped();
        state.stats.CountLine(reader, line, sentence, [&](const NmeaSentence& read) {
            NmeaFix closed;
            const NmeaFixAssembler::Result result = state.assembler.Add(read, closed);
            if (result == NmeaFixAssembler::Result::FixClosed) {
                if (m_fixes.size() == m_fixes.capacity())
                    m_prefault.Stop(); // the block is about to move
                m_fixes.push_back(closed);
            }
            return result == NmeaFixAssembler::Result::Unreadable;
        });
        state.fixes = m_fixes.size();
        if (state.stats.GetSkipped() != skipped && (m_badLines.empty() || m_badLines.back() <= static_cast<long long>(SeamLines)))
            m_badLines.push_back(reader.GetLineNumber());
        if (index < SeamLines) {
            const std::lock_guard lock(m_mutex);
            m_states.push_back(state);
            m_changed.notify_all();
        }
        m_bytesRead.store(reader.GetLineOffset() - m_start, std::memory_order_relaxed);
    }
    m_prefault.Stop();
    const std::lock_guard lock(m_mutex);
    m_end = state;
    m_failed = context.HasFailed() || context.IsCancelled();
    m_done = true;
    m_changed.notify_all();
}
