#pragma once

#include "PaneDlgBase.h"

#include <boost/signals2/connection.hpp>

class LegendView;

// The Legend pane: the colour scale of the map, redrawn when the view
// settings or the units change.
class LegendDlg : public PaneDlgBase
{
public:
    explicit LegendDlg(QWidget* parent = nullptr);

    LegendView& GetView() { return *m_view; }

private:
    LegendView* m_view;
    boost::signals2::scoped_connection m_events;
};
