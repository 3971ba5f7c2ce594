#include "ViewUI.h"

#include "AppTick.h"
#include "AreaDownloadCommand.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "CommandUI.h"
#include "MainFrame.h"
#include "MapLayerChoice.h"
#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "MouseTypes.h"
#include "StringIds.h"
#include "TrackView.h"
#include "Translator.h"
#include "ViewSettings.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolBar>

namespace {

OblOptionBool* ToggleOf(int id)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    switch (id) {
    case ID_VIEW_MAP_CENTER:
        return &settings.showMapCenter;
    case ID_VIEW_SCALE:
        return &settings.showScale;
    case ID_VIEW_FILTERED_POINTS:
        return &settings.showDeleted;
    case ID_VIEW_ARROWS:
        return &settings.showArrows;
    case ID_VIEW_MAP:
        return &settings.showMap;
    default:
        return nullptr;
    }
}

} // namespace

ViewUI::ViewUI(MainFrame& frame, TrackView& view)
    : QObject(&frame), m_frame(frame), m_view(view)
{
    MainFrameImpl& hub = frame.GetHub();
    const std::pair<int, int> ranges[] = {{ID_VIEW_MAP_CENTER, ID_VIEW_ARROWS},
                                          {ID_VIEW_MAP, ID_VIEW_MAP},
                                          {ID_VIEW_PALETTE_FIRST, ID_VIEW_PALETTE_LAST},
                                          {ID_VIEW_MAP_LAYER_FIRST, ID_VIEW_MAP_LAYER_LAST},
                                          {MouseModeDrag, MouseModeSelectB}};
    for (const auto& [first, last] : ranges) {
        m_connections.push_back(hub.SubscribeCommand(first, last, [this](int id) { OnCommand(id); }));
        m_connections.push_back(hub.SubscribeCommandUI(first, last, [this](CommandUI& ui) { OnCommandUI(ui); }));
    }
    m_connections.push_back(hub.SubscribeCommand(ID_VIEW_DOWNLOAD_AREA, ID_VIEW_DOWNLOAD_AREA,
                                                 [this](int) { RunAreaDownloadCommand(m_view, &m_frame); }));
    m_connections.push_back(hub.SubscribeCommandUI(ID_VIEW_DOWNLOAD_AREA, ID_VIEW_DOWNLOAD_AREA,
                                                   [](CommandUI& ui) { ui.Enable(true); }));
    if (QMenu* menu = frame.FindMenu(IDS_MENU_COLOR_BY))
        connect(menu, &QMenu::aboutToShow, this, [this] { FillColorByMenu(); });
    if (QMenu* menu = frame.FindMenu(IDS_MENU_MAP_LAYER))
        connect(menu, &QMenu::aboutToShow, this, [this] { FillMapLayerMenu(); });
    AddColorByCombo();
}

void ViewUI::OnCommand(int id)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    if (OblOptionBool* toggle = ToggleOf(id)) {
        toggle->Set(!toggle->Get());
    } else if (id >= ID_VIEW_PALETTE_FIRST && id <= ID_VIEW_PALETTE_LAST) {
        settings.colorBy.Set(id - ID_VIEW_PALETTE_FIRST);
        SyncCombo();
    } else if (id >= ID_VIEW_MAP_LAYER_FIRST && id <= ID_VIEW_MAP_LAYER_LAST) {
        settings.GetMapLayerChoice().SelectLayer(id - ID_VIEW_MAP_LAYER_FIRST);
    } else {
        m_view.GetMouse().SetMode(id);
    }
    m_view.RequestRedraw();
}

