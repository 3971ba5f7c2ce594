#include "OblFileDialog.h"

#include "RegistryKey.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kLastFolder = QStringLiteral("LastFolder");

FileDialogPresenter& Presenter()
{
    static FileDialogPresenter presenter;
    return presenter;
}

std::optional<FileDialogAnswer> ShowQFileDialog(const FileDialogRequest& request, const QString& title,
                                                bool overwritePrompt, QWidget* parent)
{
    QFileDialog dlg(parent, title, request.folder);
    dlg.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(request.save ? QFileDialog::AnyFile
                                 : request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !overwritePrompt);
    dlg.setNameFilters(request.filters);
    if (request.filterIndex >= 0 && request.filterIndex < request.filters.size())
        dlg.selectNameFilter(request.filters[request.filterIndex]);
    if (!request.initialName.isEmpty())
        dlg.selectFile(request.initialName);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return FileDialogAnswer{dlg.selectedFiles(), static_cast<int>(request.filters.indexOf(dlg.selectedNameFilter()))};
}

} // namespace

OblFileDialog::OblFileDialog(bool save, unsigned flags, QWidget* parent)
    : m_save(save)
    , m_flags(flags)
    , m_parent(parent)
{
}

FileDialogPresenter OblFileDialog::SetPresenter(FileDialogPresenter presenter)
{
    FileDialogPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

void OblFileDialog::AddFilter(const QString& name, const QString& pattern)
{
    const QStringList patterns = pattern.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    m_patterns << patterns.join(QLatin1Char(' '));
    m_filters << QStringLiteral("%1 (%2)").arg(name, m_patterns.back());
}

void OblFileDialog::SetRegKey(const QString& section, const QString& value)
{
    m_regSection = section;
    m_regValue = value;
}

bool OblFileDialog::StartDialog(QString& name)
{
    QStringList names;
    if (!name.isEmpty())
        names << name;
    if (!StartDialog(names) || names.isEmpty())
        return false;
    name = names.front();
    return true;
}

bool OblFileDialog::StartDialog(QStringList& names)
{
    FileDialogRequest request;
    request.save = m_save;
    request.multiSelect = !m_save && (m_flags & OFN_ALLOWMULTISELECT);
    request.filters = m_filters;
    if (!names.isEmpty())
        request.initialName = names.front();
    if (!m_regSection.isEmpty()) {
        const RegistryKey reg(m_regSection);
        request.folder = reg.ReadString(kLastFolder);
        const int stored = static_cast<int>(reg.ReadDword(m_regValue, 0));
        request.filterIndex = stored < m_filters.size() ? stored : 0;
    }
    // A name with a folder opens in that folder.
    if (!request.initialName.isEmpty() && QFileInfo(request.initialName).isAbsolute())
        request.folder = QFileInfo(request.initialName).absolutePath();

    const std::optional<FileDialogAnswer> answer = Present(request);
    if (!answer || answer->names.isEmpty())
        return false;
    m_filterIndex = answer->filterIndex >= 0 && answer->filterIndex < m_filters.size() ? answer->filterIndex : 0;
    names.clear();
    for (const QString& chosen : answer->names)
        names << (m_save ? AddDefaultExtension(chosen) : chosen);

    if (!m_regSection.isEmpty()) {
        RegistryKey reg(m_regSection);
        reg.WriteString(kLastFolder, QFileInfo(names.front()).absolutePath());
        reg.WriteDword(m_regValue, static_cast<uint32_t>(m_filterIndex));
    }
    return true;
}

std::optional<FileDialogAnswer> OblFileDialog::Present(const FileDialogRequest& request) const
{
    if (Presenter()) {
        const FileDialogPresenter presenter = Presenter();
        return presenter(request);
    }
    return ShowQFileDialog(request, m_title, (m_flags & OFN_OVERWRITEPROMPT) != 0, m_parent);
}

// "track" saved with the filter "*.gpx" becomes "track.gpx"; a filter that
// takes any name ("*.*", "*") adds nothing.
QString OblFileDialog::AddDefaultExtension(const QString& name) const
{
    if (!QFileInfo(name).suffix().isEmpty() || m_filterIndex >= m_patterns.size())
        return name;
    const QString first = m_patterns[m_filterIndex].section(QLatin1Char(' '), 0, 0);
    const QString extension = first.mid(2);
    if (!first.startsWith(QStringLiteral("*.")) || extension.contains(QLatin1Char('*'))
        || extension.contains(QLatin1Char('?')))
        return name;
    return name + first.mid(1);
}
