#include "AppTracksFixture.h"
#include "CommandIds.h"
#include "CommandActions.h"
#include "DialogScript.h"
#include "EventKindLog.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OptUnits.h"
#include "OptionsGeneralDlg.h"
#include "OptionsUI.h"
#include "PointList.h"
#include "PointListDlg.h"
#include "PointPropCtrl.h"
#include "PointPropDlg.h"
#include "ReportModel.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrkPointRecord.h"
#include "UnitsDisp.h"
#include "ViewSettings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace {

using Settings = OptionsGeneralDlg::Settings;

// The sample point in degrees, minutes and seconds with signs, and in
// decimal degrees with hemisphere letters.
const QString kDmsSample = QStringLiteral("Sample: 38°53′25.33″, -77°01′55.05″");
const QString kDecimalLettersSample = QStringLiteral("Sample: 38.890370° N, 77.031959° W");

class OptionsDlgTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        // The units changes reach the panes through the view settings.
        ViewSettings::GetInstance();
        Settings settings;
        settings.measuringSystem = static_cast<int>(MeasuringSystem::Metric);
        settings.coordFormat = static_cast<int>(CoordFormat::DecimalDegrees);
        settings.coordSignFormat = static_cast<int>(CoordSignFormat::PlusMinus);
        settings.timeZoneMethod = TimeZoneSettings::Utc;
        settings.temperatureUnits = static_cast<int>(TemperatureUnits::Celsius);
        OptionsGeneralDlg::Apply(settings);
    }

    void TearDown() override
    {
        OptionsGeneralDlg::Apply(Settings());
        AppTracksFixture::TearDown();
    }

    // Opens the dialog through Tools > Options of a frame; fn looks at it
    // and changes it while it is open, and answers it.
    static void RunOptions(const std::function<int(OptionsGeneralDlg&)>& fn)
    {
        MainFrame frame;
        new OptionsUI(frame);
        frame.GetActions().UpdateAll();
        QAction* action = frame.GetActions().Get(ID_TOOLS_OPTIONS);
        ASSERT_TRUE(action->isEnabled());
        DialogScript script;
        script.AddAction([&fn](DlgBase& dlg) { return fn(dynamic_cast<OptionsGeneralDlg&>(dlg)); });
        action->trigger();
        EXPECT_EQ(script.GetPendingCount(), 0u);
        ASSERT_EQ(script.GetShownTitles().size(), 1u);
        EXPECT_EQ(script.GetShownTitles().front(), QStringLiteral("Options"));
    }

    static int ZoneIndex(const char* name)
    {
        return static_cast<int>(TimeZones::GetAllTimeZones().indexOf(QString::fromLatin1(name)));
    }
};

} // namespace

TEST_F(OptionsDlgTest, SwitchingToDmsChangesTheSampleAtOnceAndCancelPutsTheFormatBack)
{
    OptUnits::GetInstance().GetCoordFormatI().Set(static_cast<int>(CoordFormat::DegreesMinutes));
    QString opened;
    QString switched;
    int during = -1;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        opened = dlg.GetSampleLabel().text();
        dlg.GetCoordFormatCombo().setCurrentIndex(2);
        switched = dlg.GetSampleLabel().text();
        during = OptUnits::GetInstance().GetCoordFormatI().Get();
        return IDCANCEL;
    });
    EXPECT_EQ(opened, QStringLiteral("Sample: 38°53.4222′, -77°01.9175′"));
    EXPECT_EQ(switched, kDmsSample);
    EXPECT_EQ(during, static_cast<int>(CoordFormat::DegreesMinutesSeconds));
    EXPECT_EQ(OptUnits::GetInstance().GetCoordFormat(), CoordFormat::DegreesMinutes);
}

TEST_F(OptionsDlgTest, OkKeepsWhatWasChanged)
{
    RunOptions([](OptionsGeneralDlg& dlg) {
        dlg.GetCoordSignCombo().setCurrentIndex(1);
        dlg.GetTemperatureRadio(1).setChecked(true);
        return IDOK;
    });
    EXPECT_EQ(OptUnits::GetInstance().GetCoordSignFormat(), CoordSignFormat::Letters);
    EXPECT_EQ(OptUnits::GetInstance().GetTemperatureUnits(), TemperatureUnits::Fahrenheit);
}

