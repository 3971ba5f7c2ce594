#include "AreaDownloadDlg.h"

#include "AreaDownload.h"
#include "AreaTiles.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParamsI.h"
#include "StringIds.h"
#include "TileDiskCache.h"
#include "Translator.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Further zoom levels offered at first: each one costs four times the last.
constexpr int FirstExtraLevels = 2;
constexpr int PollMs = 100;

} // namespace

AreaDownloadDlg::AreaDownloadDlg(std::shared_ptr<const MapLayerParamsI> layer, const GeoRect& area, int currentZoom,
                                 std::shared_ptr<TileDiskCache> disk, QWidget* parent)
    : DlgBase(parent)
    , m_layer(std::move(layer))
    , m_area(area)
    , m_disk(std::move(disk))
{
    const Translator& tr = Translator::GetInstance();
    setWindowTitle(tr.LoadStr(IDS_AREA_DOWNLOAD_TITLE));
    const MapLayerCoverageI& coverage = *m_layer->GetCoverage();
    m_from = new QSpinBox(this);
    m_to = new QSpinBox(this);
    for (QSpinBox* zoom : {m_from, m_to})
        zoom->setRange(coverage.GetMinZoom(), coverage.GetMaxZoom());
    m_from->setValue(currentZoom);
    m_to->setValue(std::min(currentZoom + FirstExtraLevels, coverage.GetMaxZoom()));
    m_estimate = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_status = new QLabel(this);
    auto* where = new QLabel(tr.Format(IDS_AREA_DOWNLOAD_WHERE, QDir::toNativeSeparators(m_disk->GetRoot())), this);
    where->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(tr.LoadStr(IDS_AREA_DOWNLOAD_START), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(tr.LoadStr(IDS_BUTTON_CANCEL), QDialogButtonBox::RejectRole);
    m_start->setDefault(true);
    connect(m_start, &QPushButton::clicked, this, &AreaDownloadDlg::Start);
    connect(m_cancel, &QPushButton::clicked, this, &AreaDownloadDlg::reject);

    auto* zooms = new QFormLayout;
    zooms->addRow(tr.LoadStr(IDS_AREA_DOWNLOAD_FROM_ZOOM), m_from);
    zooms->addRow(tr.LoadStr(IDS_AREA_DOWNLOAD_TO_ZOOM), m_to);
    auto* layout = new QVBoxLayout(this);
    auto* what = new QLabel(tr.Format(IDS_AREA_DOWNLOAD_LAYER, m_layer->GetName()), this);
    what->setWordWrap(true);
    layout->addWidget(what);
    layout->addLayout(zooms);
    layout->addWidget(m_estimate);
    layout->addWidget(where);
    layout->addWidget(m_bar);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    m_poll = new QTimer(this);
    m_poll->setInterval(PollMs);
    connect(m_poll, &QTimer::timeout, this, &AreaDownloadDlg::ShowProgress);
    connect(m_from, &QSpinBox::valueChanged, this, &AreaDownloadDlg::UpdateEstimate);
    connect(m_to, &QSpinBox::valueChanged, this, &AreaDownloadDlg::UpdateEstimate);
    UpdateEstimate();
}

AreaDownloadDlg::~AreaDownloadDlg() = default;

void AreaDownloadDlg::UpdateEstimate()
{
    const Translator& tr = Translator::GetInstance();
    const QLocale locale;
    m_count = AreaTiles(m_area, m_from->value(), m_to->value()).Count();
    if (m_count > AreaDownload::MaxTiles)
        m_estimate->setText(
            tr.Format(IDS_AREA_DOWNLOAD_TOO_MANY, locale.toString(m_count), locale.toString(AreaDownload::MaxTiles)));
    else
        m_estimate->setText(tr.Format(IDS_AREA_DOWNLOAD_ESTIMATE, locale.toString(m_count),
                                      locale.formattedDataSize(m_count * AreaDownload::TypicalTileBytes)));
    m_start->setEnabled(!m_download && m_count > 0 && m_count <= AreaDownload::MaxTiles);
}

void AreaDownloadDlg::Start()
{
    if (m_download || m_count == 0 || m_count > AreaDownload::MaxTiles)
        return;
    m_download = std::make_unique<AreaDownload>(*m_layer, m_disk, AreaTiles(m_area, m_from->value(), m_to->value()).List());
    m_start->setEnabled(false);
    m_from->setEnabled(false);
    m_to->setEnabled(false);
    m_download->Start();
    m_poll->start();
    ShowProgress();
}

void AreaDownloadDlg::ShowProgress()
{
    const Translator& tr = Translator::GetInstance();
    const QLocale locale;
    const AreaDownload::Progress progress = m_download->GetProgress();
    m_bar->setValue(progress.total > 0 ? static_cast<int>(progress.done * 1000 / progress.total) : 1000);
    if (!m_download->IsFinished()) {
        m_status->setText(tr.LoadStr(IDS_AREA_DOWNLOAD_PROGRESS)
                              .arg(locale.toString(progress.done), locale.toString(progress.total),
                                   locale.toString(progress.failed)));
        return;
    }
    m_poll->stop();
    if (m_download->IsCancelled())
        m_status->setText(
            tr.Format(IDS_AREA_DOWNLOAD_CANCELLED, locale.toString(progress.done), locale.toString(progress.total)));
    else
        m_status->setText(tr.Format(IDS_AREA_DOWNLOAD_DONE, locale.toString(progress.done - progress.failed),
                                    locale.toString(progress.failed)));
    m_cancel->setText(tr.LoadStr(IDS_AREA_DOWNLOAD_CLOSE));
}

void AreaDownloadDlg::reject()
{
    if (m_download && !m_download->IsFinished()) {
        m_download->Cancel();
        return;
    }
    DlgBase::reject();
}
