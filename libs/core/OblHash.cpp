#include "OblHash.h"

#include <QCryptographicHash>

std::string OblHash::Md5(QByteArrayView data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex().toStdString();
}
