// The spawn of an enemy, the level file's element
//
//     <enemy x="12" y="40" type="airship002">
//         <upgrades><upgrade>wpn001</upgrade></upgrades>
//         <speed>0.025</speed>      optional, window heights per second
//         <kill_to_win/>            optional: the mission is won only when it is gone
//     </enemy>
//
// The enemy is made by the EnemyFactory two rows before its row scrolls into
// view and carries the listed equipment as pick-ups, which it drops where it
// ends. No enemy kind takes a speed, so "speed" is kept and written back only.
#pragma once

#include "flight/Spawn.hpp"

#include <optional>

namespace Kestrum
{
    class EnemySpawn : public Spawn
    {
    public:
        EnemySpawn();
        EnemySpawn(unsigned x, unsigned y, const std::string& type, const std::vector<std::string>& upgradeIDs);
        ~EnemySpawn() override;

        // The element must be "enemy". A "kill_to_win" child, whatever it holds,
        // adds a kill condition to the registered MissionProgress.
        void Load(const pugi::xml_node& element) override;
        pugi::xml_node Save(pugi::xml_node parent) const override;
        stable_ptr<GameObject> CreateObject() override;
        unsigned GetLeadRows() const override { return 2; }
        std::string GetElementName() const override { return "enemy"; }
        unsigned GetKind() const override { return 2; }
        // The object must be an Enemy: UnknownTypeError "could not set upgrades,
        // unexpected class type". Each ID becomes a pick-up it carries.
        void Reset(GameObject& object, const sf::Vector2f& position,
                   const std::vector<std::string>& upgradeIDs) const override;

        const std::optional<float>& GetSpeed() const { return m_speed; }
        bool IsKillToWin() const { return m_killToWin; }
        // For spawns made by the level generator. The flag set here adds no
        // kill condition: only loading a level does.
        void SetSpeed(float speed) { m_speed = speed; }
        void SetKillToWin(bool killToWin) { m_killToWin = killToWin; }

    private:
        std::optional<float> m_speed;
        bool m_killToWin;
    };
}
