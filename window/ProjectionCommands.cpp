// The table of the projection window's commands, in the order the menus show them.
#include "ProjectionCommands.h"

#include "CZentharoForm.h"
#include "resources/resource.h"

#include <iterator>

namespace {

constexpr CommandKey kNoKey{0, false, false};

constexpr ProjectionCommand kCommands[] = {
    {ID_EDIT_UNDO_STEP,
     "Undo",
     {'Z', true, false},
     true,
     &CZentharoForm::Undo,
     &CZentharoForm::CanUndo,
     &CZentharoForm::UndoText,
     kNoKey,
     true,
     false},
    {ID_EDIT_REDO_STEP,
     "Redo",
     {'Y', true, false},
     true,
     &CZentharoForm::Redo,
     &CZentharoForm::CanRedo,
     &CZentharoForm::RedoText,
     {'Z', true, true},
     true,
     true},
    {ID_EDIT_FILL_LATER,
     "Fill later turns",
     {'D', true, false},
     false,
     &CZentharoForm::FillLaterTurns,
     &CZentharoForm::CanFillLaterTurns},
    {ID_EDIT_PASTE_BLOCK,
     "Paste block",
     {'V', true, false},
     false,
     &CZentharoForm::PasteBlock,
     &CZentharoForm::CanPasteBlock},
    {ID_EDIT_CLEAR_INPUTS, "Clear all inputs", kNoKey, true, &CZentharoForm::ClearAllInputs, nullptr},
    {ID_VIEW_CHART, "Chart", {'G', true, true}, true, &CZentharoForm::OpenChart, nullptr},
    {ID_EDIT_COPY_TABLE, "Copy table", {'C', true, true}, true, &CZentharoForm::CopyTable, nullptr},
    {ID_PLAN_SHIPS, ModuleContract::kPlanShipsItem, kNoKey, true, &CZentharoForm::PlanShips, &CZentharoForm::CanPlan},
    {ID_PLAN_PRODUCTION, ModuleContract::kPlanProductionItem, kNoKey, true, &CZentharoForm::PlanProduction,
     &CZentharoForm::CanPlan},
};

constexpr bool IdsFitTheSystemMenu() {
    for (const ProjectionCommand& command : kCommands)
        if (command.id % 16 != 0 || command.id >= 0xF000)
            return false;
    return true;
}
static_assert(IdsFitTheSystemMenu());

} // namespace

namespace ProjectionCommands {

const ProjectionCommand* begin() { return std::begin(kCommands); }
const ProjectionCommand* end() { return std::end(kCommands); }

const ProjectionCommand* WithId(UINT id) {
    for (const ProjectionCommand& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

const ProjectionCommand* ForKey(WORD virtualKey, bool control, bool shift) {
    const auto matches = [&](const CommandKey& key) {
        return key.virtualKey && key.virtualKey == virtualKey && key.control == control && key.shift == shift;
    };
    for (const ProjectionCommand& command : kCommands)
        if (matches(command.key) || matches(command.otherKey))
            return &command;
    return nullptr;
}

std::string MenuText(const ProjectionCommand& command, const std::string& itemText) {
    std::string text = itemText;
    if (!command.key.virtualKey)
        return text;
    text += '\t';
    if (command.key.control)
        text += "Ctrl+";
    if (command.key.shift)
        text += "Shift+";
    return text += static_cast<char>(command.key.virtualKey);
}

} // namespace ProjectionCommands
