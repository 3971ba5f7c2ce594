#include "ReportColumns.h"

#include "FieldChooserDlg.h"
#include "MessageBoxStyle.h"
#include "RegistryKey.h"
#include "ReportControl.h"
#include "Translator.h"

#include <QHeaderView>
#include <QMenu>

ReportColumns::ReportColumns(ReportControl& control, std::unique_ptr<ReportColSettingsI> settings)
    : m_control(control)
    , m_settings(std::move(settings))
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(300);
    QObject::connect(&m_saveTimer, &QTimer::timeout, [this] { SaveLayout(); });

    QHeaderView* header = m_control.header();
    const auto onMenu = [this, header](const QPoint& pos) { OnRightClick(header->mapToGlobal(pos)); };
    // Dragging a column edge resizes it many times; the layout is stored once
    // the dragging has stopped.
    // A window squeezed while it opens or closes would otherwise leave its
    // columns narrower at every start.
    const auto onLayoutChanged = [this] {
        if (m_initialised && !m_control.IsFittingColumns())
            m_saveTimer.start();
    };
    const auto onResized = [this, header, onLayoutChanged](int index, int, int size) {
        const int minWidth = m_control.GetModel().GetColumn(index).minWidth;
        // Size 0 is a hidden column, not a narrow one.
        if (size > 0 && size < minWidth)
            header->resizeSection(index, minWidth);
        else
            onLayoutChanged();
    };
    m_connections = {
        QObject::connect(header, &QHeaderView::customContextMenuRequested, header, onMenu),
        QObject::connect(header, &QHeaderView::sectionMoved, header, onLayoutChanged),
        QObject::connect(header, &QHeaderView::sectionResized, header, onResized),
    };
}

ReportColumns::~ReportColumns()
{
    for (const QMetaObject::Connection& c : m_connections)
        QObject::disconnect(c);
    if (m_saveTimer.isActive())
        SaveLayout();
}

ReportColumn* ReportColumns::Find(int columnId)
{
    const int index = m_control.GetModel().FindColumn(columnId);
    return index < 0 ? nullptr : &m_control.GetModel().GetColumn(index);
}

void ReportColumns::AddColumn(int columnId, int captionStrId, int width, bool visible)
{
    ReportColumn column;
    column.id = columnId;
    column.caption = Translator::GetInstance().LoadStr(captionStrId);
    column.width = width;
    column.visible = visible;
    column.alignment = m_defaultAlignment;
    column.minWidth = m_defaultMinWidth;
    column.sortable = m_defaultSortable;
    m_control.GetModel().AddColumn(column);
}

void ReportColumns::SetAlignment(int columnId, int alignment)
{
    if (ReportColumn* column = Find(columnId)) {
        column->alignment = alignment;
        m_control.GetModel().NotifyHeaderChanged();
    }
}

void ReportColumns::SetAutosize(int columnId, bool on)
{
    if (ReportColumn* column = Find(columnId))
        column->autosize = on;
}

void ReportColumns::SetUnremovable(int columnId)
{
    if (ReportColumn* column = Find(columnId))
        column->removable = false;
}

void ReportColumns::SetSample(int columnId, const QString& sample)
{
    if (ReportColumn* column = Find(columnId))
        column->sample = sample;
}

void ReportColumns::Init()
{
    m_initialised = false;
    ApplyDefaults();
    LoadLayout();
    m_initialised = true;
}

// The columns as added: in the order of adding, shown or not, at their
// widths or wider where the title or the sample value needs it.
void ReportColumns::ApplyDefaults()
{
    QHeaderView* header = m_control.header();
    const ReportModel& model = m_control.GetModel();
    for (int i = 0; i < model.GetColumnCount(); ++i) {
        const ReportColumn& column = model.GetColumn(i);
        header->moveSection(header->visualIndex(i), i);
        // Measured while shown: a hidden section has no size hint.
        header->setSectionHidden(i, false);
        header->resizeSection(i, std::max(column.width, m_control.GetFittingWidth(i)));
        header->setSectionHidden(i, !column.visible);
    }
}

bool ReportColumns::LoadLayout()
{
    RegistryKey reg(m_settings->GetSection());
    const QString name = m_settings->GetValueName();
    const QString versionName = name + QStringLiteral("Version");
    if (!reg.HasValue(name))
        return false;
    if (static_cast<int>(reg.ReadDword(versionName, 0)) != m_settings->GetLayoutVersion()) {
        reg.DeleteValue(name);
        reg.DeleteValue(versionName);
        return false;
    }
    QHeaderView* header = m_control.header();
    // A layout of another set of columns would misplace them: the header
    // alone does not notice.
    if (reg.ReadString(name + QStringLiteral("Columns")) != ColumnIdsText()
        || !header->restoreState(reg.ReadBinary(name))) {
        ApplyDefaults();
        return false;
    }
    const ReportModel& model = m_control.GetModel();
    for (int i = 0; i < model.GetColumnCount(); ++i)
        if (!model.GetColumn(i).removable)
            header->setSectionHidden(i, false);
    return true;
}

