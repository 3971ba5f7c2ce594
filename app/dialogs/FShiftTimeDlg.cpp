#include "FShiftTimeDlg.h"

#include "DateTimeEdit.h"
#include "StringIds.h"
#include "TimeConv.h"
#include "Translator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

FShiftTimeDlg::FShiftTimeDlg(const Time& localStart, QWidget* parent)
    : OblDlgBase(kTemplateId, parent)
    , m_start(localStart)
    , m_edit(new DateTimeEdit(this))
{
    const Translator& texts = Translator::GetInstance();
    setWindowTitle(texts.LoadStr(IDS_SHIFT_TIME_TITLE));
    auto* random = new QPushButton(texts.LoadStr(IDS_SHIFT_TIME_RANDOM), this);
    random->setObjectName(QString::number(kRandomDateId));
    connect(random, &QPushButton::clicked, this, &FShiftTimeDlg::SetRandomPastDate);

    auto* rows = new QFormLayout;
    rows->addRow(texts.LoadStr(IDS_SHIFT_TIME_START), m_edit);
    rows->addRow(QString(), random);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FShiftTimeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FShiftTimeDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(buttons);
}

bool FShiftTimeDlg::OnInitDialog()
{
    m_edit->SetTime(m_start);
    return true;
}

void FShiftTimeDlg::SetRandomPastDate()
{
    // Two days at least, up to ten years more, in 32768 steps.
    const double days = 2.0 + QRandomGenerator::global()->bounded(32768) * 3650.0 / 32767.0;
    m_edit->SetTime(TimeConv::UtcToLocal(Time::GetCurTime()) - TimeSpan(TimeSpan::Days, days));
}

void FShiftTimeDlg::accept()
{
    m_start = m_edit->GetTime();
    OblDlgBase::accept();
}
