#pragma once

#include <QString>

#include <string>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

// The few XML helpers used to read small configuration files (palettes, map
// layers). Missing attributes and texts give empty values or the default,
// never an exception, because those files are edited by hand.
namespace TinyXmlHelper {

// Loads a document from a path (any characters); false on failure, with the
// reason available from GetErrorDescription.
bool LoadFromFile(tinyxml2::XMLDocument& document, const QString& path);
QString GetErrorDescription(const tinyxml2::XMLDocument& document);

// Attribute text; empty when the element or attribute is missing.
std::string GetAttribute(const tinyxml2::XMLElement* element, const char* name);
QString GetAttributeW(const tinyxml2::XMLElement* element, const char* name);
std::string GetAttributeA(const tinyxml2::XMLElement* element, const char* name);
// Text content of the element, or the default when missing or empty.
QString GetText(const tinyxml2::XMLElement* element, const QString& defaultText = {});

} // namespace TinyXmlHelper
