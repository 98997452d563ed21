#include "flight/Shield.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/Timer.hpp"
#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        const float discRadius = 50.f;
    }

    struct Shield::Data
    {
        unsigned long price;
        float invincibleTime;
        Timer recovery;
    };

    Shield::Shield(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
                   unsigned long price, float recoveryTime, float invincibleTime)
        : Sellable(icon, name, id, Categories::Shield),
          m_data(new Data{price, invincibleTime, Timer(recoveryTime)})
    {
        m_data->recovery.Expire();
    }

    Shield::Shield(const Shield& other) : Sellable(other), m_data(new Data(*other.m_data))
    {
        m_data->recovery.Expire();
    }

    Shield::~Shield() = default;

    bool Shield::IsReady() const
    {
        return m_data->recovery.IsElapsed();
    }

    void Shield::StartRecovery()
    {
        m_data->recovery.Restart();
    }

    float Shield::GetInvincibleTime() const
    {
        return m_data->invincibleTime;
    }

    float Shield::GetRecoveryTime() const
    {
        return m_data->recovery.GetDuration();
    }

    void Shield::Draw(const sf::Vector2f& centre) const
    {
        sf::CircleShape disc(discRadius);
        disc.setOrigin(discRadius, discRadius);
        disc.setPosition(centre);
        disc.setFillColor(sf::Color(0, 127, 127, 127));
        FlushSprites();
        GetFromRegistry<sf::RenderWindow>()->draw(disc);
    }

    stable_ptr<Sellable> Shield::Clone() const
    {
        return stable_ptr<Sellable>(new Shield(*this));
    }

    std::optional<std::string> Shield::GetDetails(unsigned index) const
    {
        if (index == 0)
            return (boost::format("Recovery Time: %1%") % GetRecoveryTime()).str();
        if (index == 1)
            return (boost::format("Invincibility Time: %1%") % m_data->invincibleTime).str();
        return std::nullopt;
    }

    std::size_t Shield::GetIncrementCount() const
    {
        return 1;
    }

    std::size_t Shield::GetActiveIncrement() const
    {
        return 0;
    }

    void Shield::SetActiveIncrement(std::size_t index)
    {
        if (index != 0)
            BOOST_THROW_EXCEPTION(NotSupportedError("no increments supported yet"));
        m_data->recovery.Expire();
    }

    std::vector<unsigned long> Shield::GetPrices() const
    {
        return std::vector<unsigned long>(1, m_data->price);
    }

    void Shield::Reset()
    {
        m_data->recovery.Expire();
    }
}
