// The button of one saved game on the savings screen: the slot picture with the
// time the saving was last written. A click makes the saving the campaign in
// play and opens the missions screen.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/ComplexButton.hpp"

#include <boost/date_time/posix_time/ptime.hpp>

#include <memory>
#include <string>

namespace sf
{
    class Font;
    class Text;
}

namespace Kestrum
{
    class Saving;

    class SavingButton : public ComplexButton
    {
    public:
        ~SavingButton() override;

        // The slot in its look, then the saving's time over it.
        void Draw() override;

        const stable_ptr<Saving>& GetSaving() const { return m_saving; }

        // Registers the saving and the inventory built from it as the campaign in
        // play and asks for the missions screen.
        static void Select(const stable_ptr<Saving>& saving);

    private:
        friend stable_ptr<SavingButton> CreateSavingButton(const stable_ptr<Saving>& saving,
                                                          const sf::Vector2f& position);
        explicit SavingButton(const stable_ptr<Saving>& saving);

        stable_ptr<Saving> m_saving;
        std::shared_ptr<sf::Font> m_font;
        // The time's text, made at the first drawing: the time does not change.
        std::shared_ptr<sf::Text> m_text;
    };

    // The button of the saving with its top-left at the position; its click
    // selects the saving.
    stable_ptr<SavingButton> CreateSavingButton(const stable_ptr<Saving>& saving, const sf::Vector2f& position);

    // A saving's time as it is stamped (local time where it was written), year,
    // English month and day, then the time of day: "2011-Jan-05 13:45:10".
    std::string FormatSavingTime(const boost::posix_time::ptime& time);
}
