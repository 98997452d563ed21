#include "DrawCapture.hpp"

#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

void DrawCapture::Clear()
{
    for (Group& group : m_groups)
        group.vertices.clear();
}

void DrawCapture::Take(const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                       const sf::RenderStates& states)
{
    std::vector<sf::Vertex>& out = Find(states).vertices;
    const auto put = [&](std::size_t i) {
        sf::Vertex vertex = vertices[i];
        vertex.position = states.transform.transformPoint(vertex.position);
        out.push_back(vertex);
    };
    if (type == sf::Quads)
    {
        for (std::size_t q = 0; q + 3 < count; q += 4)
            for (std::size_t i : {q, q + 1, q + 2, q, q + 2, q + 3})
                put(i);
    }
    else if (type == sf::TriangleStrip)
    {
        for (std::size_t i = 0; i + 2 < count; ++i)
        {
            const sf::Vector2f a = vertices[i].position, b = vertices[i + 1].position, c = vertices[i + 2].position;
            if ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) == 0.f)
                continue;
            put(i % 2 == 0 ? i : i + 1);
            put(i % 2 == 0 ? i + 1 : i);
            put(i + 2);
        }
    }
    else if (type == sf::Triangles)
    {
        for (std::size_t i = 0; i < count; ++i)
            put(i);
    }
}

void DrawCapture::TakeAnew(Kestrum::SpriteBatch& batch, const std::function<void()>& drawing)
{
    Clear();
    batch.SetObserver([this](const sf::Vertex* vertices, std::size_t count, sf::PrimitiveType type,
                             const sf::RenderStates& states) { Take(vertices, count, type, states); });
    try
    {
        drawing();
    }
    catch (...)
    {
        batch.SetObserver(nullptr);
        throw;
    }
    batch.SetObserver(nullptr);
}

void DrawCapture::Draw(sf::RenderTarget& target) const
{
    for (const Group& group : m_groups)
        if (!group.vertices.empty())
            target.draw(group.vertices.data(), group.vertices.size(), sf::Triangles,
                        sf::RenderStates(group.blendMode, sf::Transform(), group.texture, nullptr));
}

std::size_t DrawCapture::GetArrays() const
{
    return std::size_t(
        std::count_if(m_groups.begin(), m_groups.end(), [](const Group& group) { return !group.vertices.empty(); }));
}

DrawCapture::Group& DrawCapture::Find(const sf::RenderStates& states)
{
    for (Group& group : m_groups)
        if (group.texture == states.texture && group.blendMode == states.blendMode)
            return group;
    m_groups.push_back(Group{states.texture, states.blendMode, {}});
    return m_groups.back();
}
