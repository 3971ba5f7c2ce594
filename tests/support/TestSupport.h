#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// Folder of the track files written by other programs (tests/data/peer unless
// configured otherwise or set in QUORVEL_FIXTURES).
QString FixturesDir();

// Thrown by FixturePath for a file that is not there; the test framework
// reports it as a failure of the running test, with the full path.
class MissingTestFile : public std::runtime_error
{
public:
    explicit MissingTestFile(const QString& path);
};

// Full path of a file or folder under FixturesDir() (the folder itself for an
// empty name). A missing one ends the calling test at once with a failure
// naming it, rather than letting it crash or wait on what it could not read.
QString FixturePath(const QString& relative);

// A fresh temporary folder for one test, removed at exit.
QString MakeTempDir();

// Thrown by WriteTestFile; reported like MissingTestFile.
class TestFileNotWritten : public std::runtime_error
{
public:
    TestFileNotWritten(const QString& path, const QString& reason);
};

// Writes bytes to path, replacing any file there and making its folders,
// and gives back the path.
// A file that cannot be written ends the calling test at once with a
// failure naming it, instead of letting the test go on without its input.
QString WriteTestFile(const QString& path, const QByteArray& bytes);