TEST_F(OptionsDlgTest, PickingAZoneWhileUtcIsChosenMovesTheChoiceToCustom)
{
    const int berlin = ZoneIndex("Europe/Berlin");
    ASSERT_GE(berlin, 0);
    bool utcAtOpening = false;
    bool customAfterPick = false;
    TimeZoneSettings during;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        utcAtOpening = dlg.GetTimeZoneRadio(TimeZoneSettings::Utc).isChecked();
        dlg.GetTimeZoneCombo().setCurrentIndex(berlin);
        customAfterPick = dlg.GetTimeZoneRadio(TimeZoneSettings::Custom).isChecked();
        during = TimeZones::GetInstance().GetTZSettings();
        return IDOK;
    });
    EXPECT_TRUE(utcAtOpening);
    EXPECT_TRUE(customAfterPick);
    EXPECT_EQ(during, TimeZoneSettings(TimeZoneSettings::Custom, berlin));
    EXPECT_EQ(TimeZones::GetInstance().GetTZSettings(), TimeZoneSettings(TimeZoneSettings::Custom, berlin));
}

TEST_F(OptionsDlgTest, CancelPutsTheTimeZoneBack)
{
    RunOptions([&](OptionsGeneralDlg& dlg) {
        dlg.GetTimeZoneCombo().setCurrentIndex(ZoneIndex("Asia/Tokyo"));
        dlg.GetTimeZoneRadio(TimeZoneSettings::System).setChecked(true);
        EXPECT_EQ(TimeZones::GetInstance().GetTZSettings().method, TimeZoneSettings::System);
        return IDCANCEL;
    });
    EXPECT_EQ(TimeZones::GetInstance().GetTZSettings().method, TimeZoneSettings::Utc);
}

TEST_F(OptionsDlgTest, TheSampleShowsTheSamePointWhateverTracksAreOpen)
{
    OptUnits::GetInstance().GetCoordSignFormatI().Set(static_cast<int>(CoordSignFormat::Letters));
    QString withoutTracks;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        withoutTracks = dlg.GetSampleLabel().text();
        return IDOK;
    });
    const int segment = Segments(AddFile({{At(0, Time(2024, 5, 1, 10)), At(500, Time(2024, 5, 1, 10, 5))}})).front();
    Holder().SetSelection({segment});
    Holder().SetCurrentPoint(segment, 1);
    QString withTracks;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        withTracks = dlg.GetSampleLabel().text();
        return IDOK;
    });
    EXPECT_EQ(withoutTracks, kDecimalLettersSample);
    EXPECT_EQ(withTracks, kDecimalLettersSample);
}

