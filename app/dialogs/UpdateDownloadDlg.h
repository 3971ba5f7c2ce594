#pragma once

#include "OblDlgBase.h"

#include <functional>

class QLabel;
class QProgressBar;

// The window that shows an update's download; modeless. Cancel (or closing
// the window) tells its owner, which stops the download.
class UpdateDownloadDlg : public OblDlgBase
{
public:
    static constexpr int TemplateId = 1950;

    explicit UpdateDownloadDlg(std::function<void()> onCancel, QWidget* parent = nullptr);

    // fraction of the whole download, 0 to 1.
    void SetProgress(double fraction);

    QProgressBar& GetProgressBar() const { return *m_bar; }
    QLabel& GetPercentLabel() const { return *m_percent; }

    void reject() override;

private:
    std::function<void()> m_onCancel;
    QProgressBar* m_bar;
    QLabel* m_percent;
};
