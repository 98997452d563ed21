#include "campaign/SavingManager.hpp"

#include "campaign/Saving.hpp"
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
#include "levels/WorldMap.hpp"

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/format.hpp>
#include <boost/optional/optional.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/shared_ptr.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/split_member.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/vector.hpp>
// The set's serialization needs this first.
#include <boost/serialization/library_version_type.hpp>
#include <boost/serialization/set.hpp>

#include <charconv>
#include <filesystem>
#include <limits>
#include <locale>
#include <optional>
#include <sstream>

namespace Kestrum
{
    namespace
    {
        // One ship as the save file holds it: its hull, its shield (empty for
        // none) and one weapon per weapon slot of the hull in slot order (empty
        // for an empty slot), all as item identifiers.
        struct ShipData
        {
            std::string HullType;
            std::string ShieldType;
            std::vector<std::string> WeaponTypes;

            template <typename Archive>
            void serialize(Archive& archive, unsigned)
            {
                archive& boost::serialization::make_nvp("HullType", HullType);
                archive& boost::serialization::make_nvp("ShieldType", ShieldType);
                archive& boost::serialization::make_nvp("WeaponTypes", WeaponTypes);
            }
        };

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

        // Loose items whose category has no loose items in play (hulls, bombs,
        // engines, gadgets): a saving keeps them as they are and writes them back.
        bool IsKeptAside(const std::string& id)
        {
            if (id.size() != 6 || !IsDigitsOnly(id.substr(3)))
                return false;
            for (Categories::Equipment category :
                 {Categories::Bomb, Categories::Engine, Categories::Hull, Categories::Gadget})
                if (id.compare(0, 3, Categories::EquipmentToShortString(category)) == 0)
                    return true;
            return false;
        }

        // Now in whole seconds, in UTC, so that a saving's time does not move
        // with the time zone or daylight saving.
        boost::posix_time::ptime GetCurrentSecond()
        {
            return boost::posix_time::second_clock::universal_time();
        }

        class SavingImpl : public Saving
        {
        public:
            SavingImpl()
                : m_id(0), m_finalMission(0), m_money(0), m_time(GetCurrentSecond()), m_seed(0)
            {
            }

            unsigned long GetID() const { return m_id; }

            long GetSeed() const override { return m_seed; }

            stable_ptr<WorldMap> GetMap() const override
            {
                if (!m_map)
                    BOOST_THROW_EXCEPTION(LogicError());
                return create_stable_ptr(m_map);
            }

            stable_ptr<TechnologyTree> GetTechnologyTree() const override
            {
                if (!m_tree)
                    BOOST_THROW_EXCEPTION(LogicError());
                return create_stable_ptr(m_tree);
            }

            std::set<stable_ptr<MissionBlueprint>> GetMissions() const override { return m_missions; }
            std::vector<std::string> GetShop() const override { return m_shop; }

            void AddToShop(const std::string& id) override
            {
                Categories::AssertEquipmentID(id);
                // The shop offers only what can be made.
                if (!CanBeMade(Categories::EquipmentFromShortString(id.substr(0, 3))))
                {
                    *Log(LogLevel::error) << "the shop can not offer " << id << ": no such item can be made";
                    return;
                }
                m_shop.push_back(id);
            }

            std::vector<std::string> GetInventoryItems() const override { return m_inventory; }
            unsigned long GetMoney() const override { return m_money; }
            boost::posix_time::ptime GetTime() const override { return m_time; }

            stable_ptr<Inventory> LoadInventory() const override;

            // The rules every saving keeps; the first one broken throws.
            void Test() const;
            // Copies ships, selection, loose items and money back from the
            // registered inventory, once the saving is in use.
            void Update();

        private:
            friend class boost::serialization::access;

            std::vector<std::shared_ptr<PlayerShip>> CreateDefaultShip() const;
            stable_ptr<PlayerShip> DataToShip(const ShipData& data) const;
            ShipData ShipToData(const stable_ptr<PlayerShip>& ship) const;

            template <typename Archive>
            void save(Archive& archive, unsigned) const;
            template <typename Archive>
            void load(Archive& archive, unsigned);
            BOOST_SERIALIZATION_SPLIT_MEMBER()

            unsigned long m_id;
            unsigned long m_finalMission;
            unsigned long m_money;
            boost::posix_time::ptime m_time;
            long m_seed;
            std::shared_ptr<WorldMap> m_map;
            std::shared_ptr<TechnologyTree> m_tree;
            std::set<stable_ptr<MissionBlueprint>> m_missions;
            std::vector<std::string> m_shop;
            std::vector<ShipData> m_ships;
            boost::optional<unsigned int> m_selectedShip;
            std::vector<std::string> m_inventory;
            // The loose items of the file that the inventory cannot hold.
            std::vector<std::string> m_keptAside;
        };

