#include "campaign/SavingManager.hpp"

#include "campaign/HangarScreen.hpp"
#include "campaign/Saving.hpp"
#include "campaign/SavingFile.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/TechnologyTree.hpp"
#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/Categories.hpp"
#include "flight/DefaultShip.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/HullFactory.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Shield.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/WorldMap.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/format.hpp>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>

namespace Kestrum
{
    namespace
    {
        typedef SavingFile::Ship ShipData;

        // An item identifier taken apart.
        struct ParsedItem
        {
            Categories::Equipment category;
            std::string number;
        };

        // Six characters: a category's code and three digits. Another length:
        // ParseError without message; an unknown code: the category's error;
        // other than digits after it: ParseError "number part of <text> is invalid".
        ParsedItem ParseItem(const std::string& text)
        {
            const std::size_t codeLength = 3;
            if (text.size() != 6)
                BOOST_THROW_EXCEPTION(ParseError());
            ParsedItem parsed;
            parsed.category = Categories::EquipmentFromShortString(text.substr(0, codeLength));
            parsed.number = text.substr(codeLength);
            if (!IsDigitsOnly(parsed.number))
                BOOST_THROW_EXCEPTION(ParseError("number part of " + text + " is invalid"));
            return parsed;
        }

        bool CanBeOwned(const std::string& id)
        {
            return GetFromRegistry<EquipmentFactory>()->CanBeOwned(id);
        }

        // The stored weapons and shield must fit the hull's slots: one weapon
        // entry per weapon slot, and a shield only on a hull of one shield slot.
        void CheckSlots(const ShipData& data, const Hull& hull)
        {
            const std::size_t weaponSlots = hull.GetSlots(Categories::Weapon).size();
            if (weaponSlots != data.WeaponTypes.size())
                BOOST_THROW_EXCEPTION(LogicError((boost::format("weapon slot mismatch (slots:%1% != weapons:%2%)") %
                                                  weaponSlots % data.WeaponTypes.size())
                                                     .str()));
            if (!data.ShieldType.empty() && hull.GetSlots(Categories::Shield).size() != 1)
                BOOST_THROW_EXCEPTION(LogicError("invalid number of shield slots"));
        }

        // Whether the loose item is made when the saving is put in play: a
        // weapon or a shield the player can own. The others (hulls, bombs,
        // engines, gadgets, what cannot be owned) stay in the file as they are.
        bool IsMadeInPlay(const std::string& id)
        {
            for (Categories::Equipment category : {Categories::Weapon, Categories::Shield})
                if (id.compare(0, 3, Categories::EquipmentToShortString(category)) == 0)
                    return CanBeOwned(id);
            return false;
        }

        // Now in whole seconds of local time, as save files keep their times:
        // std::runtime_error "could not convert calendar time to local time"
        // when the clock cannot be converted.
        boost::posix_time::ptime GetCurrentSecond()
        {
            return boost::posix_time::second_clock::local_time();
        }

        // How far ahead of the local clock a save's time may lie: its time is
        // local and carries no zone, and a save written where the clock reads
        // up to 26 hours later (the widest gap between two time zones) must
        // still load.
        const boost::posix_time::hours mostTimeAhead(savingMostHoursBetweenZones);

        // Refuses a save stamped further ahead of the local clock than that.
        void TestTime(const boost::posix_time::ptime& time)
        {
            if (GetCurrentSecond() + mostTimeAhead < time)
                BOOST_THROW_EXCEPTION(LogicError("saving has future time"));
        }

        // Refuses a list of the saving longer than a save file may hold, named
        // as the file names it ("Shop", "mission 4: Goodies").
        void TestBound(std::size_t size, const std::string& list)
        {
            if (size > savingCollectionMostItems)
                BOOST_THROW_EXCEPTION(NotSupportedError(list + " holds " + std::to_string(size) +
                                                        " entries, more than a save file may hold, " +
                                                        std::to_string(savingCollectionMostItems)));
        }

        // Whether the list of saving `id` has room for one more entry; when it
        // has not, a warning names the list and the item that is not added.
        bool HasRoom(std::size_t size, const std::string& list, unsigned long id, const std::string& item)
        {
            if (size < savingCollectionMostItems)
                return true;
            *Log(LogLevel::warning) << "the list " << list << " of saving " << std::to_string(id) << " holds "
                                    << std::to_string(size) << " entries, the most a save file may hold: " << item
                                    << " is not added";
            return false;
        }

