#include "campaign/SavingsScreen.hpp"

#include "campaign/Saving.hpp"
#include "campaign/SavingButton.hpp"
#include "campaign/SavingManager.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/CreateGrid.hpp"
#include "interface/GoToStartScreen.hpp"
#include "interface/StartScreen.hpp"
#include "interface/TakeFirst.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>

#include <algorithm>
#include <tuple>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const std::string deleteFolder = "resources|gui|screens|saving|buttons|delete|";
        const sf::Vector2f listOrigin(10.f, 100.f);
        // The gap between two slots.
        const float gap = 10.f;
        // The saving buttons lie over the exit button's key, the delete buttons over them.
        const unsigned int savingKey = 1;
        const unsigned int deleteKey = 2;

        // A saving of the folder that its check passed, and when it was written.
        struct FoundSaving
        {
            boost::posix_time::ptime time;
            unsigned long id;
        };

        // The text with every control character (a line end, a tab) a blank,
        // so that it stays on its line of the log.
        std::string OneLine(std::string text)
        {
            std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
            return text;
        }

        void ReportUnreadable(unsigned long id, const std::exception& error)
        {
            *Log(LogLevel::error) << "skipping saving " << std::to_string(id)
                                  << ", it can not be read: " << OneLine(error.what());
        }

        // Every saving of the folder that passes its check, oldest first;
        // savings of the same second by their numbers, so that none hides
        // another. Only the files' texts are read: nothing is loaded, and a
        // saving stamped further ahead than a load accepts is refused as its
        // load would refuse it.
        std::vector<FoundSaving> FindSavings(const SavingManager& manager)
        {
            std::vector<FoundSaving> found;
            for (unsigned long id : manager.GetSavingIDs())
            {
                try
                {
                    found.push_back(FoundSaving{manager.GetSavingTime(id), id});
                }
                catch (const std::exception& error)
                {
                    ReportUnreadable(id, error);
                }
            }
            std::sort(found.begin(), found.end(), [](const FoundSaving& a, const FoundSaving& b) {
                return std::tie(a.time, a.id) < std::tie(b.time, b.id);
            });
            return found;
        }
    }

    SavingsScreen::SavingsScreen() : ExitableScreen(false), m_rebuildPending(false) {}

    SavingsScreen::~SavingsScreen() = default;

    void SavingsScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<StartScreen>());
        BuildList();
    }

    void SavingsScreen::OnUpdate()
    {
        ExitableScreen::OnUpdate();
        if (m_rebuildPending)
            BuildList();
    }

    void SavingsScreen::OnExit()
    {
        for (const stable_ptr<Button>& button : m_listed)
            RemoveButton(button);
        m_listed.clear();
        m_rebuildPending = false;
        ExitableScreen::OnExit();
    }

    void SavingsScreen::BuildList()
    {
        m_rebuildPending = false;
        for (const stable_ptr<Button>& button : m_listed)
            RemoveButton(button);
        m_listed.clear();

        // The newest savings that load, newest first, so that the campaign just
        // saved is among them. One that fails to load gives its place to the
        // next older one; the older ones beyond the places are never loaded.
        const stable_ptr<SavingManager> manager = GetFromRegistry<SavingManager>();
        std::vector<FoundSaving> found = FindSavings(*manager);
        const std::size_t places = columns * rows;
        std::vector<stable_ptr<Saving>> savings;
        while (!found.empty() && savings.size() < places)
        {
            const unsigned long id = found.back().id;
            found.pop_back();
            try
            {
                savings.push_back(manager->Load(id));
            }
            catch (const std::exception& error)
            {
                ReportUnreadable(id, error);
            }
        }
        if (savings.empty())
        {
            GoToStartScreen();
            return;
        }
        if (!found.empty())
            *Log(LogLevel::warning) << "there are " << std::to_string(savings.size() + found.size())
                                    << " savings, only the newest " << std::to_string(places) << " are listed ("
                                    << std::to_string(found.size()) << " left out)";
        std::reverse(savings.begin(), savings.end());

        std::vector<sf::Vector2f> positions;
        for (const stable_ptr<Saving>& saving : savings)
        {
            const stable_ptr<SavingButton> savingButton = CreateSavingButton(saving, sf::Vector2f(0.f, 0.f));
            AddButton(savingButton, savingKey);
            m_listed.insert(savingButton);
            if (positions.empty())
            {
                const sf::Vector2f size = savingButton->GetSize();
                positions = CreateGrid(listOrigin, sf::Vector2f(size.x + gap, size.y + gap), columns, rows);
            }
            savingButton->SetPosition(TakeFirst(positions));

            const stable_ptr<ComplexButton> deleteButton = CreateDeleteButton(saving, savingButton);
            AddButton(deleteButton, deleteKey);
            m_listed.insert(deleteButton);
        }
    }

    stable_ptr<ComplexButton> SavingsScreen::CreateDeleteButton(const stable_ptr<Saving>& saving,
                                                                const stable_ptr<SavingButton>& savingButton)
    {
        const stable_ptr<ComplexButton> button = ComplexButton::Create(
            deleteFolder + "graphics.png", deleteFolder + "click_area.txt", sf::Vector2f(0.f, 0.f));
        // The button holds its slot only by address: both leave the list together.
        Button* const slot = savingButton.get();
        Button* const self = button.get();
        button->GetClickSignal().connect(
            [this, saving, slot, self](MouseButton) { DeleteSaving(saving, *slot, *self); });
        const sf::Vector2f corner = savingButton->GetPosition();
        button->SetPosition(sf::Vector2f(corner.x + savingButton->GetSize().x - button->GetSize().x, corner.y));
        return button;
    }

    void SavingsScreen::DeleteSaving(const stable_ptr<Saving>& saving, Button& savingButton, Button& deleteButton)
    {
        GetFromRegistry<SavingManager>()->Remove(saving);
        for (Button* gone : {&savingButton, &deleteButton})
        {
            gone->SetVisible(false);
            gone->SetEnabled(false);
        }
        m_rebuildPending = true;
    }
}
