#include "TrackWriterBase.h"

#include "SaveTarget.h"

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
    const QString problem = SaveTarget::Problem(fileName);
    if (!problem.isEmpty())
        return Fail(problem);
    auto file = std::make_unique<QSaveFile>(fileName);
    if (!file->open(QIODevice::WriteOnly))
        return Fail(file->errorString());
    m_file = std::move(file);
    m_failure.clear();
    m_errorDesc.clear();
    return TrackSaverI::Success;
}

TrackWriterBase::SaveStatus TrackWriterBase::Close()
{
    if (!m_file)
        return Fail(QStringLiteral("no file is open"));
    const std::unique_ptr<QSaveFile> file = std::move(m_file);
    if (!m_failure.isEmpty()) {
        file->cancelWriting();
        return Fail(m_failure);
    }
    if (!file->commit())
        return Fail(file->errorString());
    m_errorDesc.clear();
    return TrackSaverI::Success;
}

TrackWriterBase::SaveStatus TrackWriterBase::Write(std::string_view text)
{
    if (!m_file)
        return Fail(QStringLiteral("no file is open"));
    const qint64 size = static_cast<qint64>(text.size());
    if (m_failure.isEmpty() && m_file->write(text.data(), size) != size)
        m_failure = m_file->errorString();
    return m_failure.isEmpty() ? TrackSaverI::Success : Fail(m_failure);
}

TrackWriterBase::SaveStatus TrackWriterBase::Fail(const QString& reason)
{
    m_errorDesc = reason;
    return TrackSaverI::CannotWrite;
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
