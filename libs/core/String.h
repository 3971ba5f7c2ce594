#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Text helpers. Wide text is QString; narrow text is UTF-8 std::string.
// Number parsing and printing is locale-independent ('.' as decimal point):
// it serves file formats and settings, not what the user reads.
class String
{
public:
    // Splits at any of the separator characters; empty pieces are dropped.
    static QStringList Split(const QString& text, const QString& separators);
    // Leading part that forms a number, like C's atoi/atof: 0 when none.
    static int Atoi(const QString& text);
    static double Atof(const QString& text);
    static QString Itoa(long long value, int radix = 10);
    static std::string ItoaA(long long value, int radix = 10);
    // Fixed decimals; "-0.00" is written as "0.00".
    static QString Ftoa(double value, int decimals);
    static QString Trim(const QString& text);
    static QString ToLower(const QString& text);
    // <0, 0, >0 like strcmp, ignoring case.
    static int CompareNoCase(const QString& a, const QString& b);
    static QString Utf8ToLocal(const std::string& utf8);
    static std::string LocalToUtf8(const QString& text);
    // Latin-1 where possible, '?' for characters it cannot hold.
    static std::string WideToAnsi(const QString& text);
};
