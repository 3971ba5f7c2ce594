#include "FilterReasons.h"

#include "ProcessSingleton.h"
#include "StringIds.h"
#include "Translator.h"

namespace {

constexpr int kFirstScoredCode = 90;

// Codes and the string ids of their texts; 3 is braking, 4 forward.
constexpr std::pair<int, int> kBuiltIn[] = {
    {1, IDS_REASON_NO_GPS},
    {2, IDS_REASON_HIGH_ACCEL},
    {4, IDS_REASON_HIGH_FORWARD_ACCEL},
    {3, IDS_REASON_HIGH_BRAKE_ACCEL},
    {5, IDS_REASON_HIGH_RADIAL_ACCEL},
    {6, IDS_REASON_SMALL_DISTANCE},
    {7, IDS_REASON_HIGH_SPEED},
    {8, IDS_REASON_LOW_SPEED},
    {9, IDS_REASON_LONG_SPIKE},
    {10, IDS_REASON_SPIKE},
    {11, IDS_REASON_WRONG_TIME},
    {12, IDS_REASON_REMOVED_BY_USER},
    {14, IDS_REASON_SINGLE_JUMP},
    {15, IDS_REASON_TOO_CLOSE},
    {16, IDS_REASON_NO_TIME},
    {91, IDS_REASON_LOCAL_INCONSISTENCY},
    {92, IDS_REASON_VERY_LOCAL_INCONSISTENCY},
};

} // namespace

FilterReasons& FilterReasons::GetInstance()
{
    return ProcessSingleton<FilterReasons>::Instance();
}

FilterReasons::FilterReasons()
{
    const Translator& texts = Translator::GetInstance();
    for (const auto& [code, stringId] : kBuiltIn)
        m_entries[code] = Entry{code, texts.LoadStr(stringId), 0};
}

int FilterReasons::Register(int code, const QString& text)
{
    for (const auto& [key, entry] : m_entries) {
        if (entry.code == code && entry.text == text)
            return key;
    }
    int& next = m_nextK[code];
    if (next == 0)
        next = 1;
    const int key = next * 100 + code;
    ++next;
    m_entries[key] = Entry{code, text, 0};
    return key;
}

FilterReasons::Entry FilterReasons::GetText(int key) const
{
    const int base = key % 100;
    if (base >= kFirstScoredCode) {
        const auto found = m_entries.find(base);
        if (found == m_entries.end())
            return {};
        Entry entry = found->second;
        entry.text += QStringLiteral(" (%1%)").arg(key / 10000);
        return entry;
    }
    if (const auto found = m_entries.find(key); found != m_entries.end())
        return found->second;
    if (const auto found = m_entries.find(base); found != m_entries.end())
        return found->second;
    return {};
}
