#include "FIncreaseFreqDlg.h"

#include "OptUnits.h"
#include "String.h"
#include "StringIds.h"
#include "Translator.h"
#include "UnitLabel.h"
#include "UnitsDisp.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

FIncreaseFreqDlg::Options::Options()
    : OblOptionsBase(QStringLiteral("Settings\\IncreaseFrequency"))
{
    time.Init(GetOblOptionSectI(), QStringLiteral("Time"));
    dist.Init(GetOblOptionSectI(), QStringLiteral("Dist"));
    useTime.Init(GetOblOptionSectI(), QStringLiteral("UseTime"));
    useDist.Init(GetOblOptionSectI(), QStringLiteral("UseDist"));
}

FIncreaseFreqDlg::FIncreaseFreqDlg(QWidget* parent)
    : OblDlgBase(kTemplateId, parent)
{
    const Translator& texts = Translator::GetInstance();
    setWindowTitle(texts.LoadStr(IDS_INCREASE_FREQ_TITLE));
    m_useTime = new QCheckBox(texts.LoadStr(IDS_INCREASE_FREQ_TIME), this);
    m_useTime->setObjectName(QStringLiteral("UseTime"));
    m_time = new QLineEdit(this);
    m_time->setObjectName(QStringLiteral("Time"));
    m_useDist = new QCheckBox(this);
    m_useDist->setObjectName(QStringLiteral("UseDist"));
    m_dist = new QLineEdit(this);
    m_dist->setObjectName(QStringLiteral("Dist"));
    connect(m_useTime, &QCheckBox::toggled, m_time, &QLineEdit::setEnabled);
    connect(m_useDist, &QCheckBox::toggled, m_dist, &QLineEdit::setEnabled);

    auto* rows = new QGridLayout;
    rows->addWidget(m_useTime, 0, 0);
    rows->addWidget(m_time, 0, 1);
    rows->addWidget(m_useDist, 1, 0);
    rows->addWidget(m_dist, 1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FIncreaseFreqDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FIncreaseFreqDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(buttons);
}

TimeSpan FIncreaseFreqDlg::GetTimeStep(const Options& options)
{
    const TimeSpan step = TimeSpan::FromSeconds(options.time.Get());
    return options.useTime.Get() && step > TimeSpan() ? step : TimeSpan();
}

double FIncreaseFreqDlg::GetDistStep(const Options& options)
{
    const double step = options.dist.Get();
    return options.useDist.Get() && step > 0 ? step : 0.0;
}

bool FIncreaseFreqDlg::OnInitDialog()
{
    m_units = UnitsConv::GetSmallDistUnits(OptUnits::GetInstance().GetMeasuringSystem());
    m_useDist->setText(WithUnitNotation(Translator::GetInstance().LoadStr(IDS_INCREASE_FREQ_DIST),
                                        UnitsDisp::GetUnitNotation(m_units)));
    const Options options;
    m_useTime->setChecked(options.useTime.Get());
    m_useDist->setChecked(options.useDist.Get());
    m_time->setEnabled(options.useTime.Get());
    m_dist->setEnabled(options.useDist.Get());
    m_time->setText(QString::number(options.time.Get()));
    m_dist->setText(QString::number(UnitsConv::MetersToUnits(options.dist.Get(), m_units)));
    return true;
}

void FIncreaseFreqDlg::accept()
{
    Options options;
    options.useTime.Set(m_useTime->isChecked());
    options.useDist.Set(m_useDist->isChecked());
    options.time.Set(String::Atof(m_time->text()));
    options.dist.Set(UnitsConv::UnitsToMeters(String::Atof(m_dist->text()), m_units));
    OblDlgBase::accept();
}
