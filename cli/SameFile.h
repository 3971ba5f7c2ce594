#pragma once

#include <QString>

// Whether two names lead to one file: the same path once made absolute and
// cleaned (also for files still to be written), the same canonical path
// (links resolved) or, for hard links, the same device and inode. An empty
// name is no file.
bool IsSameFile(const QString& a, const QString& b);
