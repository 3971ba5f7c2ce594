#pragma once

#include "PaneDlgBase.h"

#include <boost/signals2/connection.hpp>

class PointPropCtrl;

// The Point Properties pane: the fields of the current point, refilled
// whenever the current point or its data change.
class PointPropDlg : public PaneDlgBase
{
public:
    explicit PointPropDlg(QWidget* parent = nullptr);

    PointPropCtrl& GetSheet() { return *m_sheet; }
    // Reads the current point of the tracks state; without one the rows
    // stay as they are.
    void Refill();

private:
    PointPropCtrl* m_sheet;
    boost::signals2::scoped_connection m_events;
};