        void SavingImpl::Test() const
        {
            if (m_seed < 0)
                BOOST_THROW_EXCEPTION(NotSupportedError("seed must not be negative"));
            if (!m_map)
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have a map"));
            // The inventory holds the money in 32 bits: more would be cut off unseen.
            if (m_money > std::numeric_limits<sf::Uint32>::max())
                BOOST_THROW_EXCEPTION(NotSupportedError("money " + std::to_string(m_money) + " is out of range"));
            if (m_missions.empty())
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have at least one mission"));
            if (GetCurrentSecond() < m_time)
                BOOST_THROW_EXCEPTION(LogicError("saving has future time"));
            if (m_ships.empty())
                BOOST_THROW_EXCEPTION(NotSupportedError("saving must have at least one ship"));
            if (!m_selectedShip)
                BOOST_THROW_EXCEPTION(LogicError("no selection index available"));
            if (*m_selectedShip >= m_ships.size())
                BOOST_THROW_EXCEPTION(LogicError("selection index is invalid"));
            for (const ShipData& ship : m_ships)
            {
                Categories::AssertEquipmentID(ship.HullType, Categories::Hull);
                if (!ship.ShieldType.empty())
                    Categories::AssertEquipmentID(ship.ShieldType, Categories::Shield);
                for (const std::string& weapon : ship.WeaponTypes)
                    if (!weapon.empty())
                        Categories::AssertEquipmentID(weapon, Categories::Weapon);
            }
        }

        stable_ptr<Inventory> SavingImpl::LoadInventory() const
        {
            std::vector<std::shared_ptr<PlayerShip>> ships;
            if (m_ships.empty())
                ships = CreateDefaultShip();
            else
                for (const ShipData& data : m_ships)
                    ships.push_back(DataToShip(data).get_shared());
            if (!m_selectedShip)
                BOOST_THROW_EXCEPTION(LogicError("index of selected ship is not available"));
            if (*m_selectedShip >= ships.size())
                BOOST_THROW_EXCEPTION(LogicError("index of selected ship is invalid"));
            const stable_ptr<Inventory> inventory =
                Inventory::Create(ships, create_stable_ptr(ships[*m_selectedShip]));
            inventory->money = static_cast<sf::Uint32>(GetMoney());
            for (const std::string& id : GetInventoryItems())
            {
                const ParsedItem item = ParseItem(id);
                if (item.category == Categories::Weapon)
                    inventory->AddItem(GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(item.number));
                else if (item.category == Categories::Shield)
                    inventory->AddItem(GetFromRegistry<ShieldFactory>()->Create(item.number));
            }
            return inventory;
        }

        void SavingImpl::Update()
        {
            if (!IsInUse())
                return;
            const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
            m_money = inventory->money;
            m_ships.clear();
            m_selectedShip.reset();
            const std::vector<std::shared_ptr<PlayerShip>> ships = inventory->GetShips();
            const stable_ptr<PlayerShip> selected = inventory->GetShip();
            for (unsigned int i = 0; i < ships.size(); ++i)
            {
                if (!ships[i])
                    BOOST_THROW_EXCEPTION(LogicError("empty ship pointer"));
                m_ships.push_back(ShipToData(create_stable_ptr(ships[i])));
                if (ships[i] == selected.get_shared())
                {
                    if (m_selectedShip)
                        BOOST_THROW_EXCEPTION(LogicError("there can only be one ship selected"));
                    m_selectedShip = i;
                }
            }
            if (!m_selectedShip)
                BOOST_THROW_EXCEPTION(LogicError("there must be one ship selected"));
            m_inventory.clear();
            for (const stable_ptr<Sellable>& item : inventory->GetItems())
                m_inventory.push_back(item->GetID());
            m_inventory.insert(m_inventory.end(), m_keptAside.begin(), m_keptAside.end());
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
            const Hull::Slots weaponSlots = hull->GetSlots(Categories::Weapon);
            if (weaponSlots.size() != data.WeaponTypes.size())
                BOOST_THROW_EXCEPTION(LogicError((boost::format("weapon slot mismatch (slots:%1% != weapons:%2%)") %
                                                  weaponSlots.size() % data.WeaponTypes.size())
                                                     .str()));
            for (std::size_t i = 0; i < weaponSlots.size(); ++i)
                if (!data.WeaponTypes[i].empty())
                    weaponSlots[i]->SetEquipment(
                        GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(data.WeaponTypes[i]).get_shared());
            const Hull::Slots shieldSlots = hull->GetSlots(Categories::Shield);
            if (!data.ShieldType.empty())
            {
                if (shieldSlots.size() != 1)
                    BOOST_THROW_EXCEPTION(LogicError("invalid number of shield slots"));
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

        // The save file's form of a float: at most eight significant digits,
        // as "%.8g" writes them ("0.5", "0.12345679", "1024").
        std::string FormatFloat(float value)
        {
            std::ostringstream text;
            text.imbue(std::locale::classic());
            text.precision(8);
            text << value;
            return text.str();
        }

        float ParseFloat(const std::string& text)
        {
            std::istringstream stream(text);
            stream.imbue(std::locale::classic());
            float value = 0.f;
            if (!(stream >> value) || !(stream >> std::ws).eof())
                BOOST_THROW_EXCEPTION(ParseError("\"" + text + "\" is no number"));
            return value;
        }
    }
}

// The form of every saved type in the file. Elements are named after the
// fields; class versions are 0 but for the shared pointers (1, the library's).
BOOST_CLASS_IMPLEMENTATION(std::set<unsigned long>, boost::serialization::object_serializable)

namespace boost
{
    namespace serialization
    {
        template <typename Archive>
        void save(Archive& archive, const sf::Vector2f& vector, unsigned)
        {
            const std::string x = Kestrum::FormatFloat(vector.x);
            const std::string y = Kestrum::FormatFloat(vector.y);
            archive << make_nvp("x", x) << make_nvp("y", y);
        }

