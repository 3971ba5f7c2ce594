#pragma once

#include "Time.h"

#include <QJsonValue>
#include <QString>

#include <map>

struct RecipeStepKind;

// One cleaning step of a recipe: its kind and the parameters given, checked
// by the reader against the kind's table; a parameter left out takes the
// default of the operation.
class RecipeStep
{
public:
    RecipeStep() = default;
    RecipeStep(const RecipeStepKind& kind, std::map<QString, QJsonValue> values, QString why = QString());
    // The step of the kind named kindName, one of RecipeSteps.
    static RecipeStep Of(const char* kindName, std::map<QString, QJsonValue> values = {});

    const RecipeStepKind& GetKind() const { return *m_kind; }
    // The kind's name.
    QString GetName() const;
    const QString& GetWhy() const { return m_why; }
    const std::map<QString, QJsonValue>& GetValues() const { return m_values; }

    bool Has(const QString& param) const { return m_values.count(param) != 0; }
    double GetNumber(const QString& param, double defaultValue) const;
    bool GetFlag(const QString& param) const;
    // A null time when the parameter was not given.
    Time GetTime(const QString& param) const;

private:
    const RecipeStepKind* m_kind = nullptr;
    std::map<QString, QJsonValue> m_values;
    QString m_why;
};
