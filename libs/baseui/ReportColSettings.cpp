#include "ReportColSettings.h"

#include "OblDlgBase.h"
#include "StringIds.h"
#include "Translator.h"

ReportColSettings::ReportColSettings(QString listName, int layoutVersion)
    : m_listName(std::move(listName))
    , m_version(layoutVersion)
{
}

QString ReportColSettings::GetSection() const
{
    return OblDlgBase::GetLayoutSection(m_listName);
}

QString ReportColSettings::GetValueName() const
{
    return QStringLiteral("ReportControl");
}

QString ReportColSettings::GetColumnsMenuText() const
{
    return Translator::GetInstance().LoadStr(IDS_HEADER_COLUMNS);
}

QString ReportColSettings::GetFieldChooserMenuText() const
{
    return Translator::GetInstance().LoadStr(IDS_HEADER_FIELD_CHOOSER);
}

QString ReportColSettings::GetRestoreLayoutMenuText() const
{
    return Translator::GetInstance().LoadStr(IDS_HEADER_RESTORE_LAYOUT);
}
