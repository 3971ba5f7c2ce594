#pragma once

#include <QString>

// The folder that holds the single-instance socket, out of reach of other
// users: the session's runtime folder (XDG_RUNTIME_DIR), or else a folder of
// our own in the temporary folder, made with mode 0700. A folder that is not
// a real directory owned by the user with no access for group or others is
// refused: whoever controls it could stand in for the running instance.
class InstanceSocketFolder
{
public:
    struct Result
    {
        // Empty when no safe folder was found.
        QString path;
        // Why not, for the user.
        QString problem;
    };

    // runtimeDir is XDG_RUNTIME_DIR (empty when unset); the private folder is
    // made under tempDir, named after the user id.
    static Result Find(const QString& runtimeDir, const QString& tempDir, unsigned userId);
    // Find for this process's environment.
    static Result FindOwn();

private:
    // Empty when path is a directory, not a link, owned by userId and closed
    // to group and others; else why not.
    static QString CheckPrivate(const QString& path, unsigned userId);
};
