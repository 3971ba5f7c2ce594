#pragma once

#include <QString>
#include <QStringList>

// The program's command line: files to open, in order, and an optional
// initial window size given as "-s" followed by width, one separator
// character and height ("-s1024x768", or "-s" and "1024x768" apart). After
// a lone "--" every argument is a file name.
class CommandLine
{
public:
    // args without the program name; empty arguments are skipped.
    static CommandLine Parse(const QStringList& args);

    // One string for handing the whole line to another instance, and back.
    static QString Join(const QStringList& args);
    static QStringList Split(const QString& line);

    const QStringList& GetFileNames() const { return m_fileNames; }
    // The file names with relative ones resolved against folder: a running
    // instance that they are handed to works in a folder of its own.
    QStringList GetFileNamesFrom(const QString& folder) const;
    // Both 0 unless a size with a height above 0 was given.
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // The window opens with the given size only when both are above 0.
    bool HasWindowSize() const { return m_width > 0 && m_height > 0; }

private:
    void ReadSize(const QString& text);

    QStringList m_fileNames;
    int m_width = 0;
    int m_height = 0;
};
