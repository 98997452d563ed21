#include "interface/Gauge.hpp"

#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <algorithm>

namespace Kestrum
{
    namespace
    {
        const std::string gaugeFolder = "$resources|gui|screens|shared|gauge|";

        // Parts of the gauge picture, as left, top, right and bottom.
        sf::IntRect Part(int left, int top, int right, int bottom)
        {
            return sf::IntRect(left, top, right - left, bottom - top);
        }

        sf::IntRect FacePart(int variant)
        {
            switch (variant)
            {
            case 0:
                return Part(288, 0, 416, 128);
            case 1:
                return Part(160, 0, 288, 128);
            case 2:
                return Part(288, 128, 416, 256);
            default:
                return Part(160, 128, 288, 256);
            }
        }

        sf::Sprite Cut(const sf::Sprite& sprite, const sf::IntRect& part)
        {
            sf::Sprite copy(sprite);
            copy.setTextureRect(part);
            return copy;
        }
    }

    class Gauge::Data
    {
    public:
        Data() = default;
        virtual ~Data() = default;
        Data(const Data&) = delete;
        Data& operator=(const Data&) = delete;

        void Load(int variant);

        bool enabled = true;
        bool focused = false;
        sf::Sprite face;
        sf::Sprite disabledFace;
        sf::Sprite frame;
        sf::Sprite disabledFrame;
        sf::Sprite focusFrame;
        sf::Sprite needle;
        sf::Sprite needleShadow;
        float value = 0.f;
    };

    void Gauge::Data::Load(int variant)
    {
        const stable_ptr<ResourceManager> resources = GetFromRegistry<ResourceManager>();
        const stable_ptr<sf::Sprite> parts = resources->CreateSprite(gaugeFolder + "parts.png", false);
        frame = Cut(*parts, Part(0, 0, 144, 144));
        face = Cut(*parts, FacePart(variant));
        focusFrame = Cut(*parts, Part(0, 160, 160, 320));
        disabledFrame = Cut(*parts, Part(0, 320, 160, 480));
        disabledFace = Cut(*parts, Part(160, 256, 288, 384));
        needle = *resources->CreateSprite(gaugeFolder + "pointer.png", true);
        needle.setOrigin(0.f, 16.f);
        needleShadow = needle;
        needleShadow.setColor(sf::Color(0, 0, 0, 80));
    }

    stable_ptr<Gauge> Gauge::Create(int faceVariant)
    {
        return stable_ptr<Gauge>(new Gauge(faceVariant));
    }

    Gauge::Gauge(int faceVariant) : m_data(new Data())
    {
        m_data->Load(faceVariant);
        SetValue(0.f);
        SetPosition(sf::Vector2f(0.f, 0.f));
    }

    Gauge::~Gauge() = default;

    void Gauge::SetValue(float value)
    {
        // A value that is not a number fails the comparison and becomes 0.
        float clamped = value > 0.f ? value : 0.f;
        clamped = std::min(clamped, 1.f);
        // The needle stands at 120 degrees (counter-clockwise from pointing right)
        // at 0, upright at 0.5 and at 60 degrees at 1; the window library turns
        // clockwise, hence the mirrored angle.
        const float rotation = clamped * 60.f + 240.f;
        m_data->needle.setRotation(rotation);
        m_data->needleShadow.setRotation(rotation);
        m_data->value = clamped;
    }

    float Gauge::GetValue() const
    {
        return m_data->value;
    }

    void Gauge::SetPosition(const sf::Vector2f& position)
    {
        m_data->frame.setPosition(position);
        m_data->disabledFace.setPosition(position);
        m_data->disabledFrame.setPosition(position);
        m_data->focusFrame.setPosition(position);
        m_data->face.setPosition(position);
        m_data->needle.setPosition(position.x + 64.f, position.y + 128.f);
        m_data->needleShadow.setPosition(position.x + 67.f, position.y + 130.f);
    }

    sf::Vector2f Gauge::GetPosition() const
    {
        return m_data->frame.getPosition();
    }

    void Gauge::Draw()
    {
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        if (m_data->enabled)
        {
            window.draw(m_data->face);
            window.draw(m_data->needleShadow);
            window.draw(m_data->needle);
            window.draw(m_data->focused ? m_data->focusFrame : m_data->frame);
        }
        else
        {
            window.draw(m_data->disabledFace);
            window.draw(m_data->disabledFrame);
        }
    }

    void Gauge::SetEnabled(bool enabled)
    {
        m_data->enabled = enabled;
    }

    bool Gauge::IsEnabled() const
    {
        return m_data->enabled;
    }

    void Gauge::SetFocus(bool focus)
    {
        m_data->focused = focus;
    }

    bool Gauge::HasFocus() const
    {
        return m_data->focused;
    }

    float Gauge::GetNeedleRotation() const
    {
        return m_data->needle.getRotation();
    }
}
