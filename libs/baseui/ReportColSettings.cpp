#include "ReportColSettings.h"

#include "OblDlgBase.h"
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
    return Translator::GetInstance().LoadStr(62401);
}

QString ReportColSettings::GetFieldChooserMenuText() const
{
    return Translator::GetInstance().LoadStr(62402);
}

QString ReportColSettings::GetRestoreLayoutMenuText() const
{
    return Translator::GetInstance().LoadStr(62403);
}
