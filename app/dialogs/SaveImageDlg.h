#pragma once

#include "OblDlgBase.h"

#include <QSize>

class QSpinBox;

// Asks for the size of a picture of the map, from 16 to 8,000 pixels a
// side; it starts at the map window's size.
class SaveImageDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 1960;

    SaveImageDlg(const QSize& windowSize, QWidget* parent = nullptr);

    QSize GetPictureSize() const;

private:
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};