        // The largest sum of money the inventory holds.
        constexpr unsigned long mostMoney = std::numeric_limits<sf::Uint32>::max();
        // The most difficult mission there is.
        constexpr unsigned long mostDifficulty = std::numeric_limits<std::int32_t>::max();

        class SavingImpl : public Saving
        {
        public:
            explicit SavingImpl(SavingFile file) : m_file(std::move(file)) {}

            unsigned long GetID() const { return m_file.ID; }

            long GetSeed() const override { return m_file.Seed; }

            stable_ptr<WorldMap> GetMap() const override
            {
                if (!m_file.Map)
                    BOOST_THROW_EXCEPTION(LogicError());
                return create_stable_ptr(m_file.Map);
            }

            stable_ptr<TechnologyTree> GetTechnologyTree() const override
            {
                if (!m_file.TheTechnologyTree)
                    BOOST_THROW_EXCEPTION(LogicError());
                return create_stable_ptr(m_file.TheTechnologyTree);
            }

            std::set<stable_ptr<MissionBlueprint>> GetMissions() const override { return m_file.Missions; }
            std::vector<std::string> GetShop() const override { return m_file.Shop; }

            bool AddToShop(const std::string& id) override
            {
                Categories::AssertEquipmentID(id);
                if (!CanBeOwned(id))
                {
                    *Log(LogLevel::error) << "the shop can not offer " << id << ": it is no item the player can own";
                    return false;
                }
                if (!HasRoom(m_file.Shop.size(), "Shop", GetID(), id))
                    return false;
                m_file.Shop.push_back(id);
                return true;
            }

            bool HasRoomForLooseItem(const std::string& id) const override
            {
                std::size_t count = m_file.TheInventory.size();
                if (IsInUse())
                    count = GetFromRegistry<Inventory>()->GetItems().size() +
                            static_cast<std::size_t>(std::count_if(m_file.TheInventory.begin(), m_file.TheInventory.end(),
                                                                   [](const std::string& kept) { return !IsMadeInPlay(kept); }));
                return HasRoom(count, "TheInventory", GetID(), id);
            }

            std::vector<std::string> GetInventoryItems() const override { return m_file.TheInventory; }
            unsigned long GetMoney() const override { return m_file.Money; }
            boost::posix_time::ptime GetTime() const override { return m_file.Time; }

            stable_ptr<Inventory> LoadInventory() const override;

            // The rules every saving keeps, for a file stamped `time`; the first
            // one broken throws.
            void Test(const boost::posix_time::ptime& time) const;
            // Test for a saving just read: a refused one lets go of its nodes,
            // which may hold each other.
            void TestRead();
            // Copies ships, selection, loose items and money back from the
            // registered inventory, once the saving is in use.
            void Update();
            // The text of its save file, stamped `time`.
            std::string Write(const boost::posix_time::ptime& time) const { return m_file.Write(time); }

        private:
            void TestBounds() const;
            void TestMissions() const;
            void TestShips() const;
            void TestTree() const;

            std::vector<std::shared_ptr<PlayerShip>> CreateDefaultShip() const;
            stable_ptr<PlayerShip> DataToShip(const ShipData& data) const;
            ShipData ShipToData(const stable_ptr<PlayerShip>& ship) const;

            SavingFile m_file;
        };

        void SavingImpl::Test(const boost::posix_time::ptime& time) const
        {
            if (m_file.Seed < 0)
                BOOST_THROW_EXCEPTION(NotSupportedError("seed must not be negative"));
            if (!m_file.Map)
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have a map"));
            if (!m_file.TheTechnologyTree)
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have a technology tree"));
            // The inventory holds the money in 32 bits: more would be cut off unseen.
            if (m_file.Money > mostMoney)
                BOOST_THROW_EXCEPTION(NotSupportedError("money " + std::to_string(m_file.Money) + " is out of range"));
            if (m_file.Missions.empty())
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have at least one mission"));
            TestBounds();
            TestMissions();
            TestTime(time);
            TestShips();
            TestTree();
        }

