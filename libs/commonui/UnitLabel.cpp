#include "UnitLabel.h"

#include <QRegularExpression>

QString WithUnitNotation(QString label, const QString& notation)
{
    static const QRegularExpression unit(QStringLiteral("\\([^)]*\\)"));
    return label.replace(unit, QLatin1Char('(') + notation + QLatin1Char(')'));
}
