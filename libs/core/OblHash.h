#pragma once

#include <QByteArrayView>

#include <string>

namespace OblHash {

// The MD5 digest of the bytes (pass text as UTF-8) as 32 lower-case hex
// digits. Used to name folders, not for security.
std::string Md5(QByteArrayView data);

} // namespace OblHash
