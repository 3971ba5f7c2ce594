#include "OptionsGeneralDlg.h"

#include "OptUnits.h"
#include "StringIds.h"
#include "Translator.h"
#include "UndoOptions.h"
#include "UnitsDisp.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The zone names are long and the list is long: its popup opens wider than
// the drop-down, so that a name is read whole.
class ZoneComboBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        view()->setMinimumWidth(static_cast<int>(width() * OptionsGeneralDlg::ZonePopupWidthFactor));
        QComboBox::showPopup();
    }
};

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QRadioButton* AddRadio(QButtonGroup* group, int textId, int value, QWidget* parent)
{
    auto* radio = new QRadioButton(Str(textId), parent);
    group->addButton(radio, value);
    return radio;
}

} // namespace

OptionsGeneralDlg::Settings OptionsGeneralDlg::Current()
{
    OptUnits& units = OptUnits::GetInstance();
    const TimeZoneSettings zone = TimeZones::GetInstance().GetTZSettings();
    Settings settings;
    settings.measuringSystem = units.GetMeasuringSystemI().Get();
    settings.coordSignFormat = units.GetCoordSignFormatI().Get();
    settings.coordFormat = units.GetCoordFormatI().Get();
    settings.timeZoneMethod = zone.method;
    settings.timeZoneIndex = zone.index;
    settings.temperatureUnits = units.GetTemperatureUnitsI().Get();
    settings.undoMemoryMiB = UndoOptions::GetInstance().memoryMiB.Get();
    return settings;
}

void OptionsGeneralDlg::Apply(const Settings& settings)
{
    OptUnits& units = OptUnits::GetInstance();
    units.GetMeasuringSystemI().Set(settings.measuringSystem);
    units.GetCoordSignFormatI().Set(settings.coordSignFormat);
    units.GetCoordFormatI().Set(settings.coordFormat);
    units.GetTemperatureUnitsI().Set(settings.temperatureUnits);
    UndoOptions::GetInstance().memoryMiB.Set(settings.undoMemoryMiB);
    const TimeZoneSettings zone(static_cast<TimeZoneSettings::Method>(settings.timeZoneMethod), settings.timeZoneIndex);
    if (TimeZones::GetInstance().SetTZSettings(zone))
        units.GetOblOptionSectI()->NotifyChanged();
}

