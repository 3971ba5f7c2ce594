#include "FValueDlg.h"

#include "CommandIds.h"
#include "OptUnits.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FValueDlg::FValueDlg(QWidget* parent)
    : OblDlgBase(kTemplateId, parent)
{
    // The menu text without its accelerator mark and ellipsis.
    QString title = Translator::GetInstance().LoadStr(ID_FILTER_BY_VALUE);
    setWindowTitle(title.remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    auto* layout = new QVBoxLayout(this);
    auto* rows = new QFormLayout;
    layout->addLayout(rows);
    for (size_t i = 0; i < m_edits.size(); ++i) {
        const ValueFilterRows::Row& row = ValueFilterRows::GetRows()[i];
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QString::number(row.labelId));
        m_edits[i] = new QLineEdit(this);
        m_edits[i]->setObjectName(QString::number(row.editId));
        m_labels[i]->setBuddy(m_edits[i]);
        rows->addRow(m_labels[i], m_edits[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FValueDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FValueDlg::reject);
}

bool FValueDlg::OnInitDialog()
{
    m_system = OptUnits::GetInstance().GetMeasuringSystem();
    const ValueFilterRows::Texts limits = ValueFilterLimits::GetInstance().GetTexts(m_system);
    for (size_t i = 0; i < m_edits.size(); ++i) {
        m_labels[i]->setText(ValueFilterRows::GetLabel(ValueFilterRows::GetRows()[i], m_system));
        m_edits[i]->setText(limits[i]);
    }
    return true;
}

ValueFilterRows::Texts FValueDlg::GetTexts() const
{
    ValueFilterRows::Texts texts;
    for (size_t i = 0; i < m_edits.size(); ++i)
        texts[i] = m_edits[i]->text();
    return texts;
}
