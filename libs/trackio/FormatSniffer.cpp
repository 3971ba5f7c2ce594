#include "FormatSniffer.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>

namespace {

QByteArray AsUtf8(const QByteArray& head)
{
    if (head.startsWith("\xEF\xBB\xBF"))
        return head.mid(3);
    if (head.startsWith("\xFF\xFE"))
        return QString(QStringDecoder(QStringDecoder::Utf16LE).decode(head.mid(2))).toUtf8();
    if (head.startsWith("\xFE\xFF"))
        return QString(QStringDecoder(QStringDecoder::Utf16BE).decode(head.mid(2))).toUtf8();
    return head;
}

// Local name of the first element, skipping the declaration, comments,
// processing instructions and a document type.
QByteArray FirstElementName(const QByteArray& text)
{
    qsizetype pos = 0;
    for (;;) {
        pos = text.indexOf('<', pos);
        if (pos < 0 || pos + 1 >= text.size())
            return {};
        const char next = text[pos + 1];
        if (next == '?' || next == '!') {
            const char* closing = text.mid(pos, 4) == "<!--" ? "-->" : ">";
            const qsizetype end = text.indexOf(closing, pos + 2);
            if (end < 0)
                return {};
            pos = end + 1;
            continue;
        }
        qsizetype end = pos + 1;
        while (end < text.size() && !QChar::isSpace(static_cast<uchar>(text[end])) && text[end] != '>' && text[end] != '/')
            ++end;
        QByteArray name = text.mid(pos + 1, end - pos - 1);
        const qsizetype colon = name.indexOf(':');
        return colon >= 0 ? name.mid(colon + 1) : name;
    }
}

} // namespace

TrackFileType FormatSniffer::Detect(const QByteArray& head)
{
    if (IsFit(head))
        return TrackFileFit;
    // A zip's local file header; KMZ is the one zipped format read.
    if (head.startsWith("PK\x03\x04"))
        return TrackFileKmz;
    const QByteArray text = AsUtf8(head);
    const QByteArray start = text.trimmed();
    if (start.startsWith('<'))
        return DetectXml(start);
    if (start.startsWith('{'))
        return IsGeoJson(start) ? TrackFileGeoJson : TrackFileAll;
    return DetectLines(text);
}

TrackFileType FormatSniffer::DetectXml(const QByteArray& text)
{
    const QByteArray root = FirstElementName(text).toLower();
    if (root == "gpx")
        return TrackFileGpx;
    if (root == "trainingcenterdatabase")
        return TrackFileTcx;
    if (root == "kml")
        return TrackFileKml;
    return TrackFileAll;
}

bool FormatSniffer::IsFit(const QByteArray& head)
{
    // The header's size byte, then ".FIT" at byte 8, whatever the version.
    constexpr int MinHeaderBytes = 12;
    return head.size() >= MinHeaderBytes && static_cast<unsigned char>(head[0]) >= MinHeaderBytes
        && head.mid(8, 4) == ".FIT";
}

bool FormatSniffer::IsGeoJson(const QByteArray& text)
{
    // Members come in any order and "type" may follow a long "features"
    // array, so any GeoJSON type member in the head will do.
    static const QRegularExpression type(QStringLiteral(
        "\"type\"\\s*:\\s*\"(FeatureCollection|Feature|GeometryCollection|(Multi)?(Point|LineString|Polygon))\""));
    return type.match(QString::fromUtf8(text)).hasMatch();
}

bool FormatSniffer::IsIgc(const QByteArray& text)
{
    // The A record (the logger's maker and serial) comes first; a date
    // header or a B record behind it tells it from any other line that
    // happens to start with an A.
    if (!text.startsWith('A'))
        return false;
    static const QRegularExpression igcLine(QStringLiteral("^(HFDTE(DATE:)?\\d{6}|B\\d{13}[NS]\\d{8}[EW])"),
                                            QRegularExpression::MultilineOption);
    return igcLine.match(QString::fromLatin1(text)).hasMatch();
}

TrackFileType FormatSniffer::DetectLines(const QByteArray& text)
{
    if (text.startsWith("OziExplorer Track Point File"))
        return TrackFileOzi;
    if (IsIgc(text))
        return TrackFileIgc;
    // An NMEA sentence: '$', a talker and sentence name, a comma. Logs may
    // carry comments or time stamps before the sentences, so look on.
    static const QRegularExpression sentence(QStringLiteral("\\$([A-Z][A-Z0-9]{2,6}),"));
    const QString asText = QString::fromLatin1(text);
    auto matches = sentence.globalMatch(asText);
    bool nmea = false;
    int seen = 0;
    while (matches.hasNext() && seen < 200) {
        const QString name = matches.next().captured(1);
        ++seen;
        if (name == QLatin1String("PMGNTRK"))
            return TrackFileMagellanSd;
        nmea = true;
    }
    return nmea ? TrackFileNmea : TrackFileAll;
}