void ViewUI::OnCommandUI(CommandUI& ui)
{
    const int id = ui.GetId();
    ui.Enable(true);
    if (const OblOptionBool* toggle = ToggleOf(id))
        ui.SetCheck(toggle->Get());
    else if (id >= ID_VIEW_PALETTE_FIRST && id <= ID_VIEW_PALETTE_LAST)
        ui.SetCheck(ViewSettings::GetInstance().colorBy.Get() == id - ID_VIEW_PALETTE_FIRST);
    else if (id >= ID_VIEW_MAP_LAYER_FIRST && id <= ID_VIEW_MAP_LAYER_LAST)
        ui.SetCheck(ViewSettings::GetInstance().GetMapLayerChoice().GetCurrentLayer() == id - ID_VIEW_MAP_LAYER_FIRST);
    else
        ui.SetCheck(m_view.GetMouse().GetMode() == id);
}

void ViewUI::FillColorByMenu()
{
    QMenu* menu = m_frame.FindMenu(IDS_MENU_COLOR_BY);
    const PaletteList& palettes = ViewSettings::GetInstance().GetPalettes();
    menu->clear();
    const int count = std::min(static_cast<int>(palettes.size()), ID_VIEW_PALETTE_LAST - ID_VIEW_PALETTE_FIRST + 1);
    for (int i = 0; i < count; ++i) {
        QAction* action = m_frame.GetActions().Get(ID_VIEW_PALETTE_FIRST + i);
        action->setText(palettes[static_cast<size_t>(i)]->GetName());
        action->setCheckable(true);
        action->setChecked(ViewSettings::GetInstance().colorBy.Get() == i);
        action->setEnabled(true);
        menu->addAction(action);
    }
}

void ViewUI::FillMapLayerMenu()
{
    QMenu* menu = m_frame.FindMenu(IDS_MENU_MAP_LAYER);
    ViewSettings& settings = ViewSettings::GetInstance();
    MapLayersI& layers = *settings.GetMapLayers();
    const int count = std::min(layers.GetCount(), ID_VIEW_MAP_LAYER_LAST - ID_VIEW_MAP_LAYER_FIRST + 1);
    // Without layers the placeholder stays.
    if (count == 0)
        return;
    menu->clear();
    for (int i = 0; i < count; ++i) {
        const auto params = layers.GetParams(i);
        // A layer that does not load has nothing to show: a broken file, or
        // the world map without its data.
        if (!params)
            continue;
        QAction* action = m_frame.GetActions().Get(ID_VIEW_MAP_LAYER_FIRST + i);
        action->setText(params->GetName());
        action->setCheckable(true);
        action->setChecked(settings.GetMapLayerChoice().GetCurrentLayer() == i);
        action->setEnabled(true);
        menu->addAction(action);
    }
}

void ViewUI::AddColorByCombo()
{
    QToolBar* toolbar = m_frame.GetToolbar(TOOLBAR_VIEW_MODES);
    if (!toolbar)
        return;
    m_combo = new QComboBox(toolbar);
    m_combo->setObjectName(QStringLiteral("ColorMode"));
    m_combo->setToolTip(Translator::GetInstance().LoadStr(IDS_COLOR_MODE));
    const PaletteList& palettes = ViewSettings::GetInstance().GetPalettes();
    for (size_t i = 0; i < palettes.size(); ++i)
        m_combo->addItem(palettes[i]->GetName(), static_cast<int>(i));
    // Next to the map toggle.
    const QList<QAction*> actions = toolbar->actions();
    const qsizetype map = actions.indexOf(m_frame.GetActions().Get(ID_VIEW_MAP));
    QAction* before = map >= 0 && map + 1 < actions.size() ? actions[map + 1] : nullptr;
    if (before)
        toolbar->insertWidget(before, m_combo);
    else
        toolbar->addWidget(m_combo);
    SyncCombo();
    connect(m_combo, &QComboBox::activated, this,
            [this](int row) { m_frame.RunCommand(ID_VIEW_PALETTE_FIRST + m_combo->itemData(row).toInt()); });
}

void ViewUI::SyncCombo()
{
    if (!m_combo)
        return;
    const int row = m_combo->findData(ViewSettings::GetInstance().colorBy.Get());
    if (row != m_combo->currentIndex())
        m_combo->setCurrentIndex(row);
}
