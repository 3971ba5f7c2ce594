#pragma once

#include "OblDlgBase.h"

class QCheckBox;
class QLabel;
class QSlider;

// Asks for the gaps that start a new segment (1 to 10 minutes) and a new
// folder (10 minutes to 10 hours in steps of 10 minutes), and whether the
// existing breaks stay. Starts from the stored choices; OK stores them.
class RebuildTreeDlg : public OblDlgBase
{
public:
    // The folder slider counts steps of this many minutes.
    static constexpr int FolderStepMinutes = 10;

    explicit RebuildTreeDlg(QWidget* parent = nullptr);

    QSlider& GetSegmentSlider() const { return *m_segmentSlider; }
    QSlider& GetFolderSlider() const { return *m_folderSlider; }
    QCheckBox& GetKeepBreaksBox() const { return *m_keepBreaks; }
    QString GetSegmentLabel() const;
    QString GetFolderLabel() const;

    void accept() override;

protected:
    QString GetLayoutKey() const override { return QStringLiteral("RebuildTree"); }

private:
    void UpdateLabels();

    QSlider* m_segmentSlider;
    QSlider* m_folderSlider;
    QLabel* m_segmentLabel;
    QLabel* m_folderLabel;
    QCheckBox* m_keepBreaks;
};
