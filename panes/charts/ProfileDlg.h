#pragma once

#include "CommandMenu.h"
#include "PaneDlgBase.h"
#include "ProfileSettings.h"
#include "ProfileView.h"
#include "TrackPositionConverter.h"

#include <boost/signals2/connection.hpp>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QToolButton;

// The Profile pane: the chosen values of the current segment charted
// against distance, elapsed time or time of day, above a small bar to
// choose them. It follows the current segment and point, the segment's
// points and the units; a point clicked in the chart becomes the current
// point.
class ProfileDlg : public PaneDlgBase
{
public:
    static constexpr int kTemplateId = 131;
    using ShowPoint = std::function<void(const TrackPosition&)>;

    // showPoint, when given, brings a point picked in the chart into the map.
    explicit ProfileDlg(ShowPoint showPoint = {}, QWidget* parent = nullptr);
    ~ProfileDlg() override;

    ProfileView& GetView() { return *m_view; }
    QComboBox& GetAxisChoice() { return *m_axisChoice; }
    // The value choices, by value id.
    QAction& GetValueAction(ProfileQuantity::Id id) { return *m_valueActions[id]; }
    int GetSegment() const { return m_segment; }

    // Called with (segment tid, first, last) when the user drags a range;
    // by default the range becomes the point range of the tracks state.
    void SetOnRangeDragged(ProfileView::RangeHandler handler);
    using MenuRunner = CommandMenu::Runner;
    void SetMenuRunner(MenuRunner runner) { m_menuRunner = std::move(runner); }
    // Carries out the range commands chosen in the chart's menu.
    using SendCommand = std::function<void(int commandId)>;
    void SetCommandSender(SendCommand send) { m_sendCommand = std::move(send); }
    // The figures of the point range shown above the chart; empty without
    // a range on the charted segment.
    QString GetRangeSummary() const;
    // Shades the point range of the charted segment; (-1, -1) for none.
    void SetRange(int first, int last) { m_view->SetRange(first, last); }

private:
    void OnEvent();
    // Charts the current segment again; rebuild reads its points anew.
    void Bind(bool rebuild);
    void ApplyUnits();
    void ApplyChoices();
    void OfferValues();
    void OnPointClicked(int tid, int index);
    // Shades the tracks state's point range when it lies on the charted
    // segment, and sums it up above the chart.
    void ApplyRange();
    void ShowMenu(const QPoint& globalPos);

    ProfileView* m_view;
    QComboBox* m_axisChoice;
    QToolButton* m_valuesButton;
    QLabel* m_rangeSummary;
    std::array<QAction*, ProfileQuantity::Count> m_valueActions{};
    ProfileSettings m_settings;
    ShowPoint m_showPoint;
    MenuRunner m_menuRunner;
    SendCommand m_sendCommand;
    int m_segment = -1;
    boost::signals2::scoped_connection m_events;
    boost::signals2::scoped_connection m_timeZone;
};
