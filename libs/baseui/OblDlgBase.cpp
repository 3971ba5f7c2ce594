#include "OblDlgBase.h"

#include "RegistryKey.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

const QString kVersion = QStringLiteral("Version");
const QString kRect = QStringLiteral("Rect");

QString RectToString(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QRect RectFromString(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    return QRect(v[0], v[1], v[2], v[3]);
}

// A screen was unplugged or shrunk since the layout was saved: keep the
// dialog reachable by pulling it back onto the nearest screen.
QRect KeepOnScreen(QRect r)
{
    const QScreen* screen = QGuiApplication::screenAt(r.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return r;
    const QRect avail = screen->availableGeometry();
    r.setWidth(std::min(r.width(), avail.width()));
    r.setHeight(std::min(r.height(), avail.height()));
    if (r.right() > avail.right())
        r.moveRight(avail.right());
    if (r.bottom() > avail.bottom())
        r.moveBottom(avail.bottom());
    if (r.left() < avail.left())
        r.moveLeft(avail.left());
    if (r.top() < avail.top())
        r.moveTop(avail.top());
    return r;
}

} // namespace

OblDlgBase::OblDlgBase(int templateId, QWidget* parent)
    : DlgBase(parent)
    , m_templateId(templateId)
{
}

QString OblDlgBase::GetLayoutSection(const QString& key)
{
    return QStringLiteral("Layout\\Dialogs\\") + key;
}

bool OblDlgBase::DoCreate()
{
    LoadLayout();
    if (!OnInitDialog())
        return false;
    show();
    return true;
}

bool OblDlgBase::LoadLayout()
{
    const QString key = GetLayoutKey();
    if (key.isEmpty())
        return false;
    RegistryKey reg(GetLayoutSection(key));
    if (!reg.HasValue(kRect))
        return false;
    if (static_cast<int>(reg.ReadDword(kVersion, 0)) != GetDlgVersion()) {
        reg.ClearSection();
        return false;
    }
    const QRect r = RectFromString(reg.ReadString(kRect));
    if (r.width() <= 0 || r.height() <= 0)
        return false;
    setGeometry(KeepOnScreen(r));
    return true;
}

void OblDlgBase::SaveLayout() const
{
    const QString key = GetLayoutKey();
    if (key.isEmpty())
        return;
    RegistryKey reg(GetLayoutSection(key));
    reg.WriteDword(kVersion, static_cast<uint32_t>(GetDlgVersion()));
    reg.WriteString(kRect, RectToString(geometry()));
}

void OblDlgBase::OnDestroy()
{
    SaveLayout();
}

void OblDlgBase::BeforeModal()
{
    LoadLayout();
}

void OblDlgBase::hideEvent(QHideEvent* event)
{
    OnDestroy();
    DlgBase::hideEvent(event);
}
