#include "FieldChooserDlg.h"

#include "StringIds.h"
#include "Translator.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

FieldChooserDlg::FieldChooserDlg(int templateId, const QStringList& captions, const std::vector<bool>& shown,
                                 QWidget* parent)
    : OblDlgBase(templateId, parent)
    , m_list(new QListWidget(this))
{
    setWindowTitle(Translator::GetInstance().LoadStr(IDS_FIELD_CHOOSER_TITLE));
    for (int i = 0; i < captions.size(); ++i) {
        auto* item = new QListWidgetItem(captions[i], m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(shown[static_cast<size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FieldChooserDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FieldChooserDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::vector<bool> FieldChooserDlg::GetShown() const
{
    std::vector<bool> shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown.push_back(m_list->item(i)->checkState() == Qt::Checked);
    return shown;
}

void FieldChooserDlg::SetShown(int row, bool shown)
{
    m_list->item(row)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}
