#include "FilterReasons.h"

#include "ProcessSingleton.h"
#include "Translator.h"

namespace {

constexpr int kFirstScoredCode = 90;

// Codes and the string ids of their texts; 3 is braking, 4 forward.
constexpr std::pair<int, int> kBuiltIn[] = {
    {1, 62901},  {2, 62902},  {4, 62903},  {3, 62904},  {5, 62905},  {6, 62906},
    {7, 62907},  {8, 62908},  {9, 62909},  {10, 62910}, {11, 62911}, {12, 62912},
    {14, 62913}, {15, 62914}, {16, 62915}, {91, 62916}, {92, 62917},
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
