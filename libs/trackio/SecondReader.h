#pragma once

#include <QIODevice>

#include <memory>

// A second, independent reader of the bytes device reads, for a thread that
// reads ahead in them: the open file itself (not what its name may point to
// by now) or the buffer's data; null for devices of other kinds.
std::unique_ptr<QIODevice> OpenSecondReader(const QIODevice& device);

// From what file size on a second reading thread pays: some megabytes,
// and only where there is a second core.
qint64 SecondThreadFromBytes();
