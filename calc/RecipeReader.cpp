#include "RecipeReader.h"

#include "IsoTime.h"
#include "RecipeStepKind.h"
#include "StringIds.h"
#include "Translator.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

const QLatin1String kFormat("format");
const QLatin1String kVersion("version");
const QLatin1String kName("name");
const QLatin1String kWhy("why");
const QLatin1String kSteps("steps");
const QLatin1String kStep("step");

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QString Quoted(const char* name)
{
    return QLatin1Char('"') + QLatin1String(name) + QLatin1Char('"');
}

// "a number above 0", "a whole number from 1 on", as the messages say it.
QString RangeText(const RecipeParam& param)
{
    const QString min = QString::number(param.min);
    if (param.type == RecipeParamType::Whole)
        return Text(IDS_RECIPE_RANGE_WHOLE).arg(min);
    if (param.minExclusive)
        return Text(IDS_RECIPE_RANGE_ABOVE).arg(min);
    if (param.max < 1e12)
        return Text(IDS_RECIPE_RANGE_FROM_TO).arg(min, QString::number(param.max));
    return Text(IDS_RECIPE_RANGE_FROM).arg(min);
}

bool InRange(const RecipeParam& param, double value)
{
    if (!std::isfinite(value) || value > param.max)
        return false;
    if (param.type == RecipeParamType::Whole && value != std::trunc(value))
        return false;
    return param.minExclusive ? value > param.min : value >= param.min;
}

} // namespace

bool RecipeReader::Fail(const QString& error)
{
    m_error = error;
    return false;
}

bool RecipeReader::ReadFile(const QString& path, Recipe& recipe)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(Text(IDS_RECIPE_CANNOT_READ).arg(path, file.errorString()));
    return Read(file.readAll(), recipe);
}

bool RecipeReader::Read(const QByteArray& json, Recipe& recipe)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Fail(Text(IDS_RECIPE_NOT_JSON).arg(parseError.errorString()));
    const QJsonObject object = document.object();
    if (object.value(kFormat).toString() != QLatin1String(Recipe::Format))
        return Fail(Text(IDS_RECIPE_WRONG_FORMAT).arg(QLatin1String(Recipe::Format)));
    const double version = object.value(kVersion).toDouble(-1);
    if (!(version >= 1) || version != std::trunc(version))
        return Fail(Text(IDS_RECIPE_BAD_VERSION));
    // A newer recipe may mean something by a field this program would
    // otherwise report as unknown; its version is the clearer message.
    if (version > Recipe::Version)
        return Fail(Text(IDS_RECIPE_NEWER_VERSION).arg(static_cast<long long>(version)).arg(Recipe::Version));
    for (auto field = object.begin(); field != object.end(); ++field) {
        const QString key = field.key();
        if (key != kFormat && key != kVersion && key != kName && key != kWhy && key != kSteps)
            return Fail(Text(IDS_RECIPE_UNKNOWN_FIELD).arg(key));
        if ((key == kName || key == kWhy) && !field.value().isString())
            return Fail(Text(IDS_RECIPE_BAD_TEXT).arg(key));
    }
    if (!object.value(kSteps).isArray())
        return Fail(Text(IDS_RECIPE_NO_STEPS));

    Recipe read;
    read.version = static_cast<int>(version);
    read.name = object.value(kName).toString();
    read.why = object.value(kWhy).toString();
    const QJsonArray steps = object.value(kSteps).toArray();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        RecipeStep step;
        if (!ReadStep(static_cast<int>(i) + 1, steps[i], step))
            return false;
        read.steps.push_back(std::move(step));
    }
    recipe = std::move(read);
    m_error.clear();
    return true;
}

bool RecipeReader::ReadStep(int position, const QJsonValue& value, RecipeStep& step)
{
    const QJsonObject object = value.toObject();
    if (!value.isObject() || !object.value(kStep).isString())
        return Fail(Text(IDS_RECIPE_STEP_NOT_OBJECT).arg(position));
    const QString name = object.value(kStep).toString();
    const RecipeStepKind* kind = RecipeStepKind::Find(name);
    if (!kind)
        return Fail(Text(IDS_RECIPE_UNKNOWN_STEP).arg(position).arg(name, RecipeStepKind::ListNames()));

    std::map<QString, QJsonValue> values;
    for (auto field = object.begin(); field != object.end(); ++field) {
        const QString key = field.key();
        if (key == kStep)
            continue;
        if (key == kWhy) {
            if (!field.value().isString())
                return Fail(Text(IDS_RECIPE_BAD_TEXT).arg(key));
            continue;
        }
        const RecipeParam* param = kind->FindParam(key);
        if (!param)
            return Fail(Text(IDS_RECIPE_UNKNOWN_PARAM).arg(position).arg(name, key));
        if (!CheckValue(position, *kind, *param, field.value()))
            return false;
        values[key] = field.value();
    }

    QStringList all;
    for (const RecipeParam& param : kind->params) {
        all << Quoted(param.name);
        if (param.required && values.count(QLatin1String(param.name)) == 0)
            return Fail(Text(IDS_RECIPE_MISSING_PARAM).arg(position).arg(name, QLatin1String(param.name)));
    }
    const int given = static_cast<int>(values.size());
    if (given < kind->minGiven)
        return Fail(Text(IDS_RECIPE_TOO_FEW).arg(position).arg(name, all.join(QStringLiteral(", "))));
    if (given > kind->maxGiven)
        return Fail(Text(IDS_RECIPE_TOO_MANY).arg(position).arg(name, all.join(QStringLiteral(", "))));
    step = RecipeStep(*kind, std::move(values), object.value(kWhy).toString());
    return true;
}

bool RecipeReader::CheckValue(int position, const RecipeStepKind& kind, const RecipeParam& param,
                              const QJsonValue& value)
{
    const QString step = QLatin1String(kind.name);
    const QString name = QLatin1String(param.name);
    switch (param.type) {
    case RecipeParamType::Number:
    case RecipeParamType::Whole:
        if (!value.isDouble() || !InRange(param, value.toDouble()))
            return Fail(Text(IDS_RECIPE_BAD_NUMBER).arg(position).arg(step, name, RangeText(param)));
        return true;
    case RecipeParamType::Flag:
        if (!value.isBool())
            return Fail(Text(IDS_RECIPE_BAD_FLAG).arg(position).arg(step, name));
        return true;
    case RecipeParamType::Time:
        if (!value.isString() || IsoTime::Parse(value.toString().toStdString()).IsNull())
            return Fail(Text(IDS_RECIPE_BAD_TIME).arg(position).arg(step, name));
        return true;
    }
    return true;
}
