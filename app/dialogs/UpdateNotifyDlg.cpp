#include "UpdateNotifyDlg.h"

#include "StringIds.h"
#include "Translator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

UpdateNotifyDlg::UpdateNotifyDlg(const UpdateDesc& update, QWidget* parent)
    : OblDlgBase(TemplateId, parent)
{
    const Translator& tr = Translator::GetInstance();
    setWindowTitle(tr.LoadStr(IDS_UPDATE_NOTIFY_TITLE));

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(icon.pixmap(48, 48));

    m_name = new QLabel(update.name, this);
    QFont bold = m_name->font();
    bold.setBold(true);
    bold.setPointSize(NamePointSize);
    m_name->setFont(bold);
    m_name->setTextFormat(Qt::PlainText);

    auto* recommended = new QLabel(tr.LoadStr(IDS_UPDATE_RECOMMENDED), this);
    m_link = new QLabel(this);
    m_link->setTextFormat(Qt::RichText);
    m_link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                        .arg(update.infoUrl.toHtmlEscaped(), tr.LoadStr(IDS_UPDATE_MORE_INFO).toHtmlEscaped()));
    m_link->setOpenExternalLinks(true);
    m_link->setVisible(!update.infoUrl.isEmpty());

    auto* buttons = new QDialogButtonBox(this);
    m_remind = buttons->addButton(tr.LoadStr(IDS_UPDATE_REMIND_LATER), QDialogButtonBox::RejectRole);
    m_install = buttons->addButton(tr.LoadStr(IDS_UPDATE_INSTALL_NOW), QDialogButtonBox::AcceptRole);
    m_install->setDefault(true);
    connect(m_remind, &QPushButton::clicked, this, [this] { done(RemindLater); });
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateNotifyDlg::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(iconLabel, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(tr.LoadStr(IDS_UPDATE_AVAILABLE), this), 0, 1);
    layout->addWidget(m_name, 1, 1);
    layout->addWidget(recommended, 2, 1);
    layout->addWidget(m_link, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}
