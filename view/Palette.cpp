#include "Palette.h"

#include "Dir.h"
#include "NoPalette.h"
#include "RangeColorMixer.h"
#include "String.h"
#include "TinyXmlHelper.h"

#include <QDir>

#include <tinyxml2.h>

namespace {

constexpr double DefaultStep = 1.0;

} // namespace

Palette::Palette()
    : m_impl(std::make_shared<PaletteImpl>())
{
}

bool Palette::Load(const QString& path, QString& error)
{
    tinyxml2::XMLDocument document;
    if (!TinyXmlHelper::LoadFromFile(document, path)) {
        error = TinyXmlHelper::GetErrorDescription(document);
        return false;
    }
    const tinyxml2::XMLElement* root = document.FirstChildElement("palette");
    if (!root) {
        error = QStringLiteral("No palette tag.");
        return false;
    }
    auto impl = std::make_shared<PaletteImpl>();
    impl->name = TinyXmlHelper::GetAttributeW(root, "name");
    const tinyxml2::XMLElement* value = root->FirstChildElement("value");
    if (!value) {
        error = QStringLiteral("No value tag.");
        return false;
    }
    impl->parameter = PaletteParameter::FromName(TinyXmlHelper::GetAttributeW(value, "parameter"));
    if (impl->parameter == PaletteParameter::Unknown) {
        error = QStringLiteral("Unknown parameter.");
        return false;
    }
    impl->aggregate = PaletteParameter::AggregateFromName(TinyXmlHelper::GetAttributeW(value, "aggregate"));
    const tinyxml2::XMLElement* colors = root->FirstChildElement("colors");
    double step = String::Atof(TinyXmlHelper::GetAttributeW(colors, "step"));
    if (!(step > 0))
        step = DefaultStep;
    impl->mixer = std::make_shared<RangeColorMixer>(step);
    for (const tinyxml2::XMLElement* color = colors ? colors->FirstChildElement("color") : nullptr; color;
         color = color->NextSiblingElement("color")) {
        RgbStruct rgb;
        rgb.SetByHexStr(TinyXmlHelper::GetAttributeW(color, "rgb"));
        impl->mixer->AddStop(String::Atof(TinyXmlHelper::GetAttributeW(color, "value")), rgb);
    }
    impl->mixer->Build();
    m_impl = std::move(impl);
    return true;
}

QString Palette::GetName() const
{
    return m_impl->name;
}

PaletteParameter::Id Palette::GetParameter() const
{
    return m_impl->parameter;
}

PaletteParameter::Aggregate Palette::GetAggregate() const
{
    return m_impl->aggregate;
}

std::shared_ptr<const ColorMixerI> Palette::GetMixer() const
{
    return m_impl->mixer;
}

PaletteList LoadPalettes()
{
    PaletteList palettes{std::make_shared<NoPalette>()};
    tinyxml2::XMLDocument list;
    if (!TinyXmlHelper::LoadFromFile(list, Dir::GetDataFilePath(QStringLiteral("Palettes\\DefaultPalettes.xml"))))
        return palettes;
    const tinyxml2::XMLElement* root = list.FirstChildElement("palettes");
    const QDir folder(Dir::GetDataFilePath(QStringLiteral("Palettes")));
    for (const tinyxml2::XMLElement* entry = root ? root->FirstChildElement("palette") : nullptr; entry;
         entry = entry->NextSiblingElement("palette")) {
        auto palette = std::make_shared<Palette>();
        QString error;
        const QString relative = TinyXmlHelper::GetAttributeW(entry, "path").replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (palette->Load(folder.filePath(relative), error))
            palettes.push_back(std::move(palette));
    }
    return palettes;
}
