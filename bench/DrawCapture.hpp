// What a drawing pass sent to its target, taken down by texture and blend mode
// as triangles (hand it every draw call, e.g. as a SpriteBatch's observer), and
// drawn again as one vertex array per texture and blend mode: the fewest draw
// calls that paint the same sprites, the floor of a pass's cost. Where sprites
// of different groups overlap the order changes, which a measurement allows.
#pragma once

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstddef>
#include <functional>
#include <vector>

namespace sf
{
    class RenderTarget;
    class Texture;
}

namespace Kestrum
{
    class SpriteBatch;
}

class DrawCapture
{
public:
    // Forgets what was taken, keeping the memory.
    void Clear();
    // Takes one draw call: quads, triangle strips (joined sprites: the triangles
    // without area are left out) and triangles; other primitives are ignored.
    void Take(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type, const sf::RenderStates& states);
    // Forgets what was taken and takes every draw call of the batch while the
    // drawing runs.
    void TakeAnew(Kestrum::SpriteBatch& batch, const std::function<void()>& drawing);
    void Draw(sf::RenderTarget& target) const;
    // The vertex arrays Draw draws.
    std::size_t GetArrays() const;

private:
    struct Group
    {
        const sf::Texture* texture;
        sf::BlendMode blendMode;
        std::vector<sf::Vertex> vertices;
    };

    Group& Find(const sf::RenderStates& states);

    std::vector<Group> m_groups;
};
