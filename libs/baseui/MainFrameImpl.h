#pragma once

#include "CommandUI.h"

#include <boost/signals2/connection.hpp>

#include <functional>
#include <memory>
#include <vector>

class QToolBar;
class QWidget;

// The command hub of the main window. Every part of the program registers
// handlers over ranges of command ids; the frame hands each command and each
// command-state query here first and falls back to its own routing when no
// handler is registered. A subscription lasts as long as its connection.
// When ranges overlap, the earliest live subscription wins.
class MainFrameImpl
{
public:
    using CommandFn = std::function<void(int id)>;
    using CommandUIFn = std::function<void(CommandUI& ui)>;
    // Builds a special toolbar control (a drop-down list, say) for a command.
    using CreateControlFn = std::function<QWidget*(QWidget* parent)>;
    using CustomizeToolbarFn = std::function<void(QToolBar& toolbar)>;
    using Connection = boost::signals2::scoped_connection;
    // Runs around every command that has a handler; run runs the handler.
    using CommandWrapperFn = std::function<void(int id, const std::function<void()>& run)>;

    MainFrameImpl();
    ~MainFrameImpl();
    MainFrameImpl(const MainFrameImpl&) = delete;
    MainFrameImpl& operator=(const MainFrameImpl&) = delete;

    [[nodiscard]] Connection SubscribeCommand(int firstId, int lastId, CommandFn fn);
    [[nodiscard]] Connection SubscribeCommandUI(int firstId, int lastId, CommandUIFn fn);
    [[nodiscard]] Connection SubscribeCreateControl(int id, CreateControlFn fn);
    [[nodiscard]] Connection SubscribeCustomizeToolbar(int toolbarId, CustomizeToolbarFn fn);

    // One wrapper at a time (recording edits for undo); empty removes it.
    void SetCommandWrapper(CommandWrapperFn wrapper) { m_wrapper = std::move(wrapper); }

    // Each returns false (or nullptr) when nothing is registered for the id.
    bool OnCommand(int id);
    bool OnCommandUI(CommandUI& ui);
    QWidget* OnCreateControl(int id, QWidget* parent);
    bool OnCustomizeToolbar(int toolbarId, QToolBar& toolbar);

    bool HasCommand(int id) const;

private:
    template <class Fn>
    struct Registry;

    std::unique_ptr<Registry<CommandFn>> m_commands;
    std::unique_ptr<Registry<CommandUIFn>> m_commandUIs;
    std::unique_ptr<Registry<CreateControlFn>> m_controls;
    std::unique_ptr<Registry<CustomizeToolbarFn>> m_toolbars;
    CommandWrapperFn m_wrapper;
};
