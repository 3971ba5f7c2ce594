#include "FSetTimeDlg.h"

#include "DateTimeEdit.h"
#include "StringIds.h"
#include "Time.h"
#include "Translator.h"
#include "UnitLabel.h"
#include "UnitsDisp.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace {

int ExplanationId(int mode)
{
    switch (mode) {
    case 2:
        return IDS_SET_TIME_NO_TIMES;
    case 3:
        return IDS_SET_TIME_SOME_TIMES;
    default:
        return IDS_SET_TIME_ORDERED;
    }
}

} // namespace

FSetTimeDlg::FSetTimeDlg(const Data& data, QWidget* parent)
    : OblDlgBase(kTemplateId, parent)
    , m_data(data)
{
    const Translator& texts = Translator::GetInstance();
    setWindowTitle(texts.LoadStr(IDS_SET_TIME_TITLE));
    m_explanation = new QLabel(this);
    m_explanation->setObjectName(QStringLiteral("Explanation"));
    m_explanation->setWordWrap(true);
    m_startLabel = new QLabel(texts.LoadStr(IDS_SET_TIME_START), this);
    m_start = new DateTimeEdit(this);
    m_speedLabel = new QLabel(this);
    m_speedLabel->setObjectName(QStringLiteral("SpeedLabel"));
    m_speed = new QLineEdit(this);
    m_speed->setObjectName(QStringLiteral("Speed"));
    m_speedLabel->setBuddy(m_speed);

    auto* rows = new QFormLayout;
    rows->addRow(m_startLabel, m_start);
    rows->addRow(m_speedLabel, m_speed);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FSetTimeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FSetTimeDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addLayout(rows);
    layout->addWidget(buttons);
}

bool FSetTimeDlg::OnInitDialog()
{
    m_explanation->setText(Translator::GetInstance().LoadStr(ExplanationId(m_data.mode)));
    m_start->SetTime(Time::TimeDays(m_data.startDate + m_data.startTime));
    m_startLabel->setVisible(AsksStart());
    m_start->setVisible(AsksStart());
    // The unit in parentheses follows the user's speed unit.
    m_speedLabel->setText(WithUnitNotation(Translator::GetInstance().LoadStr(IDS_SET_TIME_SPEED),
                                           UnitsDisp::GetUnitNotation(m_data.speedUnit)));
    m_speed->setText(m_data.speedText);
    m_speedLabel->setVisible(AsksSpeed());
    m_speed->setVisible(AsksSpeed());
    return true;
}

void FSetTimeDlg::accept()
{
    const double days = m_start->GetTime().GetAbsDays();
    m_data.startDate = std::floor(days);
    m_data.startTime = days - m_data.startDate;
    m_data.speedText = m_speed->text();
    OblDlgBase::accept();
}