OptionsGeneralDlg::OptionsGeneralDlg(QWidget* parent)
    : OblDlgBase(TemplateId, parent)
{
    setWindowTitle(Str(IDS_OPTIONS_TITLE));

    auto* unitsBox = new QGroupBox(Str(IDS_OPTIONS_UNITS), this);
    m_measuringSystem = new QComboBox(unitsBox);
    for (const MeasuringSystem system : {MeasuringSystem::Metric, MeasuringSystem::MetricMs, MeasuringSystem::Imperial,
                                         MeasuringSystem::Nautical})
        m_measuringSystem->addItem(UnitsDisp::GetUnitNotation(system), static_cast<int>(system));
    m_coordFormat = new QComboBox(unitsBox);
    const std::pair<int, CoordFormat> formats[] = {{IDS_COORD_DECIMAL_DEGREES, CoordFormat::DecimalDegrees},
                                                   {IDS_COORD_DEGREES_MINUTES, CoordFormat::DegreesMinutes},
                                                   {IDS_COORD_DEGREES_MINUTES_SECONDS, CoordFormat::DegreesMinutesSeconds},
                                                   {IDS_COORD_UTM, CoordFormat::Utm}};
    for (const auto& [text, format] : formats)
        m_coordFormat->addItem(Str(text), static_cast<int>(format));
    m_coordSign = new QComboBox(unitsBox);
    m_coordSign->addItem(Str(IDS_COORD_SIGN_PLUS_MINUS), static_cast<int>(CoordSignFormat::PlusMinus));
    m_coordSign->addItem(Str(IDS_COORD_SIGN_LETTERS), static_cast<int>(CoordSignFormat::Letters));
    m_sample = new QLabel(unitsBox);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* distanceLabel = new QLabel(Str(IDS_OPTIONS_SHOW_DISTANCE), unitsBox);
    distanceLabel->setBuddy(m_measuringSystem);
    auto* coordLabel = new QLabel(Str(IDS_OPTIONS_SHOW_COORDINATES), unitsBox);
    coordLabel->setBuddy(m_coordFormat);
    auto* unitsLayout = new QGridLayout(unitsBox);
    unitsLayout->addWidget(distanceLabel, 0, 0);
    unitsLayout->addWidget(m_measuringSystem, 0, 1, 1, 2);
    unitsLayout->addWidget(coordLabel, 1, 0);
    unitsLayout->addWidget(m_coordFormat, 1, 1);
    unitsLayout->addWidget(m_coordSign, 1, 2);
    unitsLayout->addWidget(m_sample, 2, 1, 1, 2);
    unitsLayout->setColumnStretch(1, 1);

    auto* zoneBox = new QGroupBox(Str(IDS_OPTIONS_TIME_ZONE), this);
    m_timeZoneMethod = new QButtonGroup(this);
    QRadioButton* utc = AddRadio(m_timeZoneMethod, IDS_OPTIONS_TZ_UTC, TimeZoneSettings::Utc, zoneBox);
    QRadioButton* system = AddRadio(m_timeZoneMethod, IDS_OPTIONS_TZ_SYSTEM, TimeZoneSettings::System, zoneBox);
    QRadioButton* custom = AddRadio(m_timeZoneMethod, IDS_OPTIONS_TZ_CUSTOM, TimeZoneSettings::Custom, zoneBox);
    m_timeZone = new ZoneComboBox(zoneBox);
    m_timeZone->addItems(TimeZones::GetAllTimeZones());
    m_timeZone->setMaxVisibleItems(20);
    auto* zoneLayout = new QGridLayout(zoneBox);
    zoneLayout->addWidget(utc, 0, 0, 1, 2);
    zoneLayout->addWidget(system, 1, 0, 1, 2);
    zoneLayout->addWidget(custom, 2, 0);
    zoneLayout->addWidget(m_timeZone, 2, 1);
    zoneLayout->setColumnStretch(1, 1);

    auto* temperatureBox = new QGroupBox(Str(IDS_OPTIONS_TEMPERATURE), this);
    m_temperature = new QButtonGroup(this);
    auto* temperatureLayout = new QHBoxLayout(temperatureBox);
    temperatureLayout->addWidget(AddRadio(m_temperature, IDS_OPTIONS_CELSIUS, 0, temperatureBox));
    temperatureLayout->addWidget(AddRadio(m_temperature, IDS_OPTIONS_FAHRENHEIT, 1, temperatureBox));
    temperatureLayout->addStretch(1);

    auto* undoRow = new QHBoxLayout;
    m_undoMemory = new QSpinBox(this);
    m_undoMemory->setRange(UndoOptions::MinMiB, UndoOptions::MaxMiB);
    auto* undoLabel = new QLabel(Str(IDS_OPT_UNDO_MEMORY), this);
    undoLabel->setBuddy(m_undoMemory);
    undoRow->addWidget(undoLabel);
    undoRow->addWidget(m_undoMemory);
    undoRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsGeneralDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsGeneralDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(unitsBox);
    layout->addWidget(zoneBox);
    layout->addWidget(temperatureBox);
    layout->addLayout(undoRow);
    layout->addStretch(1);
    layout->addWidget(buttons);

    const auto applyNow = [this] {
        if (!m_filling)
            ApplyControls();
    };
    const auto coordChanged = [this] {
        if (m_filling)
            return;
        UpdateSample();
        ApplyControls();
    };
    connect(m_measuringSystem, &QComboBox::currentIndexChanged, this, applyNow);
    connect(m_coordFormat, &QComboBox::currentIndexChanged, this, coordChanged);
    connect(m_coordSign, &QComboBox::currentIndexChanged, this, coordChanged);
    // Radios report the one turned off too; only the one turned on counts.
    connect(m_timeZoneMethod, &QButtonGroup::idToggled, this, [applyNow](int, bool on) {
        if (on)
            applyNow();
    });
    connect(m_temperature, &QButtonGroup::idToggled, this, [applyNow](int, bool on) {
        if (on)
            applyNow();
    });
    connect(m_undoMemory, &QSpinBox::valueChanged, this, applyNow);
    connect(m_timeZone, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            OnZonePicked();
    });
}

