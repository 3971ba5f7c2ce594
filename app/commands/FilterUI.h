#pragma once

#include "CleaningCapture.h"
#include "FilterRun.h"
#include "MainFrameImpl.h"
#include "ValueFilterRows.h"

#include <QObject>

class CommandUI;
class MainFrame;

// The Filter menu and the Time commands: filter by value (from its dialog,
// or with the limits last set, for the Histogram pane), spikes, local
// inconsistencies, stops, delete and restore filtered points, shift and
// reset of times. Every command works on the selection and is enabled while
// a segment is selected. The frame owns it.
class FilterUI : public QObject
{
public:
    explicit FilterUI(MainFrame& frame);

private:
    void OnCommand(int id);
    void OnCommandUI(CommandUI& ui) const;
    FilterRun BeginRun(FilterRun::Scope scope = FilterRun::Scope::Segments) const;
    // Takes the figures of the selected files for the cleaning report.
    CleaningCapture BeginCapture() const;
    void FilterByValue();
    // On the current segment, as the Histogram pane previews it.
    void ApplyLimits();
    void RunValueFilter(const ValueFilterRows::Texts& texts, MeasuringSystem system, FilterRun::Scope scope);
    void FilterSpikes();
    void FilterLocal();
    void FilterStops();
    void DeleteFiltered();
    void RestoreFiltered();

    MainFrame& m_frame;
    MainFrameImpl::Connection m_commands;
    MainFrameImpl::Connection m_commandUIs;
};