TEST_F(OptionsDlgTest, TheListsHoldTheirChoicesInOrder)
{
    OptionsGeneralDlg dlg;
    const QComboBox& systems = dlg.GetMeasuringSystemCombo();
    ASSERT_EQ(systems.count(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(systems.itemData(row).toInt(), row);
        EXPECT_EQ(systems.itemText(row), UnitsDisp::GetUnitNotation(static_cast<MeasuringSystem>(row)));
    }
    const QComboBox& formats = dlg.GetCoordFormatCombo();
    ASSERT_EQ(formats.count(), 4);
    EXPECT_EQ(formats.itemText(0), QStringLiteral("Decimal degrees"));
    EXPECT_EQ(formats.itemText(1), QStringLiteral("Degrees, decimal minutes"));
    EXPECT_EQ(formats.itemText(2), QStringLiteral("Degrees, minutes, seconds"));
    EXPECT_EQ(formats.itemText(3), QStringLiteral("UTM-zone, meters, meters"));
    const QComboBox& signs = dlg.GetCoordSignCombo();
    ASSERT_EQ(signs.count(), 2);
    EXPECT_EQ(signs.itemText(0), QStringLiteral("Plus/minus"));
    EXPECT_EQ(signs.itemText(1), QStringLiteral("N/S/W/E"));
    const QComboBox& zones = dlg.GetTimeZoneCombo();
    ASSERT_EQ(zones.count(), TimeZones::GetAllTimeZones().size());
    for (int row = 0; row < zones.count(); ++row)
        ASSERT_EQ(zones.itemText(row), TimeZones::GetAllTimeZones()[row]) << row;
    EXPECT_EQ(dlg.GetTimeZoneRadio(TimeZoneSettings::Utc).text(), QStringLiteral("UTC"));
    EXPECT_EQ(dlg.GetTimeZoneRadio(TimeZoneSettings::System).text(), QStringLiteral("From system settings"));
    EXPECT_EQ(dlg.GetTimeZoneRadio(TimeZoneSettings::Custom).text(), QStringLiteral("Custom:"));
    EXPECT_EQ(dlg.GetTemperatureRadio(0).text(), QStringLiteral("Celsius"));
    EXPECT_EQ(dlg.GetTemperatureRadio(1).text(), QStringLiteral("Fahrenheit"));
    EXPECT_EQ(dlg.GetTemplateId(), 141);
}

TEST_F(OptionsDlgTest, OpeningSelectsTheRowsOfTheCurrentValues)
{
    const int tokyo = ZoneIndex("Asia/Tokyo");
    ASSERT_GE(tokyo, 0);
    Settings settings;
    settings.measuringSystem = static_cast<int>(MeasuringSystem::Nautical);
    settings.coordFormat = static_cast<int>(CoordFormat::Utm);
    settings.coordSignFormat = static_cast<int>(CoordSignFormat::Letters);
    settings.timeZoneMethod = TimeZoneSettings::Custom;
    settings.timeZoneIndex = tokyo;
    settings.temperatureUnits = static_cast<int>(TemperatureUnits::Fahrenheit);
    OptionsGeneralDlg::Apply(settings);
    RunOptions([&](OptionsGeneralDlg& dlg) {
        EXPECT_EQ(dlg.GetMeasuringSystemCombo().currentIndex(), 3);
        EXPECT_EQ(dlg.GetCoordFormatCombo().currentIndex(), 3);
        EXPECT_EQ(dlg.GetCoordSignCombo().currentIndex(), 1);
        EXPECT_TRUE(dlg.GetTimeZoneRadio(TimeZoneSettings::Custom).isChecked());
        EXPECT_EQ(dlg.GetTimeZoneCombo().currentIndex(), tokyo);
        EXPECT_TRUE(dlg.GetTemperatureRadio(1).isChecked());
        EXPECT_EQ(dlg.ReadControls(), settings);
        EXPECT_EQ(dlg.GetSampleLabel().text(), QStringLiteral("Sample: 18N, 323770, 4306573"));
        return IDOK;
    });
    EXPECT_EQ(OptionsGeneralDlg::Current(), settings);
}

TEST_F(OptionsDlgTest, NumbersOutsideTheListsOpenOnTheFirstRow)
{
    OptUnits& units = OptUnits::GetInstance();
    units.GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    for (const int format : {7, -1}) {
        units.GetCoordFormatI().Set(format);
        units.GetCoordSignFormatI().Set(5);
        RunOptions([&](OptionsGeneralDlg& dlg) {
            EXPECT_EQ(dlg.GetMeasuringSystemCombo().currentIndex(), 2);
            EXPECT_EQ(dlg.GetCoordFormatCombo().currentIndex(), 0) << format;
            EXPECT_EQ(dlg.GetCoordSignCombo().currentIndex(), 0) << format;
            return IDCANCEL;
        });
        // Cancel puts the stored numbers back as they were.
        EXPECT_EQ(units.GetCoordFormatI().Get(), format);
        EXPECT_EQ(units.GetCoordSignFormatI().Get(), 5);
    }
}

TEST_F(OptionsDlgTest, EachChangeIsAnnouncedAsAUnitsChangeAtOnce)
{
    std::vector<int> temperature;
    std::vector<int> zone;
    std::vector<int> nothing;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        {
            EventKindLog log;
            dlg.GetTemperatureRadio(1).setChecked(true);
            temperature = log.kinds;
        }
        {
            EventKindLog log;
            dlg.GetTimeZoneRadio(TimeZoneSettings::System).setChecked(true);
            zone = log.kinds;
        }
        {
            // Choosing the row already chosen changes nothing.
            EventKindLog log;
            dlg.GetMeasuringSystemCombo().setCurrentIndex(dlg.GetMeasuringSystemCombo().currentIndex());
            nothing = log.kinds;
        }
        return IDOK;
    });
    EXPECT_EQ(temperature, std::vector<int>{GEventKind::UnitsChanged});
    EXPECT_EQ(zone, std::vector<int>{GEventKind::UnitsChanged});
    EXPECT_TRUE(nothing.empty());
}

