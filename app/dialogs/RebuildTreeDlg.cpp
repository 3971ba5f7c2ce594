#include "RebuildTreeDlg.h"

#include "RebuildTreeOptions.h"
#include "StringIds.h"
#include "Translator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QSlider* MakeSlider(int minimum, int maximum, int position, QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(minimum, maximum);
    slider->setValue(position);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

} // namespace

// Dialogs carry a number; this one takes that of its first label.
RebuildTreeDlg::RebuildTreeDlg(QWidget* parent)
    : OblDlgBase(IDS_SEGMENT_GAP_LABEL, parent)
{
    const Translator& tr = Translator::GetInstance();
    RebuildTreeOptions& options = RebuildTreeOptions::GetInstance();
    setWindowTitle(tr.LoadStr(IDS_REBUILD_TREE_TITLE));
    // Out-of-range stored values land on the nearest end of the slider.
    const RestructureParams stored = options.GetParams();
    m_segmentSlider = MakeSlider(RebuildTreeOptions::MinSegmentMinutes, RebuildTreeOptions::MaxSegmentMinutes,
                                 stored.segmentMinutes, this);
    m_folderSlider = MakeSlider(RebuildTreeOptions::MinFolderMinutes / FolderStepMinutes,
                                RebuildTreeOptions::MaxFolderMinutes / FolderStepMinutes,
                                stored.folderMinutes / FolderStepMinutes, this);
    m_segmentLabel = new QLabel(this);
    m_folderLabel = new QLabel(this);
    m_keepBreaks = new QCheckBox(tr.LoadStr(IDS_KEEP_BREAKS), this);
    m_keepBreaks->setChecked(options.keepBreaks.Get());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &RebuildTreeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RebuildTreeDlg::reject);
    connect(m_segmentSlider, &QSlider::valueChanged, this, [this] { UpdateLabels(); });
    connect(m_folderSlider, &QSlider::valueChanged, this, [this] { UpdateLabels(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_segmentLabel);
    layout->addWidget(m_segmentSlider);
    layout->addWidget(m_folderLabel);
    layout->addWidget(m_folderSlider);
    layout->addWidget(m_keepBreaks);
    layout->addWidget(buttons);
    UpdateLabels();
}

QString RebuildTreeDlg::GetSegmentLabel() const
{
    return m_segmentLabel->text();
}

QString RebuildTreeDlg::GetFolderLabel() const
{
    return m_folderLabel->text();
}

void RebuildTreeDlg::UpdateLabels()
{
    const Translator& tr = Translator::GetInstance();
    const int folderMinutes = m_folderSlider->value() * FolderStepMinutes;
    m_segmentLabel->setText(tr.Format(IDS_SEGMENT_GAP_LABEL, QString::number(m_segmentSlider->value())));
    m_folderLabel->setText(tr.Format(IDS_FOLDER_GAP_LABEL, QString::number(folderMinutes / 60),
                                     QString::number(folderMinutes % 60)));
}

void RebuildTreeDlg::accept()
{
    RebuildTreeOptions& options = RebuildTreeOptions::GetInstance();
    options.segThreshold.Set(m_segmentSlider->value());
    options.folderThreshold.Set(m_folderSlider->value() * FolderStepMinutes);
    options.keepBreaks.Set(m_keepBreaks->isChecked());
    OblDlgBase::accept();
}
