#include "TrackWriterBase.h"

#include <QSaveFile>

#include <charconv>
#include <cmath>

TrackWriterBase::TrackWriterBase() = default;

TrackWriterBase::~TrackWriterBase()
{
    Close();
}

TrackWriterBase::SaveStatus TrackWriterBase::OpenFile(const QString& fileName)
{
    Close();
    auto file = std::make_unique<QSaveFile>(fileName);
    if (!file->open(QIODevice::WriteOnly))
        return SaveCannotOpen;
    m_file = std::move(file);
    m_failed = false;
    return SaveOk;
}

TrackWriterBase::SaveStatus TrackWriterBase::Close()
{
    if (!m_file)
        return SaveNotOpen;
    const std::unique_ptr<QSaveFile> file = std::move(m_file);
    if (m_failed) {
        file->cancelWriting();
        return SaveWriteFailed;
    }
    return file->commit() ? SaveOk : SaveWriteFailed;
}

TrackWriterBase::SaveStatus TrackWriterBase::Write(std::string_view text)
{
    if (!m_file)
        return SaveNotOpen;
    if (!m_failed && m_file->write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        m_failed = true;
    return m_failed ? SaveWriteFailed : SaveOk;
}

void TrackWriterBase::AppendFixed(std::string& out, double value, int decimals)
{
    if (!std::isfinite(value))
        return;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return;
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    // "-0.00" reads as a sign that is not there.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos)
        text.remove_prefix(1);
    out += text;
}

void TrackWriterBase::AppendPadded(std::string& out, long long value, int width)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const int length = static_cast<int>(result.ptr - buffer);
    if (length < width)
        out.append(static_cast<size_t>(width - length), '0');
    out.append(buffer, static_cast<size_t>(length));
}