        // Every list within what the file may hold, so that no saving is
        // written that could not be read again.
        void SavingImpl::TestBounds() const
        {
            TestBound(m_file.Missions.size(), "Missions");
            for (const stable_ptr<MissionBlueprint>& mission : m_file.Missions)
            {
                const std::string name = "mission " + std::to_string(mission->m_id) + ": ";
                TestBound(mission->Successors.size(), name + "Successors");
                TestBound(mission->KeyEquipment.size(), name + "KeyEquipment");
                TestBound(mission->Goodies.size(), name + "Goodies");
            }
            TestBound(m_file.Shop.size(), "Shop");
            TestBound(m_file.TheInventory.size(), "TheInventory");
            const std::set<stable_ptr<TechnologyTree::Node>> nodes = m_file.GetNodes();
            TestBound(nodes.size(), "TheTechnologyTree");
            for (const stable_ptr<TechnologyTree::Node>& node : nodes)
                TestBound(node->Predecessors.size(), "technology node " + node->Type + ": Predecessors");
        }

        void SavingImpl::TestMissions() const
        {
            std::set<unsigned long> numbers;
            for (const stable_ptr<MissionBlueprint>& mission : m_file.Missions)
                if (!numbers.insert(mission->m_id).second)
                    BOOST_THROW_EXCEPTION(
                        NotSupportedError("two missions have the number " + std::to_string(mission->m_id)));
            for (const stable_ptr<MissionBlueprint>& mission : m_file.Missions)
            {
                const std::string name = "mission " + std::to_string(mission->m_id);
                for (unsigned long successor : mission->Successors)
                    if (!numbers.count(successor))
                        BOOST_THROW_EXCEPTION(NotSupportedError(name + " opens mission " + std::to_string(successor) +
                                                                ", which the saving does not have"));
                try
                {
                    MissionFactory::CheckBlueprint(*mission);
                }
                catch (Exception& error)
                {
                    BOOST_THROW_EXCEPTION(NotSupportedError(name + ": " + error.what()));
                }
                if (mission->m_difficulty > mostDifficulty)
                    BOOST_THROW_EXCEPTION(NotSupportedError(name + ": difficulty " +
                                                            std::to_string(mission->m_difficulty) + " is above " +
                                                            std::to_string(mostDifficulty)));
                if (mission->m_payment > mostMoney)
                    BOOST_THROW_EXCEPTION(NotSupportedError(name + ": payment " + std::to_string(mission->m_payment) +
                                                            " is above the most money there is, " +
                                                            std::to_string(mostMoney)));
            }
        }

        void SavingImpl::TestShips() const
        {
            if (m_file.Ships.empty())
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have at least one ship"));
            if (m_file.Ships.size() > HangarScreen::maximumShips)
                BOOST_THROW_EXCEPTION(NotSupportedError(
                    "saving has " + std::to_string(m_file.Ships.size()) + " ships, more than the hangar holds, " +
                    std::to_string(HangarScreen::maximumShips)));
            if (!m_file.SelectedShip)
                BOOST_THROW_EXCEPTION(LogicError("no selection index available"));
            if (*m_file.SelectedShip >= m_file.Ships.size())
                BOOST_THROW_EXCEPTION(LogicError("selection index is invalid"));
            for (std::size_t i = 0; i < m_file.Ships.size(); ++i)
            {
                const ShipData& ship = m_file.Ships[i];
                std::vector<std::pair<const std::string*, Categories::Equipment>> fitted;
                fitted.emplace_back(&ship.HullType, Categories::Hull);
                if (!ship.ShieldType.empty())
                    fitted.emplace_back(&ship.ShieldType, Categories::Shield);
                for (const std::string& weapon : ship.WeaponTypes)
                    if (!weapon.empty())
                        fitted.emplace_back(&weapon, Categories::Weapon);
                for (const auto& [id, category] : fitted)
                    Categories::AssertEquipmentID(*id, category);
                for (const auto& [id, category] : fitted)
                    if (!CanBeOwned(*id))
                        BOOST_THROW_EXCEPTION(NotSupportedError("ship " + std::to_string(i) + ": " + *id +
                                                                " is no item the player can own"));
                // A ship that cannot be built would end the game when the saving is picked.
                try
                {
                    CheckSlots(ship, *GetFromRegistry<HullFactory>()->Create(ship.HullType));
                }
                catch (const LogicError& error)
                {
                    BOOST_THROW_EXCEPTION(NotSupportedError("ship " + std::to_string(i) + ": " + error.what()));
                }
            }
        }

