// Sprites drawn one after another from the same texture reach the window
// together, as one vertex array: the picture is the one drawing each sprite in
// turn gives, in few draw calls. A software renderer pays for every change of
// texture, so a flight whose sprites share few textures draws fast.
//
// The game object manager opens its batch for the objects' pass; while a batch
// is open, sprites drawn with DrawSprite queue in it, and the queue goes to the
// window when the next sprite has another texture, when something else is
// drawn (DrawVertices, or FlushSprites before a shape or a text) and when the
// pass ends. Outside the pass DrawSprite draws straight into the window.
//
//     DrawSprite(sprite);                     // an animation's frame
//     FlushSprites();                         // before drawing past the batch:
//     window.draw(circle);                    //   a shape lands over the sprites before it
//     DrawVertices(window, quads, n, sf::Quads, states);  // particles: flushed, then drawn
#pragma once

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstddef>
#include <functional>
#include <vector>

namespace sf
{
    class RenderTarget;
    class Sprite;
}

namespace Kestrum
{
    class SpriteBatch
    {
    public:
        // Sees every draw call the batch makes, with what it draws (a measuring
        // tool takes the frame's sprites from it).
        typedef std::function<void(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                                   const sf::RenderStates& states)>
            Observer;

        SpriteBatch();
        ~SpriteBatch();
        SpriteBatch(const SpriteBatch&) = delete;
        SpriteBatch& operator=(const SpriteBatch&) = delete;

        // Makes this the open batch, drawing into the target, or into the
        // registered render window (fetched when first needed) without one.
        // Another batch open already: LogicError "a sprite batch is open already".
        void Open(sf::RenderTarget* target = nullptr);
        // Draws what is queued and closes the batch.
        void Close();
        // Closes without drawing what is queued (a pass that ended in an error).
        void Abandon() noexcept;
        // The open batch, or none.
        static SpriteBatch* GetOpen();

        // Queues the sprite; a sprite of another texture first draws the queue.
        // With batching off every sprite is drawn at once.
        void Draw(const sf::Sprite& sprite);
        // Draws the queue, then the vertices as they are.
        void Draw(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                  const sf::RenderStates& states);
        // Draws the queue.
        void Flush();

        // On by default.
        void SetBatching(bool batching);
        void SetObserver(const Observer& observer);

        // Draw calls made since the batch was opened.
        std::size_t GetDrawCalls() const { return m_drawCalls; }

    private:
        void Submit(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                    const sf::RenderStates& states);
        sf::RenderTarget& GetTarget();

        bool m_open;
        sf::RenderTarget* m_target;
        const sf::Texture* m_texture;
        std::vector<sf::Vertex> m_vertices;  // kept between frames, never shrunk
        std::size_t m_count;
        bool m_batching;
        Observer m_observer;
        std::size_t m_drawCalls;
    };

    // Into the open batch, or straight into the registered render window.
    void DrawSprite(const sf::Sprite& sprite);
    // Through the open batch (drawing its queue first), or straight into the target.
    void DrawVertices(sf::RenderTarget& target, const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                      const sf::RenderStates& states);
    // Draws the open batch's queue, if a batch is open: call it before drawing
    // anything else straight into the window during the objects' pass.
    void FlushSprites();
}
