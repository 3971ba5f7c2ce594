#pragma once

#include "TrackFileType.h"
#include "TrackTreeInterfaces.h"

#include <QString>

#include <functional>
#include <memory>

class CliArgs;
class TrackDataSetI;
struct LoadedTrackFile;

// Writes "fileName: why" to stderr; returns 1, the exit status of a failed
// run.
int ReportFileFailure(const QString& fileName, const QString& why);
// Why a file could not be read, as the program would say it, with the
// reader's detail.
QString LoadFailureText(const LoadedTrackFile& loaded);
// Writes why a file could not be read to stderr, as the program would, with
// the reader's detail; returns 1.
int ReportLoadFailure(const QString& fileName, const LoadedTrackFile& loaded);
// Whether a read file gave tracks to work on; tells stderr why not, or, for
// a damaged file whose points before the damage were kept, what the damage
// is.
bool AcceptLoaded(const QString& fileName, const LoadedTrackFile& loaded);
// Writes the file node fileTid of a tree as type (GPX, KML, TCX or
// GeoJSON), after telling stderr what the format leaves out; 0, or 1 after
// telling stderr why it could not.
int SaveTrackFile(const QString& path, TrackFileType type, const TrackTreeReaderPtr& tree, int fileTid,
                  const std::shared_ptr<const TrackDataSetI>& data);
// The same as GPX.
int SaveGpxFile(const QString& path, const TrackTreeReaderPtr& tree, int fileTid,
                const std::shared_ptr<const TrackDataSetI>& data);

// Track files opened into the process-wide open tracks the way the program
// opens them (times checked, track objects built), so that subcommands run
// the program's own operations on them, and saved back as GPX.
class CliOpenTracks
{
public:
    // The new file's tid; -1 after telling stderr why the file was not read.
    static int Open(const QString& fileName);
    // Writes an open file as GPX; 0, or 1 after telling stderr why not.
    static int SaveGpx(int fileTid, const QString& path);
    // A command that changes one file: IN is opened, edit changes it and
    // returns 0 (or 1 after telling stderr why it could not), and the file
    // is saved as -o OUT.gpx. Returns the exit status; 2 without opening
    // anything when the arguments are wrong.
    static int EditFile(const CliArgs& parsed, const std::function<int(int fileTid)>& edit);
};