        template <typename Archive>
        void load(Archive& archive, sf::Vector2f& vector, unsigned)
        {
            std::string x;
            std::string y;
            archive >> make_nvp("x", x) >> make_nvp("y", y);
            vector = sf::Vector2f(Kestrum::ParseFloat(x), Kestrum::ParseFloat(y));
        }

        template <typename Archive>
        void serialize(Archive& archive, sf::Vector2f& vector, unsigned version)
        {
            split_free(archive, vector, version);
        }

        // "initialized", and for a value its item version and the value.
        template <typename Archive, typename T>
        void save(Archive& archive, const boost::optional<T>& optional, unsigned)
        {
            const bool initialized = optional.is_initialized();
            archive << make_nvp("initialized", initialized);
            if (initialized)
            {
                const unsigned int itemVersion = 0;
                archive << make_nvp("item_version", itemVersion) << make_nvp("value", *optional);
            }
        }

        template <typename Archive, typename T>
        void load(Archive& archive, boost::optional<T>& optional, unsigned)
        {
            bool initialized = false;
            archive >> make_nvp("initialized", initialized);
            optional.reset();
            if (initialized)
            {
                unsigned int itemVersion = 0;
                T value;
                archive >> make_nvp("item_version", itemVersion) >> make_nvp("value", value);
                optional = value;
            }
        }

        template <typename Archive, typename T>
        void serialize(Archive& archive, boost::optional<T>& optional, unsigned version)
        {
            split_free(archive, optional, version);
        }

        // "sp", the shared pointer; an empty one is refused when read.
        template <typename Archive, typename T>
        void save(Archive& archive, const stable_ptr<T>& pointer, unsigned)
        {
            archive << make_nvp("sp", pointer.get_shared());
        }

        template <typename Archive, typename T>
        void load(Archive& archive, stable_ptr<T>& pointer, unsigned)
        {
            std::shared_ptr<T> shared;
            archive >> make_nvp("sp", shared);
            pointer = create_stable_ptr(shared);
        }

        template <typename Archive, typename T>
        void serialize(Archive& archive, stable_ptr<T>& pointer, unsigned version)
        {
            split_free(archive, pointer, version);
        }

        // A stable pointer cannot be empty: the element of a set being read
        // holds a blank object until its own pointer is read into it.
        template <typename Archive, typename T>
        void load_construct_data(Archive&, stable_ptr<T>* address, unsigned)
        {
            ::new (address) stable_ptr<T>(new T());
        }

        template <typename Archive>
        void serialize(Archive& archive, Kestrum::MissionBlueprint& mission, unsigned)
        {
            archive& make_nvp("Open", mission.Open);
            archive& make_nvp("Successors", mission.Successors);
            archive& make_nvp("KeyEquipment", mission.KeyEquipment);
            archive& make_nvp("Goodies", mission.Goodies);
            archive& make_nvp("m_position", mission.m_position);
            archive& make_nvp("m_id", mission.m_id);
            archive& make_nvp("m_seed", mission.m_seed);
            archive& make_nvp("m_type", mission.m_type);
            archive& make_nvp("m_difficulty", mission.m_difficulty);
            archive& make_nvp("m_payment", mission.m_payment);
        }

