#pragma once

#include "LoopbackHttpServer.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

// Helpers of the map tile tests: files to fetch (loopback sockets and
// servers to fetch from are in the support library).

inline QString FileUrl(const QString& path)
{
    return QUrl::fromLocalFile(path).toString();
}