        void SavingImpl::TestTree() const
        {
            typedef TechnologyTree::Node Node;
            const std::set<stable_ptr<Node>> nodes = m_file.GetNodes();
            // The nodes by their types, which name them.
            std::map<std::string, const Node*> byType;
            for (const stable_ptr<Node>& node : nodes)
                if (!byType.emplace(node->Type, node.get()).second)
                    BOOST_THROW_EXCEPTION(NotSupportedError("two technology nodes have the type " + node->Type));
            for (const auto& [type, node] : byType)
            {
                const std::string name = "technology node " + type;
                if (node->Cost && *node->Cost > mostMoney)
                    BOOST_THROW_EXCEPTION(NotSupportedError(name + ": cost " + std::to_string(*node->Cost) +
                                                            " is above the most money there is, " +
                                                            std::to_string(mostMoney)));
                for (const stable_ptr<Node>& predecessor : node->Predecessors)
                {
                    if (predecessor.get() == node)
                        BOOST_THROW_EXCEPTION(NotSupportedError(name + " is its own predecessor"));
                    if (!nodes.count(predecessor))
                        BOOST_THROW_EXCEPTION(NotSupportedError(name + " needs " + predecessor->Type +
                                                                ", which is no node of the tree"));
                }
            }
            // A circle of predecessors, followed from each node in turn: the
            // path holds the nodes being followed, each with its next predecessor.
            std::set<const Node*> onPath, done;
            for (const auto& [type, start] : byType)
            {
                std::vector<std::pair<const Node*, std::set<stable_ptr<Node>>::const_iterator>> path;
                if (!done.count(start))
                {
                    onPath.insert(start);
                    path.emplace_back(start, start->Predecessors.begin());
                }
                while (!path.empty())
                {
                    const Node* const node = path.back().first;
                    if (path.back().second == node->Predecessors.end())
                    {
                        onPath.erase(node);
                        done.insert(node);
                        path.pop_back();
                        continue;
                    }
                    const Node* const predecessor = (path.back().second++)->get();
                    if (onPath.count(predecessor))
                    {
                        std::string circle = predecessor->Type;
                        auto step = std::find_if(path.begin(), path.end(),
                                                 [&](const auto& each) { return each.first == predecessor; });
                        for (++step; step != path.end(); ++step)
                            circle += " -> " + step->first->Type;
                        BOOST_THROW_EXCEPTION(NotSupportedError("technology node " + predecessor->Type +
                                                                " needs itself through its predecessors: " + circle +
                                                                " -> " + predecessor->Type));
                    }
                    if (!done.count(predecessor))
                    {
                        onPath.insert(predecessor);
                        path.emplace_back(predecessor, predecessor->Predecessors.begin());
                    }
                }
            }
        }

        void SavingImpl::TestRead()
        {
            try
            {
                Test(m_file.Time);
            }
            catch (...)
            {
                m_file.UnlinkNodes();
                throw;
            }
        }

        stable_ptr<Inventory> SavingImpl::LoadInventory() const
        {
            std::vector<std::shared_ptr<PlayerShip>> ships;
            if (m_file.Ships.empty())
                ships = CreateDefaultShip();
            else
                for (const ShipData& data : m_file.Ships)
                    ships.push_back(DataToShip(data).get_shared());
            if (!m_file.SelectedShip)
                BOOST_THROW_EXCEPTION(LogicError("index of selected ship is not available"));
            if (*m_file.SelectedShip >= ships.size())
                BOOST_THROW_EXCEPTION(LogicError("index of selected ship is invalid"));
            const stable_ptr<Inventory> inventory =
                Inventory::Create(ships, create_stable_ptr(ships[*m_file.SelectedShip]));
            inventory->money = static_cast<sf::Uint32>(GetMoney());
            for (const std::string& id : GetInventoryItems())
            {
                const ParsedItem item = ParseItem(id);
                if (item.category != Categories::Weapon && item.category != Categories::Shield)
                    continue;
                if (!CanBeOwned(id))
                    *Log(LogLevel::error) << "saving " << std::to_string(GetID()) << ": the loose item " << id
                                          << " is no item the player can own, it stays in the save file";
                else if (item.category == Categories::Weapon)
                    inventory->AddItem(GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(item.number));
                else
                    inventory->AddItem(GetFromRegistry<ShieldFactory>()->Create(item.number));
            }
            return inventory;
        }

