#include "presentation/SpriteBatch.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <cstdlib>

namespace Kestrum
{
    namespace
    {
        SpriteBatch* s_open = nullptr;

        // The sprite's four corners as sf::Sprite draws them: a strip from the
        // top left down, then across, moved by the sprite's transform.
        void GetCorners(const sf::Sprite& sprite, sf::Vertex* corners)
        {
            const sf::IntRect& rect = sprite.getTextureRect();
            const float width = static_cast<float>(std::abs(rect.width));
            const float height = static_cast<float>(std::abs(rect.height));
            const float left = static_cast<float>(rect.left);
            const float right = left + rect.width;
            const float top = static_cast<float>(rect.top);
            const float bottom = top + rect.height;
            const sf::Transform& transform = sprite.getTransform();
            const sf::Color& colour = sprite.getColor();
            corners[0] = sf::Vertex(transform.transformPoint(0.f, 0.f), colour, sf::Vector2f(left, top));
            corners[1] = sf::Vertex(transform.transformPoint(0.f, height), colour, sf::Vector2f(left, bottom));
            corners[2] = sf::Vertex(transform.transformPoint(width, 0.f), colour, sf::Vector2f(right, top));
            corners[3] = sf::Vertex(transform.transformPoint(width, height), colour, sf::Vector2f(right, bottom));
        }
    }

    SpriteBatch::SpriteBatch() : m_open(false), m_target(nullptr), m_texture(nullptr), m_count(0), m_batching(true), m_drawCalls(0)
    {
    }

    SpriteBatch::~SpriteBatch()
    {
        Abandon();
    }

    void SpriteBatch::Open(sf::RenderTarget* target)
    {
        if (s_open)
            BOOST_THROW_EXCEPTION(LogicError("a sprite batch is open already"));
        s_open = this;
        m_open = true;
        m_target = target;
        m_texture = nullptr;
        m_count = 0;
        m_drawCalls = 0;
    }

    void SpriteBatch::Close()
    {
        try
        {
            Flush();
        }
        catch (...)
        {
            Abandon();
            throw;
        }
        Abandon();
    }

    void SpriteBatch::Abandon() noexcept
    {
        if (s_open == this)
            s_open = nullptr;
        m_open = false;
        m_target = nullptr;
        m_count = 0;
    }

    SpriteBatch* SpriteBatch::GetOpen()
    {
        return s_open;
    }

    void SpriteBatch::Draw(const sf::Sprite& sprite)
    {
        if (!m_open)
            BOOST_THROW_EXCEPTION(LogicError("the sprite batch is not open"));
        const sf::Texture* texture = sprite.getTexture();
        // sf::Sprite draws nothing without a texture.
        if (!texture)
            return;
        if (!m_batching)
        {
            sf::Vertex corners[4];
            GetCorners(sprite, corners);
            Submit(corners, 4, sf::TriangleStrip, sf::RenderStates(texture));
            return;
        }
        if (texture != m_texture)
        {
            Flush();
            m_texture = texture;
        }
        // Sprites follow one another in one strip, joined by two repeated
        // vertices: the triangles between them have no area, and every sprite's
        // own two triangles keep the corners and turns of a strip of its own.
        const std::size_t needed = m_count + (m_count == 0 ? 4 : 6);
        if (m_vertices.size() < needed)
            m_vertices.resize(needed < 1024 ? 1024 : needed * 2);
        sf::Vertex* corners = &m_vertices[needed - 4];
        GetCorners(sprite, corners);
        if (m_count != 0)
        {
            m_vertices[m_count] = m_vertices[m_count - 1];
            m_vertices[m_count + 1] = corners[0];
        }
        m_count = needed;
    }

    void SpriteBatch::Draw(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                           const sf::RenderStates& states)
    {
        if (!m_open)
            BOOST_THROW_EXCEPTION(LogicError("the sprite batch is not open"));
        Flush();
        Submit(vertices, count, type, states);
    }

    void SpriteBatch::Flush()
    {
        if (m_count == 0)
            return;
        const std::size_t count = m_count;
        m_count = 0;
        Submit(m_vertices.data(), count, sf::TriangleStrip, sf::RenderStates(m_texture));
    }

    void SpriteBatch::SetBatching(bool batching)
    {
        Flush();
        m_batching = batching;
    }

    void SpriteBatch::SetObserver(const Observer& observer)
    {
        m_observer = observer;
    }

    void SpriteBatch::Submit(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                             const sf::RenderStates& states)
    {
        ++m_drawCalls;
        GetTarget().draw(vertices, count, type, states);
        if (m_observer)
            m_observer(vertices, count, type, states);
    }

    sf::RenderTarget& SpriteBatch::GetTarget()
    {
        if (!m_target)
            m_target = GetFromRegistry<sf::RenderWindow>().get();
        return *m_target;
    }

    void DrawSprite(const sf::Sprite& sprite)
    {
        if (SpriteBatch* batch = SpriteBatch::GetOpen())
            batch->Draw(sprite);
        else
            GetFromRegistry<sf::RenderWindow>()->draw(sprite);
    }

    void DrawVertices(sf::RenderTarget& target, const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                      const sf::RenderStates& states)
    {
        if (SpriteBatch* batch = SpriteBatch::GetOpen())
            batch->Draw(vertices, count, type, states);
        else
            target.draw(vertices, count, type, states);
    }

    void FlushSprites()
    {
        if (SpriteBatch* batch = SpriteBatch::GetOpen())
            batch->Flush();
    }
}
