#pragma once

#include <QStringList>

class QMimeData;

// The local files of a drop from the file manager, in the order given;
// paths longer than the shell's file lists allow (520 characters) are left
// out, as are URLs that are not local files.
QStringList DroppedFilePaths(const QMimeData& data);
