#include "UpdateDownloadDlg.h"

#include "StringIds.h"
#include "Translator.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

UpdateDownloadDlg::UpdateDownloadDlg(std::function<void()> onCancel, QWidget* parent)
    : OblDlgBase(TemplateId, parent)
    , m_onCancel(std::move(onCancel))
{
    const Translator& tr = Translator::GetInstance();
    setWindowTitle(tr.LoadStr(IDS_DOWNLOAD_TITLE));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_percent = new QLabel(this);
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(tr.LoadStr(IDS_BUTTON_CANCEL));
    connect(buttons, &QDialogButtonBox::rejected, this, &UpdateDownloadDlg::reject);

    auto* progress = new QHBoxLayout;
    progress->addWidget(m_bar, 1);
    progress->addWidget(m_percent);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr.LoadStr(IDS_UPDATE_DOWNLOADING_FILES), this));
    layout->addLayout(progress);
    layout->addWidget(buttons);
    setMinimumWidth(360);
    SetProgress(0);
}

void UpdateDownloadDlg::SetProgress(double fraction)
{
    const int percent = int(std::floor(std::clamp(fraction, 0.0, 1.0) * 100));
    m_bar->setValue(percent);
    m_percent->setText(QStringLiteral("%1%").arg(percent));
}

void UpdateDownloadDlg::reject()
{
    if (m_onCancel)
        m_onCancel();
    OblDlgBase::reject();
}
