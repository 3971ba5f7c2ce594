#pragma once

#include <QString>

#include <optional>

// The state of one command as its enable/check handler sets it: whether it
// can run, whether it shows checked, and an optional replacement text. The
// frame applies the result to the command's menu items and buttons.
class CommandUI
{
public:
    explicit CommandUI(int id)
        : m_id(id)
    {
    }

    int GetId() const { return m_id; }

    void Enable(bool enabled = true) { m_enabled = enabled; }
    void SetCheck(bool checked = true) { m_checked = checked; }
    void SetText(const QString& text) { m_text = text; }

    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }
    const std::optional<QString>& GetText() const { return m_text; }

private:
    int m_id;
    bool m_enabled = true;
    bool m_checked = false;
    std::optional<QString> m_text;
};
