#include "Translator.h"

#include "ProcessSingleton.h"
#include "StringTable.h"

#include <algorithm>
#include <cstdio>

namespace {

const StringTableEntry* FindEntry(int id)
{
    const std::span<const StringTableEntry> table = GetStringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const StringTableEntry& e, int value) { return e.id < value; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}

// One pass over the text, so that what an argument brings in is never taken
// for a placeholder. a2 is null when only "%1" is to be replaced.
QString Substitute(const QString& text, const QString& a1, const QString* a2)
{
    QString result;
    result.reserve(text.size() + a1.size() + (a2 ? a2->size() : 0));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('1')) {
                result += a1;
                ++i;
                continue;
            }
            if (next == QLatin1Char('2') && a2) {
                result += *a2;
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

// Where no dialog can be shown, the message still reaches the user.
int AnswerWithoutPresenter(const QString& text, unsigned flags)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    return GetDefaultMessageBoxAnswer(flags);
}

} // namespace

Translator& Translator::GetInstance()
{
    return ProcessSingleton<Translator>::Instance();
}

QString Translator::LoadStr(int id) const
{
    const StringTableEntry* entry = FindEntry(id);
    return entry ? QString::fromUtf16(entry->text) : QString();
}

bool Translator::HasStr(int id) const
{
    return FindEntry(id) != nullptr;
}

QString Translator::Format(int id, const QString& a1) const
{
    return Format(LoadStr(id), a1);
}

QString Translator::Format(int id, const QString& a1, const QString& a2) const
{
    return Format(LoadStr(id), a1, a2);
}

QString Translator::Format(const QString& text, const QString& a1) const
{
    return Substitute(text, a1, nullptr);
}

QString Translator::Format(const QString& text, const QString& a1, const QString& a2) const
{
    return Substitute(text, a1, &a2);
}

int Translator::MessageBoxW(int id, unsigned flags, bool)
{
    return MessageBoxW(LoadStr(id), flags);
}

int Translator::MessageBoxW(const QString& text, unsigned flags, bool)
{
    return m_presenter ? m_presenter(text, flags) : AnswerWithoutPresenter(text, flags);
}

MessageBoxPresenter Translator::SetMessageBoxPresenter(MessageBoxPresenter presenter)
{
    std::swap(m_presenter, presenter);
    return presenter;
}
