#include "ProfileDlg.h"

#include <QLabel>
#include <QVBoxLayout>

ProfileDlg::ProfileDlg(QWidget* parent)
    : PaneDlgBase(kTemplateId, parent)
{
    // The two placeholders where the chart and its axis will go.
    auto* layout = new QVBoxLayout(this);
    for (int id : {1201, 1202}) {
        auto* placeholder = new QLabel(this);
        placeholder->setObjectName(QString::number(id));
        layout->addWidget(placeholder, 1);
    }
}
