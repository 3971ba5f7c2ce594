#pragma once

#include "DlgBase.h"
#include "GeoTypes.h"

#include <cstdint>
#include <memory>

class AreaDownload;
class MapLayerParamsI;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class TileDiskCache;

// Downloads the tiles of an area for offline use: the user picks the zoom
// levels and sees the tile count and size before starting, then the
// progress. Cancel stops a running download (the tiles fetched so far stay);
// once it has stopped, the dialog only closes.
class AreaDownloadDlg : public DlgBase
{
public:
    // currentZoom: the zoom the map shows now, where the range starts.
    AreaDownloadDlg(std::shared_ptr<const MapLayerParamsI> layer, const GeoRect& area, int currentZoom,
                    std::shared_ptr<TileDiskCache> disk, QWidget* parent = nullptr);
    ~AreaDownloadDlg() override;

    QSpinBox& GetFromZoom() const { return *m_from; }
    QSpinBox& GetToZoom() const { return *m_to; }
    QLabel& GetEstimate() const { return *m_estimate; }
    QLabel& GetStatus() const { return *m_status; }
    QPushButton& GetStartButton() const { return *m_start; }
    QPushButton& GetCancelButton() const { return *m_cancel; }
    // Null before Start.
    const AreaDownload* GetDownload() const { return m_download.get(); }

    void Start();
    // Stops a running download; closes the dialog when none runs.
    void reject() override;

private:
    void UpdateEstimate();
    void ShowProgress();

    std::shared_ptr<const MapLayerParamsI> m_layer;
    GeoRect m_area;
    std::shared_ptr<TileDiskCache> m_disk;
    std::unique_ptr<AreaDownload> m_download;
    int64_t m_count = 0;
    QSpinBox* m_from;
    QSpinBox* m_to;
    QLabel* m_estimate;
    QProgressBar* m_bar;
    QLabel* m_status;
    QPushButton* m_start;
    QPushButton* m_cancel;
    QTimer* m_poll;
};
