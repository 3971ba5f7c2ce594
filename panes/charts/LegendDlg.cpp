#include "LegendDlg.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "LegendView.h"

#include <QVBoxLayout>

namespace {

constexpr int TemplateId = 148;

} // namespace

LegendDlg::LegendDlg(QWidget* parent) : PaneDlgBase(TemplateId, parent), m_view(new LegendView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    using namespace GEventKind;
    m_events = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{ViewSettingsChanged, UnitsChanged}, [this] { m_view->update(); }, GEventGroup::Views);
}