QRadioButton& OptionsGeneralDlg::GetTimeZoneRadio(int method) const
{
    return *static_cast<QRadioButton*>(m_timeZoneMethod->button(method));
}

QRadioButton& OptionsGeneralDlg::GetTemperatureRadio(int unit) const
{
    return *static_cast<QRadioButton*>(m_temperature->button(unit));
}

bool OptionsGeneralDlg::OnInitDialog()
{
    m_original = Current();
    FillControls(m_original);
    return true;
}

void OptionsGeneralDlg::FillControls(const Settings& settings)
{
    m_filling = true;
    // A stored number that names no row shows the first row.
    m_measuringSystem->setCurrentIndex(std::max(0, m_measuringSystem->findData(settings.measuringSystem)));
    m_coordFormat->setCurrentIndex(settings.coordFormat >= 0 && settings.coordFormat <= 3 ? settings.coordFormat : 0);
    m_coordSign->setCurrentIndex(settings.coordSignFormat == 1 ? 1 : 0);
    if (QAbstractButton* radio = m_timeZoneMethod->button(settings.timeZoneMethod))
        radio->setChecked(true);
    m_timeZone->setCurrentIndex(settings.timeZoneIndex);
    if (QAbstractButton* radio = m_temperature->button(settings.temperatureUnits))
        radio->setChecked(true);
    m_undoMemory->setValue(settings.undoMemoryMiB);
    UpdateSample();
    m_filling = false;
}

void OptionsGeneralDlg::UpdateSample()
{
    const QString coord = UnitsDisp::GetCoordString(
        SampleLat, SampleLon, static_cast<CoordFormat>(m_coordFormat->currentData().toInt()),
        static_cast<CoordSignFormat>(m_coordSign->currentData().toInt()), AngleUnits::Typographic);
    m_sample->setText(Str(IDS_COORD_SAMPLE) + QLatin1Char(' ') + coord);
}

OptionsGeneralDlg::Settings OptionsGeneralDlg::ReadControls() const
{
    Settings settings;
    settings.measuringSystem = m_measuringSystem->currentData().toInt();
    settings.coordSignFormat = m_coordSign->currentData().toInt();
    settings.coordFormat = m_coordFormat->currentData().toInt();
    // A group with no radio on (a stored number that names none) keeps its value.
    const int method = m_timeZoneMethod->checkedId();
    settings.timeZoneMethod = method >= 0 ? method : m_original.timeZoneMethod;
    settings.timeZoneIndex = m_timeZone->currentIndex();
    const int temperature = m_temperature->checkedId();
    settings.temperatureUnits = temperature >= 0 ? temperature : m_original.temperatureUnits;
    settings.undoMemoryMiB = m_undoMemory->value();
    return settings;
}

void OptionsGeneralDlg::ApplyControls()
{
    Apply(ReadControls());
}

void OptionsGeneralDlg::OnZonePicked()
{
    // Picking a zone is choosing a custom zone.
    m_filling = true;
    GetTimeZoneRadio(TimeZoneSettings::Custom).setChecked(true);
    m_filling = false;
    ApplyControls();
}

void OptionsGeneralDlg::reject()
{
    Apply(m_original);
    OblDlgBase::reject();
}
