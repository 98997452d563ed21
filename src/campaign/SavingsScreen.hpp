// The entry to the campaign: the saved games of the folder "savings", oldest
// first, in four columns of three rows (the newest twelve, when there are more). Each is a button showing the time it
// was written, with a small delete button on its top-right corner. Clicking a
// saving continues that campaign on the missions screen; with no saving left
// the player is sent back to the title screen.
#pragma once

#include "campaign/ExitableScreen.hpp"

#include <set>

namespace Kestrum
{
    class Button;
    class ComplexButton;
    class Saving;
    class SavingButton;

    class SavingsScreen : public ExitableScreen
    {
    public:
        // The places of the list; older savings beyond them are left out with a
        // warning.
        static constexpr unsigned int columns = 4;
        static constexpr unsigned int rows = 3;

        SavingsScreen();
        ~SavingsScreen() override;

        // The backdrop, the exit button to the title screen and the list.
        void OnEnter() override;
        // Builds the list anew after a saving has been deleted; the deleting
        // click itself only asks for it, as it runs inside its own button.
        void OnUpdate() override;
        // Removes the list's buttons, then what every campaign screen removes.
        void OnExit() override;

    private:
        // Finds the savings on disk by their files' checks and loads only the
        // newest that fill the places, then lays out their buttons; a file that
        // cannot be read is reported and left out.
        void BuildList();
        stable_ptr<ComplexButton> CreateDeleteButton(const stable_ptr<Saving>& saving,
                                                     const stable_ptr<SavingButton>& savingButton);
        // Deletes the saving's file, hides its buttons at once and asks for a
        // new list.
        void DeleteSaving(const stable_ptr<Saving>& saving, Button& savingButton, Button& deleteButton);

        std::set<stable_ptr<Button>> m_listed;
        bool m_rebuildPending;
    };
}