TEST_F(OptionsDlgTest, TheZoneListOpensWiderThanTheDropDown)
{
    OptionsGeneralDlg dlg;
    dlg.show();
    QComboBox& zones = dlg.GetTimeZoneCombo();
    zones.showPopup();
    const int popup = zones.view()->window()->width();
    zones.hidePopup();
    EXPECT_GE(popup, static_cast<int>(zones.width() * OptionsGeneralDlg::ZonePopupWidthFactor));
}

namespace {

// The Points and Point Properties panes beside the dialog.
class OptionsPanesTest : public OptionsDlgTest
{
protected:
    void SetUp() override
    {
        OptionsDlgTest::SetUp();
        std::vector<TrackPoint> points;
        // 100 m a minute apart: 6 km/h.
        for (int i = 0; i < 3; ++i)
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, i)));
        m_segment = Segments(AddFile({points})).front();
        m_list = std::make_unique<PointListDlg>([](const TrackPosition&) {});
        m_list->resize(900, 400);
        m_list->show();
        Holder().SetSelection({m_segment});
        Holder().SetCurrentPoint(m_segment, 1);
    }

    void TearDown() override
    {
        m_list.reset();
        OptionsDlgTest::TearDown();
    }

    QString LegLengthCaption() const
    {
        const ReportModel& model = m_list->GetList().GetModel();
        return model.headerData(model.FindColumn(PtColumn::LegLength), Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QString FromStartCell() const
    {
        const ReportModel& model = m_list->GetList().GetModel();
        return model.index(2, model.FindColumn(PtColumn::FromStart)).data(Qt::DisplayRole).toString();
    }
    QString SpeedRow() { return m_props.GetSheet().GetItemText(IDS_PTPROP_SPEED); }

    int m_segment = -1;
    std::unique_ptr<PointListDlg> m_list;
    PointPropDlg m_props;
};

} // namespace

TEST_F(OptionsPanesTest, AMeasuringSystemChangeShowsInThePanesWhileTheDialogIsOpen)
{
    ASSERT_EQ(LegLengthCaption(), QStringLiteral("Leg length (m)"));
    const QString metricSpeed = SpeedRow();
    const QString metricFromStart = FromStartCell();
    ASSERT_TRUE(metricSpeed.endsWith(QStringLiteral("km/h"))) << metricSpeed.toStdString();
    QString caption;
    QString speed;
    QString fromStart;
    RunOptions([&](OptionsGeneralDlg& dlg) {
        dlg.GetMeasuringSystemCombo().setCurrentIndex(
            dlg.GetMeasuringSystemCombo().findData(static_cast<int>(MeasuringSystem::Imperial)));
        caption = LegLengthCaption();
        speed = SpeedRow();
        fromStart = FromStartCell();
        return IDCANCEL;
    });
    EXPECT_EQ(caption, QStringLiteral("Leg length (ft)"));
    EXPECT_TRUE(speed.endsWith(QStringLiteral("mph"))) << speed.toStdString();
    EXPECT_NE(fromStart, metricFromStart);
    // Cancel: back to metric, and the panes follow again.
    EXPECT_EQ(LegLengthCaption(), QStringLiteral("Leg length (m)"));
    EXPECT_EQ(SpeedRow(), metricSpeed);
}
