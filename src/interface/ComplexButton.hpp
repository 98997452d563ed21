// The button of nearly every screen: one picture holding four looks in a 2 x 2
// grid (idle, clicked, focused, disabled) and a click area read from a text file.
#pragma once

#include "core/StablePtr.hpp"
#include "core/Timer.hpp"
#include "interface/Button.hpp"
#include "presentation/RectangleList.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <optional>
#include <string>

namespace Kestrum
{
    class ComplexButton : public Button
    {
    public:
        // Makes a button from its picture and its click-area file (resource paths)
        // with its top-left at the position.
        static stable_ptr<ComplexButton> Create(const std::string& imagePath, const std::string& clickAreaPath,
                                                const sf::Vector2f& position);

        ComplexButton();
        ~ComplexButton() override;

        bool HasFocus() const override;
        void SetFocus(bool focus) override;
        sf::Vector2f GetPosition() const override;
        void SetPosition(const sf::Vector2f& position) override;
        RectangleList& GetArea() override;
        void Draw() override;

        // The size of one look: half the picture's width and height.
        sf::Vector2f GetSize() const;

    protected:
        // Loads the looks and the click area and moves the button to the position;
        // subclasses call it from their constructors.
        void Initialize(const std::string& imagePath, const std::string& clickAreaPath, const sf::Vector2f& position);

        enum State
        {
            idle = 0,
            clicked = 1,
            focused = 2
        };
        // The look to draw now, updating the click flash; 3 is the disabled look.
        unsigned int ChooseLook();
        const sf::Sprite& GetLook(unsigned int index) const { return m_looks[index]; }

    private:
        void OnClick(InterfaceInput::MouseButton button);

        RectangleList m_area;
        sf::Sprite m_looks[4];
        State m_state;
        std::optional<Timer> m_clickTimer;
    };

    namespace Details
    {
        // Quarter `index` of a picture (0 top-left, 1 top-right, 2 bottom-left,
        // 3 bottom-right); fails for odd sizes.
        sf::IntRect GetPartition(const sf::IntRect& rectangle, unsigned int index);
        // Reads a click-area file: groups of left, top, width and height.
        RectangleList LoadClickArea(const std::string& path);
    }
}
