#include "FileName.h"

#include "Time.h"

#include <QDateTime>
#include <QFileInfo>

namespace {

qsizetype LastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

FileName::FileName(const QString& path)
    : m_path(path)
{
}

QString FileName::GetPath() const
{
    return m_path.left(LastSeparator(m_path) + 1);
}

QString FileName::GetFileName() const
{
    return m_path.mid(LastSeparator(m_path) + 1);
}

QString FileName::GetExtension() const
{
    const QString name = GetFileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A leading dot names a hidden file, not an extension.
    return dot > 0 ? name.mid(dot + 1) : QString();
}

void FileName::GetNameParts(QString& folder, QString& baseName, QString& extension) const
{
    folder = GetPath();
    extension = GetExtension();
    const QString name = GetFileName();
    baseName = extension.isEmpty() ? name : name.left(name.size() - extension.size() - 1);
}

bool FileName::DoesExist() const
{
    return !m_path.isEmpty() && QFileInfo::exists(m_path);
}

int64_t FileName::GetFileSize() const
{
    const QFileInfo info(m_path);
    return info.exists() ? info.size() : -1;
}

Time FileName::GetModificationTime() const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return Time();
    return Time::FromQDateTime(info.lastModified().toUTC());
}

bool FileName::IsNameAllowed(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QString forbidden = QStringLiteral("<>:\"/\\|?*");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c))
            return false;
    }
    return true;
}
