#include "TinyXmlHelper.h"

#include <QFile>

#include <tinyxml2.h>

namespace TinyXmlHelper {

bool LoadFromFile(tinyxml2::XMLDocument& document, const QString& path)
{
    // tinyxml2 records a missing or unreadable file as a document error with
    // the name, so GetErrorDescription explains both kinds of failure.
    return document.LoadFile(QFile::encodeName(path).constData()) == tinyxml2::XML_SUCCESS;
}

QString GetErrorDescription(const tinyxml2::XMLDocument& document)
{
    if (!document.Error())
        return {};
    const char* detail = document.ErrorStr();
    return QString::fromUtf8(detail ? detail : document.ErrorName());
}

std::string GetAttribute(const tinyxml2::XMLElement* element, const char* name)
{
    return GetAttributeA(element, name);
}

QString GetAttributeW(const tinyxml2::XMLElement* element, const char* name)
{
    return QString::fromStdString(GetAttributeA(element, name));
}

std::string GetAttributeA(const tinyxml2::XMLElement* element, const char* name)
{
    if (!element)
        return {};
    const char* value = element->Attribute(name);
    return value ? std::string(value) : std::string();
}

QString GetText(const tinyxml2::XMLElement* element, const QString& defaultText)
{
    if (!element)
        return defaultText;
    const char* text = element->GetText();
    return text && *text ? QString::fromUtf8(text) : defaultText;
}

} // namespace TinyXmlHelper
