#include "NmeaTestLog.h"

#include <cstdio>

std::string WithChecksum(const std::string& content)
{
    unsigned sum = 0;
    for (const char c : content)
        sum ^= static_cast<unsigned char>(c);
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return "$" + content + "*" + hex;
}

QByteArray NmeaLog(const std::vector<std::string>& contents)
{
    QByteArray log;
    for (const std::string& content : contents) {
        log.append(WithChecksum(content).c_str());
        log.append("\r\n");
    }
    return log;
}
