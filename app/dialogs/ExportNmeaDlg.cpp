#include "ExportNmeaDlg.h"

#include "NmeaExportOptions.h"
#include "NmeaTrackWriter.h"
#include "StringIds.h"
#include "Translator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Sentence
{
    int textId;
    int bit;
    OblOptionBool NmeaExportOptions::*option;
};

// In the order of the dialog; the bits are the writer's.
constexpr std::array<Sentence, 5> Sentences{{
    {IDS_NMEA_GPRMC, NmeaTrackWriter::MessageRmc, &NmeaExportOptions::rmc},
    {IDS_NMEA_GPGGA, NmeaTrackWriter::MessageGga, &NmeaExportOptions::gga},
    {IDS_NMEA_GPGLL, NmeaTrackWriter::MessageGll, &NmeaExportOptions::gll},
    {IDS_NMEA_GPGSA, NmeaTrackWriter::MessageGsa, &NmeaExportOptions::gsa},
    {IDS_NMEA_GPZDA, NmeaTrackWriter::MessageZda, &NmeaExportOptions::zda},
}};

struct Param
{
    int textId;
    int bit;
};

constexpr std::array<Param, 8> Params{{
    {IDS_NMEA_PARAM_LATLON, NmeaTrackWriter::ParamLatLon},
    {IDS_NMEA_PARAM_DATE, NmeaTrackWriter::ParamDate},
    {IDS_NMEA_PARAM_TIME, NmeaTrackWriter::ParamTime},
    {IDS_NMEA_PARAM_ELEVATION, NmeaTrackWriter::ParamElevation},
    {IDS_NMEA_PARAM_SATELLITES, NmeaTrackWriter::ParamSatellites},
    {IDS_NMEA_PARAM_PDOP, NmeaTrackWriter::ParamPdop},
    {IDS_NMEA_PARAM_HDOP, NmeaTrackWriter::ParamHdop},
    {IDS_NMEA_PARAM_VDOP, NmeaTrackWriter::ParamVdop},
}};

} // namespace

ExportNmeaDlg::ExportNmeaDlg(NmeaTrackWriter& writer, QWidget* parent)
    : OblDlgBase(kTemplateId, parent), m_writer(writer)
{
    const Translator& texts = Translator::GetInstance();
    setWindowTitle(texts.LoadStr(IDS_EXPORT_NMEA_TITLE));
    auto* sentences = new QGroupBox(texts.LoadStr(IDS_EXPORT_NMEA_SENTENCES), this);
    auto* sentenceRows = new QVBoxLayout(sentences);
    for (size_t i = 0; i < Sentences.size(); ++i) {
        m_sentences[i] = new QCheckBox(texts.LoadStr(Sentences[i].textId), sentences);
        m_sentences[i]->setObjectName(texts.LoadStr(Sentences[i].textId));
        sentenceRows->addWidget(m_sentences[i]);
        connect(m_sentences[i], &QCheckBox::toggled, this, [this] { OnSentencesChanged(); });
    }
    auto* params = new QGroupBox(texts.LoadStr(IDS_EXPORT_NMEA_PARAMS), this);
    auto* paramRows = new QVBoxLayout(params);
    for (size_t i = 0; i < Params.size(); ++i) {
        // Shown, not chosen: the sentences decide.
        m_params[i] = new QCheckBox(texts.LoadStr(Params[i].textId), params);
        m_params[i]->setEnabled(false);
        paramRows->addWidget(m_params[i]);
    }
    m_note = new QLabel(texts.LoadStr(IDS_EXPORT_NMEA_NOTE), this);
    m_note->setObjectName(QStringLiteral("Note"));
    m_note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &ExportNmeaDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExportNmeaDlg::reject);
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(sentences);
    groups->addWidget(params);
    layout->addLayout(groups);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
}

bool ExportNmeaDlg::OnInitDialog()
{
    const NmeaExportOptions options;
    for (size_t i = 0; i < Sentences.size(); ++i)
        m_sentences[i]->setChecked((options.*Sentences[i].option).Get());
    OnSentencesChanged();
    return true;
}

int ExportNmeaDlg::MessageSet() const
{
    int messages = 0;
    for (size_t i = 0; i < Sentences.size(); ++i) {
        if (m_sentences[i]->isChecked())
            messages |= Sentences[i].bit;
    }
    return messages;
}

void ExportNmeaDlg::OnSentencesChanged()
{
    m_writer.SetMessageSet(MessageSet());
    const int params = m_writer.GetParamsSet();
    for (size_t i = 0; i < Params.size(); ++i)
        m_params[i]->setChecked((params & Params[i].bit) != 0);
    m_ok->setEnabled(MessageSet() != 0);
    QPalette palette = m_note->palette();
    palette.setColor(QPalette::WindowText, NmeaTrackWriter::AreParamsOkForTrack(params)
                                              ? this->palette().color(QPalette::WindowText)
                                              : QColor(Qt::red));
    m_note->setPalette(palette);
}

void ExportNmeaDlg::accept()
{
    NmeaExportOptions options;
    for (size_t i = 0; i < Sentences.size(); ++i)
        (options.*Sentences[i].option).Set(m_sentences[i]->isChecked());
    m_writer.SetMessageSet(MessageSet());
    OblDlgBase::accept();
}
