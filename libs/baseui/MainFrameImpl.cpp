#include "MainFrameImpl.h"

#include <boost/signals2/signal.hpp>

// One list of range subscriptions. Each entry carries its own one-slot
// signal only so that the caller gets an ordinary connection: disconnecting
// it empties the signal, and the empty entry is dropped on the next change.
template <class Fn>
struct MainFrameImpl::Registry
{
    struct Entry
    {
        int first;
        int last;
        Fn fn;
        std::shared_ptr<boost::signals2::signal<void()>> lifetime;

        bool IsAlive() const { return lifetime->num_slots() > 0; }
    };

    Connection Add(int first, int last, Fn fn)
    {
        std::erase_if(entries, [](const Entry& e) { return !e.IsAlive(); });
        auto lifetime = std::make_shared<boost::signals2::signal<void()>>();
        Connection connection = lifetime->connect([] {});
        entries.push_back(Entry{first, last, std::move(fn), std::move(lifetime)});
        return connection;
    }

    // The handler for id; a copy, so that a handler may unsubscribe itself
    // or subscribe others while it runs.
    Fn Find(int id) const
    {
        for (const Entry& e : entries) {
            if (id >= e.first && id <= e.last && e.IsAlive())
                return e.fn;
        }
        return {};
    }

    std::vector<Entry> entries;
};

MainFrameImpl::MainFrameImpl()
    : m_commands(std::make_unique<Registry<CommandFn>>())
    , m_commandUIs(std::make_unique<Registry<CommandUIFn>>())
    , m_controls(std::make_unique<Registry<CreateControlFn>>())
    , m_toolbars(std::make_unique<Registry<CustomizeToolbarFn>>())
{
}

MainFrameImpl::~MainFrameImpl() = default;

MainFrameImpl::Connection MainFrameImpl::SubscribeCommand(int firstId, int lastId, CommandFn fn)
{
    return m_commands->Add(firstId, lastId, std::move(fn));
}

MainFrameImpl::Connection MainFrameImpl::SubscribeCommandUI(int firstId, int lastId, CommandUIFn fn)
{
    return m_commandUIs->Add(firstId, lastId, std::move(fn));
}

MainFrameImpl::Connection MainFrameImpl::SubscribeCreateControl(int id, CreateControlFn fn)
{
    return m_controls->Add(id, id, std::move(fn));
}

MainFrameImpl::Connection MainFrameImpl::SubscribeCustomizeToolbar(int toolbarId, CustomizeToolbarFn fn)
{
    return m_toolbars->Add(toolbarId, toolbarId, std::move(fn));
}

bool MainFrameImpl::OnCommand(int id)
{
    CommandFn fn = m_commands->Find(id);
    if (!fn)
        return false;
    if (m_wrapper)
        m_wrapper(id, [&fn, id] { fn(id); });
    else
        fn(id);
    return true;
}

bool MainFrameImpl::OnCommandUI(CommandUI& ui)
{
    CommandUIFn fn = m_commandUIs->Find(ui.GetId());
    if (fn) {
        fn(ui);
        return true;
    }
    // A command with a handler but no state handler is simply available.
    if (HasCommand(ui.GetId())) {
        ui.Enable(true);
        return true;
    }
    return false;
}

QWidget* MainFrameImpl::OnCreateControl(int id, QWidget* parent)
{
    CreateControlFn fn = m_controls->Find(id);
    return fn ? fn(parent) : nullptr;
}

bool MainFrameImpl::OnCustomizeToolbar(int toolbarId, QToolBar& toolbar)
{
    CustomizeToolbarFn fn = m_toolbars->Find(toolbarId);
    if (!fn)
        return false;
    fn(toolbar);
    return true;
}

bool MainFrameImpl::HasCommand(int id) const
{
    return static_cast<bool>(m_commands->Find(id));
}
