#include "MruHelper.h"

#include "RegistryKey.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString ValueName(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

// The same file reached by two spellings ("a/../b.gpx") is one entry.
QString Normalised(const QString& fileName)
{
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

} // namespace

MruHelper::MruHelper(int firstCommandId, int count, QString regKey)
    : m_firstId(firstCommandId)
    , m_count(std::max(count, 0))
    , m_regKey(std::move(regKey))
{
    Load();
}

int MruHelper::IndexOf(const QString& fileName) const
{
    return static_cast<int>(m_files.indexOf(Normalised(fileName)));
}

void MruHelper::AddFilename(const QString& fileName)
{
    if (fileName.isEmpty() || m_count == 0)
        return;
    const int index = IndexOf(fileName);
    if (index >= 0)
        m_files.removeAt(index);
    m_files.prepend(Normalised(fileName));
    while (m_files.size() > m_count)
        m_files.removeLast();
    Save();
}

void MruHelper::RemoveFilename(const QString& fileName)
{
    const int index = IndexOf(fileName);
    if (index < 0)
        return;
    m_files.removeAt(index);
    Save();
}

QString MruHelper::MenuText(int number, const QString& fileName)
{
    QString path = QDir::toNativeSeparators(fileName);
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    // The mnemonic is the last digit: 1..9, then 1&0.
    QString digits = QString::number(number);
    digits.insert(digits.size() - 1, QLatin1Char('&'));
    return digits + QLatin1Char(' ') + path;
}

QStringList MruHelper::GetMenuTexts() const
{
    QStringList texts;
    for (int i = 0; i < m_files.size(); ++i)
        texts << MenuText(i + 1, m_files[i]);
    return texts;
}

bool MruHelper::OnCommand(int commandId) const
{
    const int index = commandId - m_firstId;
    if (index < 0 || index >= m_files.size())
        return false;
    if (m_callback) {
        // Copied: the callback usually adds the file again, which reorders the list.
        const QString fileName = m_files[index];
        m_callback(fileName);
    }
    return true;
}

void MruHelper::Load()
{
    const RegistryKey reg(m_regKey);
    for (int i = 0; i < m_count; ++i) {
        const QString fileName = reg.ReadString(ValueName(i));
        if (!fileName.isEmpty() && IndexOf(fileName) < 0)
            m_files << Normalised(fileName);
    }
}

void MruHelper::Save() const
{
    RegistryKey reg(m_regKey);
    for (int i = 0; i < m_count; ++i) {
        if (i < m_files.size())
            reg.WriteString(ValueName(i), m_files[i]);
        else
            reg.DeleteValue(ValueName(i));
    }
}
