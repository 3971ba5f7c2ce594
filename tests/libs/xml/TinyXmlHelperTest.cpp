#include "TestSupport.h"
#include "TinyXmlHelper.h"

#include <QDir>

#include <tinyxml2.h>

#include <gtest/gtest.h>

namespace {

QString WriteFile(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(QDir(MakeTempDir()).filePath(name), bytes);
}

} // namespace

TEST(TinyXmlHelper, ReadsAttributesAndTextsOfAFileWithAnyName)
{
    const QString path = WriteFile(QStringLiteral("Paletten für Höhe.xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Palette name=\"Höhe\" step=\"10\"><Color>#00FF00</Color><Empty/></Palette>");
    tinyxml2::XMLDocument doc;
    ASSERT_TRUE(TinyXmlHelper::LoadFromFile(doc, path)) << TinyXmlHelper::GetErrorDescription(doc).toStdString();
    EXPECT_TRUE(TinyXmlHelper::GetErrorDescription(doc).isEmpty());

    const tinyxml2::XMLElement* root = doc.RootElement();
    EXPECT_EQ(TinyXmlHelper::GetAttributeW(root, "name"), QStringLiteral("Höhe"));
    EXPECT_EQ(TinyXmlHelper::GetAttributeA(root, "step"), "10");
    EXPECT_EQ(TinyXmlHelper::GetAttribute(root, "missing"), "");
    EXPECT_EQ(TinyXmlHelper::GetText(root->FirstChildElement("Color")), QStringLiteral("#00FF00"));
    EXPECT_EQ(TinyXmlHelper::GetText(root->FirstChildElement("Empty"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_EQ(TinyXmlHelper::GetText(root->FirstChildElement("Nope"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(TinyXmlHelper::GetAttributeW(nullptr, "name"), QString());
}

TEST(TinyXmlHelper, FailuresExplainThemselves)
{
    tinyxml2::XMLDocument missing;
    EXPECT_FALSE(TinyXmlHelper::LoadFromFile(missing, QDir(MakeTempDir()).filePath(QStringLiteral("none.xml"))));
    EXPECT_TRUE(TinyXmlHelper::GetErrorDescription(missing).contains(QStringLiteral("none.xml")));

    tinyxml2::XMLDocument broken;
    const QString path = WriteFile(QStringLiteral("broken.xml"), "<a>\n<b></a>");
    EXPECT_FALSE(TinyXmlHelper::LoadFromFile(broken, path));
    EXPECT_FALSE(TinyXmlHelper::GetErrorDescription(broken).isEmpty());
}
