#pragma once

#include "TrackSaverI.h"

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QSaveFile;

// The file side of the export writers. The text goes to a temporary file
// beside the target, which replaces the target only when the writer closes
// after every write went well: a failed export never leaves half a file
// under the user's name, nor spoils the file that was there.
class TrackWriterBase
{
public:
    // Success (0) or CannotWrite; GetErrorDesc says why.
    using SaveStatus = TrackSaverI::SaveStatus;

    TrackWriterBase();
    virtual ~TrackWriterBase();
    TrackWriterBase(const TrackWriterBase&) = delete;
    TrackWriterBase& operator=(const TrackWriterBase&) = delete;

    // Starts a file; an open one is closed first.
    SaveStatus OpenFile(const QString& fileName);
    // Puts the file in place. A writer destroyed while open closes the same
    // way (export callers write and let go); call Close to learn whether
    // the file was written.
    SaveStatus Close();
    bool IsOpen() const { return m_file != nullptr; }
    // Why the last operation failed; empty after success.
    const QString& GetErrorDesc() const { return m_errorDesc; }

    // Locale-independent number text for the formats.
    static void AppendFixed(std::string& out, double value, int decimals);
    static void AppendPadded(std::string& out, long long value, int width);

protected:
    // Writes the text, or keeps the first failure: later writes and Close
    // report it and the target stays as it was.
    SaveStatus Write(std::string_view text);

private:
    SaveStatus Fail(const QString& reason);

    std::unique_ptr<QSaveFile> m_file;
    QString m_failure; // the first write failure of the open file
    QString m_errorDesc;
};
