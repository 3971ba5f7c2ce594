#pragma once

#include "FitMessage.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// Walks the messages of FIT files laid one after another in a buffer: the
// file header (12 or 14 bytes, its checksum checked when it has one), the
// definition messages of either byte order, the data messages with normal
// or compressed-timestamp headers (developer fields are skipped by their
// sizes), and each file's closing checksum. Every read is checked against
// the end of the buffer and of the file's data.
class FitDecoder
{
public:
    // Called for every data message; false stops the walk (a cancel).
    using Handler = std::function<bool(const FitMessage&)>;

    explicit FitDecoder(Handler handler);

    // Empty when every file decoded and checked out; else what stopped the
    // walk, with the byte offset. The messages before it have been handed
    // over, and so have those of a file whose closing checksum is wrong.
    QString Decode(const QByteArray& bytes);
    bool WasStopped() const { return m_stopped; }

private:
    // The end of the file's data, or nothing when its header is bad.
    std::optional<size_t> ReadHeader(size_t start, QString& damage);
    bool ReadRecords(size_t begin, size_t end, QString& damage);
    bool ReadDefinition(size_t& pos, size_t end, unsigned char header, QString& damage);
    bool ReadData(size_t& pos, size_t end, int localType, bool compressed, unsigned timeOffset, QString& damage);
    QString CutOff(size_t start, size_t end, const char* what) const;

    Handler m_handler;
    const unsigned char* m_bytes = nullptr;
    size_t m_size = 0;
    std::array<std::optional<FitDefinition>, 16> m_definitions;
    size_t m_fileEnd = 0;
    uint32_t m_lastTimestamp = 0;
    bool m_hasTimestamp = false;
    bool m_stopped = false;
};
