#include "levels/Layer.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/Scaling.hpp"
#include "flight/ScrollSystem.hpp"

namespace Kestrum
{
    Layer::Layer() : m_scrollFactor(1.f) {}
    Layer::~Layer() = default;

    void Layer::Load(const pugi::xml_node& element)
    {
        m_scrollFactor = GetAttributeValue<float>(element, "scroll_factor");
    }

    unsigned Layer::GetEnemyCount() const
    {
        return 0;
    }

    bool Layer::IsStill() const
    {
        return false;
    }

    void Layer::DrawStill(sf::RenderTarget&, float, float, float)
    {
        BOOST_THROW_EXCEPTION(LogicError("a layer that moves on its own cannot be drawn still"));
    }

    float Layer::GetOffset() const
    {
        return ScaleByWindowHeight(GetFromRegistry<ScrollSystem>()->GetPosition() * m_scrollFactor);
    }
}
