// The steps a projection window can take back: each change the window makes to the table, with the
// player's inputs as they stood on the other side of it. Undoing a step keeps the inputs it undid as
// the step to redo; a new step drops what was left to redo. The oldest steps go beyond kMostSteps.
#pragma once

#include "TableInputs.h"

#include <vector>

// What a step did, as the Undo and Redo items name it.
enum class EditStep {
    Typing,     // a cell's text stored
    Production, // a production chosen
    Fill,       // Fill later turns
    Paste,      // Paste block
    Clear,      // Clear all inputs
    Plan,       // a best plan applied
    Close,      // the table a closed window of the same planet left
};

namespace EditSteps {
// "Typing", "Fill later turns"...: what follows "Undo " or "Redo " in a menu.
const char* Name(EditStep step);
} // namespace EditSteps

class EditHistory {
public:
    static constexpr std::size_t kMostSteps = 100;

    struct Step {
        EditStep kind;
        TableInputs inputs; // to undo: the inputs before it; to redo: the inputs after it
    };

    // Takes the room for every step it may keep, so that recording and moving steps never fails.
    EditHistory();

    // A step just taken, with the inputs before it. Nothing is left to redo after it.
    void Record(EditStep kind, TableInputs before) noexcept;

    const Step* NextUndo() const { return m_undo.empty() ? nullptr : &m_undo.back(); }
    const Step* NextRedo() const { return m_redo.empty() ? nullptr : &m_redo.back(); }

    // The next step to undo has been undone: current (the inputs it undid) is kept to redo it.
    void Undone(TableInputs current) noexcept;
    // The next step to redo has been redone: current (the inputs it replaced) is kept to undo it.
    void Redone(TableInputs current) noexcept;

private:
    static void Push(std::vector<Step>& steps, Step step) noexcept;
    // The step at the back of from has been taken: it goes to the back of to, holding current.
    static void Move(std::vector<Step>& from, std::vector<Step>& to, TableInputs current) noexcept;

    std::vector<Step> m_undo; // the last step at the back
    std::vector<Step> m_redo; // the next step to redo at the back
};
