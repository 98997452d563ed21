#include "interface/SimpleButton.hpp"

#include "core/Registry.hpp"
#include "presentation/RectangleList.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace Kestrum
{
    namespace
    {
        std::shared_ptr<RectangleList> AreaOf(const sf::Sprite& sprite)
        {
            const sf::FloatRect bounds = sprite.getGlobalBounds();
            auto area = std::make_shared<RectangleList>();
            area->GetRectangles().push_back(
                Rectangle(bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height));
            return area;
        }

        // Restores a sprite's colour however the drawing ends.
        class ColourGuard
        {
        public:
            explicit ColourGuard(sf::Sprite& sprite) : m_sprite(sprite), m_colour(sprite.getColor()) {}
            ~ColourGuard() { m_sprite.setColor(m_colour); }
            ColourGuard(const ColourGuard&) = delete;
            ColourGuard& operator=(const ColourGuard&) = delete;

        private:
            sf::Sprite& m_sprite;
            sf::Color m_colour;
        };
    }

    stable_ptr<Button> SimpleButton::Create(const std::string& idlePath, const std::string& clickedPath,
                                            const sf::Vector2f& position, bool smooth)
    {
        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        const std::shared_ptr<sf::Sprite> idle = resources->CreateSprite(idlePath, smooth).get_shared();
        const std::shared_ptr<sf::Sprite> clicked = resources->CreateSprite(clickedPath, smooth).get_shared();
        idle->setPosition(position);
        clicked->setPosition(position);
        return stable_ptr<Button>(new SimpleButton(nullptr, idle, clicked));
    }

    SimpleButton::SimpleButton(const std::shared_ptr<RectangleList>& area, const std::shared_ptr<sf::Sprite>& idle,
                               const std::shared_ptr<sf::Sprite>& clicked)
        : m_area(create_stable_ptr(area ? area : AreaOf(*clicked))), m_idle(idle), m_clicked(clicked)
    {
        GetClickSignal().connect([this](InterfaceInput::MouseButton) { m_clickTimer.emplace(GetClickedTime()); });
    }

    SimpleButton::~SimpleButton() = default;

    bool SimpleButton::HasFocus() const
    {
        return false;
    }

    void SimpleButton::SetFocus(bool) {}

    sf::Vector2f SimpleButton::GetPosition() const
    {
        return m_idle->getPosition();
    }

    void SimpleButton::SetPosition(const sf::Vector2f& position)
    {
        const sf::Vector2f delta = position - GetPosition();
        m_area->Move(delta);
        m_idle->setPosition(position);
        m_clicked->setPosition(position);
    }

    RectangleList& SimpleButton::GetArea()
    {
        return *m_area;
    }

    void SimpleButton::Draw()
    {
        const bool flashing = m_clickTimer && !m_clickTimer->IsElapsed();
        sf::Sprite& image = flashing ? *m_clicked : *m_idle;
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        if (IsEnabled())
        {
            window->draw(image);
            return;
        }
        ColourGuard guard(image);
        image.setColor(sf::Color(128, 128, 128, 255));
        window->draw(image);
    }

    float SimpleButton::GetClickedTime() const
    {
        return 0.1f;
    }
}