        template <typename Archive>
        void serialize(Archive& archive, Kestrum::TechnologyTree::Node& node, unsigned)
        {
            archive& make_nvp("Type", node.Type);
            archive& make_nvp("Position", node.Position);
            archive& make_nvp("Predecessors", node.Predecessors);
            archive& make_nvp("Cost", node.Cost);
            archive& make_nvp("Open", node.Open);
        }
    }
}

namespace Kestrum
{
    template <typename Archive>
    void WorldMap::serialize(Archive& archive, unsigned)
    {
        archive& boost::serialization::make_nvp("m_seed", m_seed);
        if (Archive::is_loading::value)
            Regenerate();
    }

    template <typename Archive>
    void TechnologyTree::serialize(Archive& archive, unsigned)
    {
        archive& boost::serialization::make_nvp("m_nodes", m_nodes);
    }

    namespace
    {
        template <typename Archive>
        void SavingImpl::save(Archive& archive, unsigned) const
        {
            using boost::serialization::make_nvp;
            Test();
            archive << make_nvp("ID", m_id) << make_nvp("FinalMission", m_finalMission) << make_nvp("Money", m_money)
                    << make_nvp("Seed", m_seed) << make_nvp("Map", m_map) << make_nvp("Missions", m_missions)
                    << make_nvp("Shop", m_shop) << make_nvp("Ships", m_ships)
                    << make_nvp("SelectedShip", m_selectedShip) << make_nvp("TheInventory", m_inventory)
                    << make_nvp("TheTechnologyTree", m_tree);
            // The moment of this writing, in UTC; the saving's own time stays.
            const std::string time = boost::posix_time::to_iso_string(GetCurrentSecond());
            archive << make_nvp("time", time);
        }

        template <typename Archive>
        void SavingImpl::load(Archive& archive, unsigned)
        {
            using boost::serialization::make_nvp;
            archive >> make_nvp("ID", m_id) >> make_nvp("FinalMission", m_finalMission) >> make_nvp("Money", m_money) >>
                make_nvp("Seed", m_seed) >> make_nvp("Map", m_map) >> make_nvp("Missions", m_missions) >>
                make_nvp("Shop", m_shop) >> make_nvp("Ships", m_ships) >> make_nvp("SelectedShip", m_selectedShip) >>
                make_nvp("TheInventory", m_inventory) >> make_nvp("TheTechnologyTree", m_tree);
            std::string time;
            archive >> make_nvp("time", time);
            m_time = boost::posix_time::from_iso_string(time);
            m_keptAside.clear();
            for (const std::string& id : m_inventory)
                if (IsKeptAside(id))
                    m_keptAside.push_back(id);
            Test();
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
    }

    SavingManager::SavingManager() = default;
    SavingManager::~SavingManager() = default;

    std::vector<unsigned long> SavingManager::GetSavingIDs() const
    {
        std::vector<unsigned long> ids;
        const std::filesystem::path folder = GetGameRoot() / "savings";
        if (!std::filesystem::exists(folder))
            return ids;
        for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
        {
            const std::optional<unsigned long> id = ToSavingID(entry.path().filename().string());
            if (id && entry.is_regular_file())
                ids.push_back(*id);
            else
                *Log(LogLevel::warning) << "skipping " << entry.path().string() << ": not a saving";
        }
        return ids;
    }

    stable_ptr<Saving> SavingManager::Load(unsigned long id) const
    {
        const stable_ptr<std::istream> stream = [id] {
            try
            {
                return OpenFile(GetSavingPath(id).string());
            }
            catch (Exception& error)
            {
                error << SavingIdInfo(id);
                throw;
            }
        }();
        boost::archive::xml_iarchive archive(*stream);
        const stable_ptr<SavingImpl> saving(new SavingImpl());
        archive >> boost::serialization::make_nvp("savingImpl", *saving);
        return saving;
    }

    void SavingManager::Save(const stable_ptr<Saving>& saving) const
    {
        const stable_ptr<SavingImpl> impl = dynamic_stable_ptr_cast<SavingImpl>(saving);
        impl->Update();
        std::ostringstream text;
        {
            boost::archive::xml_oarchive archive(text);
            const SavingImpl& written = *impl;
            archive << boost::serialization::make_nvp("savingImpl", written);
        }
        const std::filesystem::path path = GetSavingPath(impl->GetID());
        std::filesystem::create_directories(path.parent_path());
        WriteFileAtomically(path, text.str());
    }

    void SavingManager::Remove(const stable_ptr<Saving>& saving) const
    {
        std::filesystem::remove(GetSavingPath(dynamic_stable_ptr_cast<SavingImpl>(saving)->GetID()));
    }
}
