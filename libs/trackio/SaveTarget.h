#pragma once

#include <QString>

// Whether a file may be saved under a name. Saving writes a new file and
// puts it in the place of the old one; where the name is a device (a path
// such as /dev/null chosen by mistake), a pipe or a folder, that would
// replace the node itself, so such names are refused. A name through a link
// is judged by what the link leads to.
class SaveTarget
{
public:
    // Empty when the name is free or names a regular file; else why not.
    static QString Problem(const QString& fileName);
};
