#include "SaveImageDlg.h"

#include "MapImageWriter.h"
#include "StringIds.h"
#include "Translator.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* SideBox(const QString& name, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(MapImageWriter::MinSide, MapImageWriter::MaxSide);
    box->setValue(value);
    return box;
}

} // namespace

SaveImageDlg::SaveImageDlg(const QSize& windowSize, QWidget* parent) : OblDlgBase(kTemplateId, parent)
{
    const Translator& texts = Translator::GetInstance();
    setWindowTitle(texts.LoadStr(IDS_SAVE_IMAGE_TITLE));
    m_width = SideBox(QStringLiteral("Width"), windowSize.width(), this);
    m_height = SideBox(QStringLiteral("Height"), windowSize.height(), this);
    auto* note = new QLabel(texts.LoadStr(IDS_SAVE_IMAGE_AREA), this);
    note->setWordWrap(true);
    auto* rows = new QFormLayout;
    rows->addRow(texts.LoadStr(IDS_SAVE_IMAGE_WIDTH), m_width);
    rows->addRow(texts.LoadStr(IDS_SAVE_IMAGE_HEIGHT), m_height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SaveImageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SaveImageDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QSize SaveImageDlg::GetPictureSize() const
{
    return {m_width->value(), m_height->value()};
}
