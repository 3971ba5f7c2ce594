#pragma once

#include <QWidget>

// A dialog-like window that lives inside a docking pane. Unlike a dialog it
// has no buttons to close it: Enter and Escape stay inside the pane.
class PaneDlgBase : public QWidget
{
public:
    explicit PaneDlgBase(int templateId, QWidget* parent = nullptr);

    int GetTemplateId() const { return m_templateId; }
    QWidget* GetWnd() { return this; }

    // Places the pane window under parent and fills it.
    bool DoCreate(QWidget* parent);

protected:
    virtual bool OnInitDialog() { return true; }

    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_templateId;
};
