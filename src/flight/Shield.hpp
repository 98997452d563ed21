// The shield keeps the player's ship alive: while it is up, a hit only takes it
// down, and the ship is invincible for a short while; it comes back after its
// recovery time. A raised shield shows as a translucent disc around the ship.
#pragma once

#include "flight/Sellable.hpp"

#include <SFML/System/Vector2.hpp>
#include <memory>

namespace Kestrum
{
    class Shield : public Sellable
    {
    public:
        // A shield that is up. Times in seconds.
        Shield(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
               unsigned long price, float recoveryTime, float invincibleTime);
        ~Shield() override;

        // Up: the recovery time has run out since the last absorbed hit (the
        // recovery runs on the wall clock, also while the game is paused).
        bool IsReady() const;
        // The shield absorbed a hit: down for the recovery time.
        void StartRecovery();
        float GetInvincibleTime() const;
        float GetRecoveryTime() const;
        // A disc of radius 50 around the centre, half-transparent cyan.
        void Draw(const sf::Vector2f& centre) const;

        // A copy that is up.
        stable_ptr<Sellable> Clone() const override;
        // 0: "Recovery Time: ...", 1: "Invincibility Time: ...".
        std::optional<std::string> GetDetails(unsigned index) const override;
        std::size_t GetIncrementCount() const override;
        std::size_t GetActiveIncrement() const override;
        // Only 0, which raises the shield; any other index: NotSupportedError
        // "no increments supported yet".
        void SetActiveIncrement(std::size_t index) override;
        std::vector<unsigned long> GetPrices() const override;
        // Up at once.
        void Reset() override;

    private:
        Shield(const Shield& other);

        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