        void SavingImpl::Update()
        {
            if (!IsInUse())
                return;
            const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
            m_file.Money = inventory->money;
            m_file.Ships.clear();
            m_file.SelectedShip.reset();
            const std::vector<std::shared_ptr<PlayerShip>> ships = inventory->GetShips();
            const std::shared_ptr<PlayerShip> selected = ships.empty() ? nullptr : inventory->GetShip().get_shared();
            for (unsigned int i = 0; i < ships.size(); ++i)
            {
                if (!ships[i])
                    BOOST_THROW_EXCEPTION(LogicError("empty ship pointer"));
                m_file.Ships.push_back(ShipToData(create_stable_ptr(ships[i])));
                if (ships[i] == selected)
                {
                    if (m_file.SelectedShip)
                        BOOST_THROW_EXCEPTION(LogicError("there can only be one ship selected"));
                    m_file.SelectedShip = i;
                }
            }
            if (!m_file.SelectedShip)
                BOOST_THROW_EXCEPTION(LogicError("there must be one ship selected"));
            // The items in play, then the loose items that are not made in play.
            std::vector<std::string> items;
            for (const stable_ptr<Sellable>& item : inventory->GetItems())
                items.push_back(item->GetID());
            std::copy_if(m_file.TheInventory.begin(), m_file.TheInventory.end(), std::back_inserter(items),
                         [](const std::string& id) { return !IsMadeInPlay(id); });
            m_file.TheInventory = std::move(items);
        }

        std::vector<std::shared_ptr<PlayerShip>> SavingImpl::CreateDefaultShip() const
        {
            return {Kestrum::CreateDefaultShip().get_shared()};
        }

        stable_ptr<PlayerShip> SavingImpl::DataToShip(const ShipData& data) const
        {
            const stable_ptr<Hull> hull = GetFromRegistry<HullFactory>()->Create(data.HullType);
            const stable_ptr<PlayerShip> ship(new PlayerShip(hull.get_shared()));
            ship->Initialize();
            CheckSlots(data, *hull);
            const Hull::Slots weaponSlots = hull->GetSlots(Categories::Weapon);
            for (std::size_t i = 0; i < weaponSlots.size(); ++i)
                if (!data.WeaponTypes[i].empty())
                    weaponSlots[i]->SetEquipment(
                        GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(data.WeaponTypes[i]).get_shared());
            const Hull::Slots shieldSlots = hull->GetSlots(Categories::Shield);
            if (!data.ShieldType.empty())
            {
                shieldSlots.front()->SetEquipment(GetFromRegistry<ShieldFactory>()->Create(data.ShieldType).get_shared());
            }
            else
            {
                // The ship came with the default shield, which the saved ship
                // did not carry.
                for (const std::shared_ptr<EquipmentSlot>& slot : shieldSlots)
                    slot->SetEquipment(nullptr);
            }
            return ship;
        }

        ShipData SavingImpl::ShipToData(const stable_ptr<PlayerShip>& ship) const
        {
            ShipData data;
            data.HullType = ship->GetHull()->GetID();
            for (const std::shared_ptr<EquipmentSlot>& slot : ship->GetHull()->GetSlots(Categories::Weapon))
            {
                const std::shared_ptr<Sellable> weapon = slot->GetEquipment();
                data.WeaponTypes.push_back(weapon ? weapon->GetID() : std::string());
            }
            const std::shared_ptr<Shield> shield = ship->GetShield();
            data.ShieldType = shield ? shield->GetID() : std::string();
            return data;
        }


        std::filesystem::path GetSavingPath(unsigned long id)
        {
            return GetGameRoot() / "savings" / std::to_string(id);
        }

        // The number a file name stands for: decimal digits exactly as the
        // number is written, no sign, no leading zero, no more.
        std::optional<unsigned long> ToSavingID(const std::string& name)
        {
            unsigned long id = 0;
            const char* const end = name.data() + name.size();
            const auto parsed = std::from_chars(name.data(), end, id);
            if (parsed.ec != std::errc() || parsed.ptr != end || std::to_string(id) != name)
                return std::nullopt;
            return id;
        }

