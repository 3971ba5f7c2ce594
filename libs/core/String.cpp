#include "String.h"

#include <QLocale>
#include <QRegularExpression>

#include <cstdlib>

QStringList String::Split(const QString& text, const QString& separators)
{
    QStringList parts;
    QString current;
    for (const QChar c : text) {
        if (separators.contains(c)) {
            if (!current.isEmpty())
                parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        parts.push_back(current);
    return parts;
}

int String::Atoi(const QString& text)
{
    const std::string s = text.toStdString();
    return static_cast<int>(std::strtol(s.c_str(), nullptr, 10));
}

double String::Atof(const QString& text)
{
    // strtod would follow LC_NUMERIC, which QCoreApplication sets from the
    // user's locale; file formats always use '.', so take the numeric prefix
    // by hand and convert it in the C locale.
    const QString t = text.trimmed();
    qsizetype end = 0;
    const auto digitsFrom = [&t](qsizetype i) {
        while (i < t.size() && t[i].isDigit())
            ++i;
        return i;
    };
    if (end < t.size() && (t[end] == QLatin1Char('+') || t[end] == QLatin1Char('-')))
        ++end;
    const qsizetype intEnd = digitsFrom(end);
    qsizetype mantissaEnd = intEnd;
    if (mantissaEnd < t.size() && t[mantissaEnd] == QLatin1Char('.'))
        mantissaEnd = digitsFrom(mantissaEnd + 1);
    if (mantissaEnd == end || (mantissaEnd == end + 1 && intEnd == end))
        return 0.0;
    end = mantissaEnd;
    if (end < t.size() && (t[end] == QLatin1Char('e') || t[end] == QLatin1Char('E'))) {
        qsizetype expStart = end + 1;
        if (expStart < t.size() && (t[expStart] == QLatin1Char('+') || t[expStart] == QLatin1Char('-')))
            ++expStart;
        const qsizetype expEnd = digitsFrom(expStart);
        if (expEnd > expStart)
            end = expEnd;
    }
    return QLocale::c().toDouble(QStringView(t).left(end));
}

QString String::Itoa(long long value, int radix)
{
    return QString::number(value, radix);
}

std::string String::ItoaA(long long value, int radix)
{
    return Itoa(value, radix).toStdString();
}

QString String::Ftoa(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.indexOf(QRegularExpression(QStringLiteral("[1-9]"))) < 0)
        text.remove(0, 1);
    return text;
}

QString String::Trim(const QString& text)
{
    return text.trimmed();
}

QString String::ToLower(const QString& text)
{
    return text.toLower();
}

int String::CompareNoCase(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

QString String::Utf8ToLocal(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

std::string String::LocalToUtf8(const QString& text)
{
    return text.toStdString();
}

std::string String::WideToAnsi(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text)
        out.push_back(c.unicode() < 0x100 ? static_cast<char>(c.unicode()) : '?');
    return out;
}
