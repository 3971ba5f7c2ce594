#include "PaneDlgBase.h"

#include <QKeyEvent>

PaneDlgBase::PaneDlgBase(int templateId, QWidget* parent)
    : QWidget(parent)
    , m_templateId(templateId)
{
}

bool PaneDlgBase::DoCreate(QWidget* parent)
{
    if (parent)
        setParent(parent);
    return OnInitDialog();
}

void PaneDlgBase::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Taken here so that a floating pane's frame or the main window does
        // not act on them.
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
