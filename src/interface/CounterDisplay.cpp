#include "interface/CounterDisplay.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace Kestrum
{
    namespace
    {
        const unsigned int wheelCount = 10;
        // Glyph d of the digit strip stands at x = firstGlyph + glyphStep * d.
        const int firstGlyph = 19;
        const int glyphStep = 12;
        const int glyphTop = 9;
        const int glyphWidth = 11;
        const int glyphHeight = 14;
    }

    class CounterDisplay::Data
    {
    public:
        Data() = default;
        virtual ~Data() = default;
        Data(const Data&) = delete;
        Data& operator=(const Data&) = delete;

        void Load();
        void UpdateNumbers();

        sf::Int32 type = 0;
        sf::Sprite wheels[wheelCount];
        sf::Sprite frame;
        sf::Uint32 number = 1000000000;
        bool dirty = true;
    };

    void CounterDisplay::Data::Load()
    {
        const std::string path =
            std::string("$resources|gui|screens|shared|") + (type == 0 ? "score_counter.png" : "highscore_counter.png");
        frame = *GetFromRegistry<ResourceManager>()->CreateSprite(path, false);
        for (sf::Sprite& wheel : wheels)
            wheel = frame;
        number = 0;
        dirty = true;
    }

    void CounterDisplay::Data::UpdateNumbers()
    {
        sf::Uint32 divisor = 1000000000;
        for (sf::Sprite& wheel : wheels)
        {
            if (divisor == 0)
                BOOST_THROW_EXCEPTION(LogicError("too many wheels for integer type"));
            const int digit = static_cast<int>((number / divisor) % 10);
            wheel.setTextureRect(sf::IntRect(firstGlyph + glyphStep * digit, glyphTop, glyphWidth, glyphHeight));
            divisor /= 10;
        }
    }

    stable_ptr<CounterDisplay> CounterDisplay::Create()
    {
        return stable_ptr<CounterDisplay>(new CounterDisplay());
    }

    CounterDisplay::CounterDisplay() : m_data(new Data())
    {
        m_data->Load();
        SetPosition(sf::Vector2f(0.f, 0.f));
    }

    CounterDisplay::~CounterDisplay() = default;

    void CounterDisplay::SetNumber(sf::Uint32 number)
    {
        m_data->number = number;
        m_data->dirty = true;
    }

    sf::Uint32 CounterDisplay::GetNumber() const
    {
        return m_data->number;
    }

    void CounterDisplay::SetPosition(const sf::Vector2f& position)
    {
        for (unsigned int i = 0; i < wheelCount; ++i)
            m_data->wheels[i].setPosition(position.x + static_cast<float>(firstGlyph + glyphStep * static_cast<int>(i)),
                                          position.y + static_cast<float>(glyphTop));
        m_data->frame.setPosition(position);
    }

    void CounterDisplay::Draw()
    {
        if (m_data->dirty)
        {
            m_data->UpdateNumbers();
            m_data->dirty = false;
        }
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        window.draw(m_data->frame);
        for (const sf::Sprite& wheel : m_data->wheels)
            window.draw(wheel);
    }

    sf::IntRect CounterDisplay::GetWheelPart(unsigned int index) const
    {
        return m_data->wheels[index].getTextureRect();
    }

    sf::Vector2f CounterDisplay::GetWheelPosition(unsigned int index) const
    {
        return m_data->wheels[index].getPosition();
    }
}
