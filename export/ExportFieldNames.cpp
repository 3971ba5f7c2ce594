#include "ExportFieldNames.h"

#include "PointFields.h"
#include "Translator.h"

QString ExportFieldName(int field)
{
    const PointFieldInfo* info = PointFields::FindExported(field);
    return info ? Translator::GetInstance().LoadStr(info->csv.nameId) : QString();
}