QString ReportColumns::ColumnIdsText() const
{
    const ReportModel& model = m_control.GetModel();
    QStringList ids;
    for (int i = 0; i < model.GetColumnCount(); ++i)
        ids << QString::number(model.GetColumn(i).id);
    return ids.join(QLatin1Char(','));
}

void ReportColumns::SaveLayout()
{
    m_saveTimer.stop();
    RegistryKey reg(m_settings->GetSection());
    const QString name = m_settings->GetValueName();
    reg.WriteBinary(name, m_control.header()->saveState());
    reg.WriteString(name + QStringLiteral("Columns"), ColumnIdsText());
    reg.WriteDword(name + QStringLiteral("Version"), static_cast<uint32_t>(m_settings->GetLayoutVersion()));
}

void ReportColumns::AddTextToTitle(int columnId, const QString& text)
{
    if (ReportColumn* column = Find(columnId))
        column->titleSuffix = text;
}

void ReportColumns::OnTitlesUpdated()
{
    m_control.GetModel().NotifyHeaderChanged();
}

void ReportColumns::OnRightClick(const QPoint& globalPos)
{
    const std::unique_ptr<QMenu> menu = BuildHeaderMenu();
    menu->exec(globalPos);
}

std::unique_ptr<QMenu> ReportColumns::BuildHeaderMenu()
{
    auto menu = std::make_unique<QMenu>();
    QMenu* columns = menu->addMenu(m_settings->GetColumnsMenuText());
    const QHeaderView* header = m_control.header();
    const ReportModel& model = m_control.GetModel();
    for (int visual = 0; visual < header->count(); ++visual) {
        const ReportColumn& column = model.GetColumn(header->logicalIndex(visual));
        QAction* action = columns->addAction(column.GetTitle());
        action->setCheckable(true);
        action->setChecked(IsColumnVisible(column.id));
        action->setEnabled(column.removable);
        const int id = column.id;
        QObject::connect(action, &QAction::toggled, menu.get(), [this, id](bool on) { SetColumnVisible(id, on); });
    }
    QObject::connect(menu->addAction(m_settings->GetFieldChooserMenuText()), &QAction::triggered, menu.get(),
                     [this] { ShowFieldChooser(); });
    QObject::connect(menu->addAction(m_settings->GetRestoreLayoutMenuText()), &QAction::triggered, menu.get(),
                     [this] { RestoreDefaultLayout(); });
    return menu;
}

void ReportColumns::SetColumnVisible(int columnId, bool visible)
{
    const int index = m_control.GetModel().FindColumn(columnId);
    if (index < 0 || (!visible && !m_control.GetModel().GetColumn(index).removable))
        return;
    QHeaderView* header = m_control.header();
    header->setSectionHidden(index, !visible);
    if (visible && header->sectionSize(index) <= 0)
        header->resizeSection(index, m_control.GetModel().GetColumn(index).width);
    if (m_initialised)
        SaveLayout();
}

bool ReportColumns::IsColumnVisible(int columnId) const
{
    const int index = m_control.GetModel().FindColumn(columnId);
    return index >= 0 && !m_control.header()->isSectionHidden(index);
}

void ReportColumns::ShowFieldChooser()
{
    const ReportModel& model = m_control.GetModel();
    QStringList captions;
    std::vector<bool> shown;
    std::vector<int> ids;
    for (int i = 0; i < model.GetColumnCount(); ++i) {
        const ReportColumn& column = model.GetColumn(i);
        if (!column.removable)
            continue;
        captions << column.GetTitle();
        shown.push_back(IsColumnVisible(column.id));
        ids.push_back(column.id);
    }
    FieldChooserDlg dlg(m_settings->GetFieldChooserDlgId(), captions, shown, &m_control);
    if (dlg.DoModal() != IDOK)
        return;
    const std::vector<bool> chosen = dlg.GetShown();
    for (size_t i = 0; i < ids.size(); ++i)
        SetColumnVisible(ids[i], chosen[i]);
}

void ReportColumns::RestoreDefaultLayout()
{
    ApplyDefaults();
    SaveLayout();
}
