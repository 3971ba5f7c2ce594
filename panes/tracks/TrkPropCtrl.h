#pragma once

#include "PropertyGrid.h"

// The sheet below the track list: the file of the selected items and the
// figures and statistics of the whole selection, read from the tracks state
// on each Fill.
class TrkPropCtrl : public PropertyGrid
{
public:
    explicit TrkPropCtrl(QWidget* parent = nullptr);

    void Fill();

private:
    void FillFile(const std::vector<int>& items);
    void FillParameters(const std::vector<int>& items);
};
