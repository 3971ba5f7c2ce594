#include "ValueFilterLimits.h"

#include "ProcessSingleton.h"

ValueFilterLimits& ValueFilterLimits::GetInstance()
{
    return ProcessSingleton<ValueFilterLimits>::Instance();
}

ValueFilterRows::Texts ValueFilterLimits::GetTexts(MeasuringSystem system) const
{
    if (system == m_system)
        return m_texts;
    ValueFilterRows::Texts texts;
    for (size_t i = 0; i < texts.size(); ++i) {
        const ValueFilterRows::Unit unit = ValueFilterRows::GetRows()[i].unit;
        if (const std::optional<double> limit = ValueFilterRows::ParseLimit(m_texts[i], unit, m_system))
            texts[i] = ValueFilterRows::FormatLimit(*limit, unit, system);
    }
    return texts;
}

void ValueFilterLimits::SetTexts(const ValueFilterRows::Texts& texts, MeasuringSystem system)
{
    if (texts == m_texts && system == m_system)
        return;
    m_texts = texts;
    m_system = system;
    m_changed();
}

void ValueFilterLimits::SetText(int row, const QString& text, MeasuringSystem system)
{
    ValueFilterRows::Texts texts = GetTexts(system);
    texts.at(static_cast<size_t>(row)) = text;
    SetTexts(texts, system);
}

void ValueFilterLimits::Clear()
{
    SetTexts({}, m_system);
}

boost::signals2::scoped_connection ValueFilterLimits::Subscribe(const std::function<void()>& onChange)
{
    return m_changed.connect(onChange);
}
