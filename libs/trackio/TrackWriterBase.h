#pragma once

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
    // Result of each operation.
    enum SaveStatus {
        SaveOk = 0,
        SaveCannotOpen = 1, // the file cannot be created (folder missing, no rights)
        SaveWriteFailed = 2, // a write or the final rename failed (disk full, ...)
        SaveNotOpen = 3,     // no OpenFile before, or after a failure
    };

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

    // Locale-independent number text for the formats.
    static void AppendFixed(std::string& out, double value, int decimals);
    static void AppendPadded(std::string& out, long long value, int width);

protected:
    // Writes the text, or keeps the first failure: later writes and Close
    // report it and the target stays as it was.
    SaveStatus Write(std::string_view text);

private:
    std::unique_ptr<QSaveFile> m_file;
    bool m_failed = false;
};
