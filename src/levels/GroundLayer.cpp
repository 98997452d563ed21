#include "levels/GroundLayer.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "presentation/GameObject.hpp"
#include "presentation/ScrollCache.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    std::vector<std::shared_ptr<Layer>> GroundLayer::Gather(std::vector<std::shared_ptr<Layer>> layers)
    {
        std::size_t still = 0;
        while (still < layers.size() && layers[still] && layers[still]->IsStill() &&
               layers[still]->GetScrollFactor() == layers.front()->GetScrollFactor())
            ++still;
        std::vector<std::shared_ptr<Layer>> gathered;
        gathered.push_back(std::make_shared<GroundLayer>(
            std::vector<std::shared_ptr<Layer>>(layers.begin(), layers.begin() + std::ptrdiff_t(still))));
        gathered.insert(gathered.end(), layers.begin() + std::ptrdiff_t(still), layers.end());
        return gathered;
    }

    GroundLayer::GroundLayer(std::vector<std::shared_ptr<Layer>> layers) : m_layers(std::move(layers)) {}
    GroundLayer::~GroundLayer() = default;

    void GroundLayer::OnUpdate()
    {
        for (const std::shared_ptr<Layer>& layer : m_layers)
            layer->OnUpdate();
    }

    void GroundLayer::Draw()
    {
        if (!m_cache)
        {
            const EdgeRect field = GetFlightArea();
            const float height = GetFromRegistry<ConfigurationSystem>()->GetScreenSize().y;
            m_cache.reset(new ScrollCache(field.left, unsigned(field.right - field.left), unsigned(height),
                                          [this](sf::RenderTarget& target, float offset, float top, float bottom) {
                                              for (const std::shared_ptr<Layer>& layer : m_layers)
                                                  layer->DrawStill(target, offset, top, bottom);
                                          }));
        }
        m_cache->Draw(*GetFromRegistry<sf::RenderWindow>(), m_layers.empty() ? 0.f : m_layers.front()->GetOffset());
    }

    void GroundLayer::Load(const pugi::xml_node&)
    {
        BOOST_THROW_EXCEPTION(LogicError("a ground layer is gathered from loaded layers"));
    }

    unsigned GroundLayer::GetEnemyCount() const
    {
        unsigned count = 0;
        for (const std::shared_ptr<Layer>& layer : m_layers)
            count += layer->GetEnemyCount();
        return count;
    }
}
