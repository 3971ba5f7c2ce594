#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// Flags of the file dialogs; Win32 values, as the callers read them.
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
inline constexpr unsigned OFN_ALLOWMULTISELECT = 0x200;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;

// What a file dialog asks: filters in Qt's "name (patterns)" form.
struct FileDialogRequest
{
    bool save = false;
    bool multiSelect = false;
    QString folder;
    QString initialName;
    QStringList filters;
    int filterIndex = 0;
};

// What the user chose: full paths and the index of the filter.
struct FileDialogAnswer
{
    QStringList names;
    int filterIndex = 0;
};

// Shows a file dialog; no answer when it was cancelled.
using FileDialogPresenter = std::function<std::optional<FileDialogAnswer>(const FileDialogRequest&)>;

// The common part of the open and save dialogs: the filters in the order
// added, and the folder and filter remembered in the settings under
// SetRegKey's section (the filter as the given value, the folder as
// "LastFolder"). The dialog itself is a QFileDialog, or whatever presenter
// is installed (tests and unattended runs).
class OblFileDialog
{
public:
    virtual ~OblFileDialog() = default;

    // pattern: one or more patterns separated by ';' or spaces ("*.gpx").
    void AddFilter(const QString& name, const QString& pattern);
    void SetRegKey(const QString& section, const QString& value);
    void SetTitle(const QString& title) { m_title = title; }

    // Asks for one or (with OFN_ALLOWMULTISELECT) several files; false when
    // cancelled. names may hold the initial name on entry.
    bool StartDialog(QStringList& names);
    bool StartDialog(QString& name);

    // The filter the user chose, counted from 0 in the order added.
    int GetSelectedFilterIndex() const { return m_filterIndex; }

    // Installs the presenter of every file dialog (an empty one brings back
    // QFileDialog) and returns the one it replaces.
    static FileDialogPresenter SetPresenter(FileDialogPresenter presenter);

protected:
    OblFileDialog(bool save, unsigned flags, QWidget* parent);

private:
    std::optional<FileDialogAnswer> Present(const FileDialogRequest& request) const;
    QString AddDefaultExtension(const QString& name) const;

    bool m_save;
    unsigned m_flags;
    QWidget* m_parent;
    QString m_title;
    QStringList m_filters;
    QStringList m_patterns;
    QString m_regSection;
    QString m_regValue;
    int m_filterIndex = 0;
};
