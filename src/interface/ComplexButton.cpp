#include "interface/ComplexButton.hpp"

#include "core/Exception.hpp"
#include "core/ReadTokens.hpp"
#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/lexical_cast.hpp>
#include <cmath>

namespace Kestrum
{
    namespace
    {
        // How long a clicked button shows its clicked look.
        const float flashTime = 0.125f;
    }

    namespace Details
    {
        sf::IntRect GetPartition(const sf::IntRect& rectangle, unsigned int index)
        {
            if (rectangle.width % 2 != 0)
                BOOST_THROW_EXCEPTION(
                    NotSupportedError("area of button resource has odd width, it has to be a multiple of 2"));
            if (rectangle.height % 2 != 0)
                BOOST_THROW_EXCEPTION(
                    NotSupportedError("area of button resource has odd height, it has to be a multiple of 2"));
            if (index >= 4)
                BOOST_THROW_EXCEPTION(LogicError("index must be smaller than 4"));
            const int halfWidth = rectangle.width / 2;
            const int halfHeight = rectangle.height / 2;
            const int left = rectangle.left + (index % 2 == 1 ? halfWidth : 0);
            const int top = rectangle.top + (index >= 2 ? halfHeight : 0);
            return sf::IntRect(left, top, halfWidth, halfHeight);
        }

        RectangleList LoadClickArea(const std::string& path)
        {
            const stable_ptr<std::istream> stream = OpenResourceFile(path);
            std::vector<float> values;
            for (const std::string& word : ReadTokens(*stream))
            {
                // Each rectangle is left, top, width and height: all finite, the sizes not negative.
                const float value = boost::lexical_cast<float>(word);
                if (!std::isfinite(value))
                    BOOST_THROW_EXCEPTION(ParseError(path + " holds " + word + ", which is not a finite number"));
                const std::size_t field = values.size() % 4;
                if (field >= 2 && value < 0.f)
                    BOOST_THROW_EXCEPTION(ParseError(path + " holds " + word + " as a " +
                                                     (field == 2 ? "width" : "height") + ", which is negative"));
                values.push_back(value);
            }
            RectangleList area;
            area.Load(values);
            return area;
        }
    }

    stable_ptr<ComplexButton> ComplexButton::Create(const std::string& imagePath, const std::string& clickAreaPath,
                                                    const sf::Vector2f& position)
    {
        stable_ptr<ComplexButton> button(new ComplexButton());
        button->Initialize(imagePath, clickAreaPath, position);
        return button;
    }

    ComplexButton::ComplexButton() : m_state(idle) {}

    ComplexButton::~ComplexButton() = default;

    void ComplexButton::Initialize(const std::string& imagePath, const std::string& clickAreaPath,
                                   const sf::Vector2f& position)
    {
        m_state = idle;
        m_area = Details::LoadClickArea(clickAreaPath);
        const stable_ptr<sf::Sprite> sprite = GetFromRegistry<ResourceManager>()->CreateSprite(imagePath, false);
        for (unsigned int index = 0; index < 4; ++index)
        {
            m_looks[index] = *sprite;
            m_looks[index].setTextureRect(Details::GetPartition(sprite->getTextureRect(), index));
            m_looks[index].setScale(1.f, 1.f);
        }
        SetPosition(position);
        // Connected first, so the flash starts before any owner's slot runs.
        GetClickSignal().connect([this](InterfaceInput::MouseButton button) { OnClick(button); });
    }

    bool ComplexButton::HasFocus() const
    {
        return m_state == focused;
    }

    void ComplexButton::SetFocus(bool focus)
    {
        m_state = focus ? focused : idle;
    }

    sf::Vector2f ComplexButton::GetPosition() const
    {
        return m_looks[0].getPosition();
    }

    void ComplexButton::SetPosition(const sf::Vector2f& position)
    {
        const sf::Vector2f delta = position - GetPosition();
        m_area.Move(delta);
        for (sf::Sprite& look : m_looks)
            look.move(delta);
    }

    RectangleList& ComplexButton::GetArea()
    {
        return m_area;
    }

    sf::Vector2f ComplexButton::GetSize() const
    {
        const sf::IntRect part = m_looks[0].getTextureRect();
        return sf::Vector2f(static_cast<float>(part.width), static_cast<float>(part.height));
    }

    unsigned int ComplexButton::ChooseLook()
    {
        if (m_clickTimer)
        {
            if (!m_clickTimer->IsElapsed())
                m_state = clicked;
            else
            {
                m_clickTimer.reset();
                m_state = idle;
            }
        }
        return IsEnabled() ? static_cast<unsigned int>(m_state) : 3u;
    }

    void ComplexButton::Draw()
    {
        const unsigned int look = ChooseLook();
        GetFromRegistry<sf::RenderWindow>()->draw(m_looks[look]);
    }

    void ComplexButton::OnClick(InterfaceInput::MouseButton)
    {
        m_clickTimer.emplace(flashTime);
    }
}
