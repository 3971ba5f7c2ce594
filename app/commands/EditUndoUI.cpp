#include "EditUndoUI.h"

#include "CleaningLog.h"
#include "CommandIds.h"
#include "CommandUI.h"
#include "MainFrame.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "Translator.h"
#include "UndoOptions.h"
#include "UndoScope.h"
#include "UndoableCommands.h"

#include <QAction>
#include <QKeySequence>

#include <optional>

namespace {

UndoHistory& History()
{
    return OpenTracks::Get().history;
}

} // namespace

EditUndoUI::EditUndoUI(MainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_EDIT_UNDO, ID_EDIT_REDO, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_EDIT_UNDO, ID_EDIT_REDO, [this](CommandUI& ui) { OnCommandUI(ui); });
    hub.SetCommandWrapper([this](int id, const std::function<void()>& run) {
        const std::optional<UndoableCommand> undoable = FindUndoableCommand(id);
        if (!undoable) {
            run();
            return;
        }
        {
            const UndoScope step(OpenTracks::Get().model, undoable->nameId, undoable->depth);
            run();
        }
        m_frame.GetCleaningLog().SettleStep(History().GetAppliedSerial());
    });
    const auto applyLimit = [] {
        History().SetLimit(static_cast<size_t>(UndoOptions::GetInstance().memoryMiB.Get()) << 20);
    };
    applyLimit();
    m_limit = UndoOptions::GetInstance().Subscribe(applyLimit);
    // Both common keys redo.
    frame.GetActions().Get(ID_EDIT_REDO)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

EditUndoUI::~EditUndoUI()
{
    m_frame.GetHub().SetCommandWrapper({});
}

void EditUndoUI::OnCommand(int id)
{
    if (id == ID_EDIT_UNDO)
        History().Undo();
    else
        History().Redo();
    m_frame.GetCleaningLog().NoteHistoryMoved();
}

void EditUndoUI::OnCommandUI(CommandUI& ui)
{
    const bool undo = ui.GetId() == ID_EDIT_UNDO;
    const int name = undo ? History().GetUndoName() : History().GetRedoName();
    ui.Enable(name != 0);
    const Translator& tr = Translator::GetInstance();
    if (name != 0)
        ui.SetText(tr.LoadStr(undo ? IDS_UNDO_STEP : IDS_REDO_STEP).arg(tr.LoadStr(name)));
}