        // The whole text of the saving's file, which must be a regular file
        // (else LoadError path + " is not a regular file" with SavingIdInfo)
        // of at most savingFileMostBytes, read no further than that.
        std::string ReadSavingText(unsigned long id)
        {
            const std::filesystem::path path = GetSavingPath(id);
            std::error_code error;
            if (!std::filesystem::is_regular_file(path, error))
                BOOST_THROW_EXCEPTION(LoadError(path.string() + " is not a regular file") << SavingIdInfo(id));
            const stable_ptr<std::istream> stream = [&] {
                try
                {
                    return OpenFile(path.string());
                }
                catch (Exception& failure)
                {
                    failure << SavingIdInfo(id);
                    throw;
                }
            }();
            std::string text;
            char buffer[64 * 1024];
            while (stream->read(buffer, sizeof buffer), stream->gcount() > 0)
            {
                if (text.size() + std::size_t(stream->gcount()) > savingFileMostBytes)
                    BOOST_THROW_EXCEPTION(LoadError("the file is larger than " + std::to_string(savingFileMostBytes) +
                                                    " bytes, the most a save file may hold"));
                text.append(buffer, std::size_t(stream->gcount()));
            }
            return text;
        }
    }

    SavingManager::SavingManager() = default;
    SavingManager::~SavingManager() = default;

    std::vector<unsigned long> SavingManager::GetSavingIDs() const
    {
        std::vector<unsigned long> ids;
        const std::filesystem::path folder = GetGameRoot() / "savings";
        std::error_code error;
        if (std::filesystem::status(folder, error).type() == std::filesystem::file_type::not_found)
            return ids;
        std::filesystem::directory_iterator entry(folder, error);
        for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error))
        {
            const std::optional<unsigned long> id = ToSavingID(entry->path().filename().string());
            std::error_code type;
            const bool regular = entry->is_regular_file(type);
            if (type)
                *Log(LogLevel::warning) << "skipping " << entry->path().string() << ": " << type.message();
            else if (id && regular)
                ids.push_back(*id);
            else
                *Log(LogLevel::warning) << "skipping " << entry->path().string() << ": not a saving";
        }
        if (error)
            *Log(LogLevel::warning) << "the savings of " << folder.string()
                                    << " can not be listed: " << error.message();
        return ids;
    }

    boost::posix_time::ptime SavingManager::GetSavingTime(unsigned long id) const
    {
        return ReadDataFile("savings|" + std::to_string(id), [id] {
            const boost::posix_time::ptime time = CheckSavingFile(ReadSavingText(id), id);
            TestTime(time);
            return time;
        });
    }

    stable_ptr<Saving> SavingManager::Load(unsigned long id) const
    {
        return ReadDataFile("savings|" + std::to_string(id), [id]() -> stable_ptr<Saving> {
            const std::string text = ReadSavingText(id);
            CheckSavingFile(text, id);
            const stable_ptr<SavingImpl> saving(new SavingImpl(SavingFile::Read(text)));
            saving->TestRead();
            return saving;
        });
    }

    void SavingManager::Save(const stable_ptr<Saving>& saving) const
    {
        const stable_ptr<SavingImpl> impl = dynamic_stable_ptr_cast<SavingImpl>(saving);
        // Every failure names the file, as a failure to read it would.
        ReadDataFile("savings|" + std::to_string(impl->GetID()), [&impl] {
            impl->Update();
            const boost::posix_time::ptime now = GetCurrentSecond();
            impl->Test(now);
            const std::string text = impl->Write(now);
            // What is written must load again: the text passes the reader's
            // check before it replaces the file.
            CheckSavingFile(text, impl->GetID());
            const std::filesystem::path path = GetSavingPath(impl->GetID());
            std::filesystem::create_directories(path.parent_path());
            // Named from the game root, as every other failure of a save names
            // the file: "could not write savings/3: No space left on device".
            WriteFileAtomically(path.lexically_relative(GetGameRoot()), text);
        });
    }

    void SavingManager::Remove(const stable_ptr<Saving>& saving) const
    {
        std::filesystem::remove(GetSavingPath(dynamic_stable_ptr_cast<SavingImpl>(saving)->GetID()));
    }
}
