#pragma once

#include "OblDlgBase.h"

#include <array>

class NmeaTrackWriter;
class QCheckBox;
class QLabel;

// Chooses the NMEA sentences of an export and shows which point values
// they carry; the note turns red while the choice would not open again as
// a track with times. OK stores the choice and sets it on the writer.
class ExportNmeaDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 2150;

    ExportNmeaDlg(NmeaTrackWriter& writer, QWidget* parent = nullptr);

    void accept() override;

protected:
    QString GetLayoutKey() const override { return QStringLiteral("ExportNmea"); }
    bool OnInitDialog() override;

private:
    int MessageSet() const;
    void OnSentencesChanged();

    NmeaTrackWriter& m_writer;
    std::array<QCheckBox*, 5> m_sentences{};
    std::array<QCheckBox*, 8> m_params{};
    QLabel* m_note = nullptr;
    QWidget* m_ok = nullptr;
};
