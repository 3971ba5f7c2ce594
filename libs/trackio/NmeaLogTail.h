#pragma once

#include "NmeaFix.h"
#include "NmeaFixAssembler.h"
#include "OperationProgress.h"
#include "PagePrefault.h"
#include "SentenceLoaderBase.h"

#include <QIODevice>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The second part of a long sentence log, read on a thread of its own while
// the loader reads the first: from a line start to the end, with the same
// sentence reading and fix assembly, keeping the fixes it closes and, for
// its first lines, its state after each. The loader reads on past that
// line start until its own state is the tail's after the same line; from
// there on both would make the same of the rest, so the loader takes the
// tail's fixes and counts. A log whose states never meet is read by the
// loader alone.
class NmeaLogTail
{
public:
    struct State
    {
        NmeaFixAssembler assembler;
        SentenceStats stats;
        size_t fixes = 0; // closed so far
    };

    // How many of its first lines the tail keeps its state after.
    static constexpr size_t SeamLines = 4096;

    // The tail of device's log from the first line start at or after from;
    // null when the bytes cannot be read a second time or hold no line
    // start there. Room is made for a fix every bytesPerFix.
    static std::unique_ptr<NmeaLogTail> Start(const QIODevice& device, qint64 from, qint64 bytesPerFix);
    ~NmeaLogTail();
    NmeaLogTail(const NmeaLogTail&) = delete;
    NmeaLogTail& operator=(const NmeaLogTail&) = delete;

    // The offset of the tail's first line.
    qint64 GetStart() const { return m_start; }
    // The state after the tail's line (0 its first), once read; null where
    // it keeps none.
    const State* After(size_t line);
    // Waits for the tail's end, telling progress the bytes it has read now
    // and then; false when progress said stop or the tail could not be read.
    bool Finish(const std::function<bool(qint64)>& progress);
    // After Finish: the state after its last line, and all it closed.
    const State& GetEnd() const { return m_end; }
    const std::vector<NmeaFix>& GetFixes() const { return m_fixes; }
    // After Finish: the number, counted from 1 at the tail's start, of the
    // first line after its line-th that was skipped as bad; 0 for none.
    long long FirstBadLineAfter(size_t line) const;

private:
    NmeaLogTail(std::unique_ptr<QIODevice> input, qint64 start, size_t expectedFixes);
    void Read();

    std::unique_ptr<QIODevice> m_input;
    const qint64 m_start;
    OperationProgress m_progress; // cancelled when the loader gives up

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<State> m_states; // reserved: what After hands out stays put
    bool m_done = false;
    bool m_failed = false;
    std::atomic<qint64> m_bytesRead{0};

    // The thread's until m_done.
    State m_end;
    std::vector<NmeaFix> m_fixes;
    PagePrefault m_prefault; // of m_fixes
    std::vector<long long> m_badLines; // those within the seam lines, and one after

    std::thread m_thread;
};
