#include "flight/Weapon.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Scaling.hpp"
#include "flight/ShotBase.hpp"
#include "flight/ShotManager.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SoundEmitter.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <boost/format.hpp>
#include <cmath>
#include <iterator>
#include <set>

namespace Kestrum
{
    namespace
    {
        const std::string weaponsFolder = "resources|equipment|weapons";

        std::vector<Muzzle> LoadMuzzles(const pugi::xml_node& increment)
        {
            std::vector<Muzzle> muzzles;
            for (const pugi::xml_node& muzzle : increment.children("muzzle"))
            {
                Muzzle loaded;
                loaded.orientation = GetChildValue<float>(muzzle, "orientation");
                loaded.position = GetChildValue<sf::Vector2f>(muzzle, "position");
                loaded.ammunition = GetChildValue<unsigned long>(muzzle, "ammunition");
                loaded.damage = GetChildValue<unsigned long>(muzzle, "damage");
                loaded.speed = ScaleByWindowHeight(GetChildValue<float>(muzzle, "speed"));
                muzzles.push_back(loaded);
            }
            return muzzles;
        }
    }

    std::vector<std::shared_ptr<Increment>> LoadIncrements(const pugi::xml_node& increments)
    {
        std::vector<std::shared_ptr<Increment>> result;
        const auto elements = increments.children("increment");
        const std::size_t count = static_cast<std::size_t>(std::distance(elements.begin(), elements.end()));
        for (const pugi::xml_node& element : elements)
        {
            CheckAndReturnVersion(element, 1);
            const float frequency = GetAttributeValue<float>(element, "frequency");
            // A frequency of 0 would never let the weapon fire again, a negative one
            // would fire on every call.
            if (!(frequency > 0.f))
                BOOST_THROW_EXCEPTION(ParseError("frequency must be positive"));
            auto increment = std::make_shared<Increment>(
                Increment{GetAttributeValue<unsigned long>(element, "price"),
                          Timer(1.f / frequency), LoadMuzzles(element), true});
            increment->reload.Restart();
            const unsigned long level = GetAttributeValue<unsigned long>(element, "level");
            // A level beyond the number of increments leaves a gap whatever follows;
            // refused before the table would grow to it.
            if (level >= count)
                BOOST_THROW_EXCEPTION(RuntimeError("increments has at least one default element"));
            if (level >= result.size())
                result.resize(level + 1);
            if (result[level])
                BOOST_THROW_EXCEPTION(LogicError((boost::format("redundant increments for level %1%") % level).str()));
            result[level] = increment;
        }
        for (const auto& increment : result)
            if (!increment)
                BOOST_THROW_EXCEPTION(RuntimeError("increments has at least one default element"));
        return result;
    }

    struct Weapon::Data
    {
        std::vector<std::shared_ptr<Increment>> increments;
        // The firing sound, kept as its buffer: the sound itself exists only
        // while an emitter plays it.
        std::shared_ptr<sf::SoundBuffer> sound;
        std::size_t active = 0;
        bool hostile = false;
    };

    stable_ptr<Weapon> Weapon::Create(const std::string& number, bool hostile)
    {
        if (number.size() != 3)
            BOOST_THROW_EXCEPTION(UnknownTypeError(number + " does not have length 3"));
        if (!IsDigitsOnly(number))
            BOOST_THROW_EXCEPTION(UnknownTypeError(number + " must not contain non-digits"));
        if (hostile && number < "500")
            BOOST_THROW_EXCEPTION(NotSupportedError("can not create enemy weapon from player weapon details"));
        if (!hostile && number >= "500")
            BOOST_THROW_EXCEPTION(NotSupportedError("can not create player weapon from enemy weapon details"));

        const std::string folder = JoinResourcePath(weaponsFolder, number);
        const std::string details = JoinResourcePath(folder, "details.xml");
        std::unique_ptr<Weapon> weapon;
        ReadDataFile(details, [&] {
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(details));
            const pugi::xml_node root = document->document_element();
            AssertElementName(root, "weapon");
            CheckAndReturnVersion(root, 1);
            const stable_ptr<EquipmentIcon> icon(new EquipmentIcon(JoinResourcePath(folder, "icons")));
            const std::string name = GetAttributeText(root, "name");
            auto data = std::make_unique<Data>();
            data->hostile = hostile;
            // Empty in a game without an audio device, as for a weapon without a sound.
            if (root.child("sound"))
                data->sound = GetFromRegistry<ResourceManager>()->GetSoundBuffer(
                    JoinResourcePath(folder, GetChildValue<std::string>(root, "sound")));
            data->increments = LoadIncrements(GetChildElement(root, "increments"));
            if (data->increments.empty())
                BOOST_THROW_EXCEPTION(LogicError("no increments found in " + details));
            weapon.reset(new Weapon(icon, name, MakeEquipmentID(Categories::Weapon, number), std::move(data)));
        });

        // Every shot type the weapon fires is made ready now, so that a volley in a
        // flight finds its shots without reading their files.
        std::set<unsigned long> types;
        for (const auto& increment : weapon->m_data->increments)
            for (const Muzzle& muzzle : increment->muzzles)
                types.insert(muzzle.ammunition);
        const stable_ptr<ShotManager> shots = GetFromRegistry<ShotManager>();
        for (unsigned long type : types)
            shots->Warm(type, hostile);
        return stable_ptr<Weapon>(weapon.release());
    }

    Weapon::Weapon(const stable_ptr<EquipmentIcon>& icon, const std::string& name, const std::string& id,
                   std::unique_ptr<Data> data)
        : Sellable(icon, name, id, Categories::Weapon), m_data(std::move(data))
    {
    }

    Weapon::Weapon(const Weapon& other) : Sellable(other), m_data(new Data(*other.m_data))
    {
        for (auto& increment : m_data->increments)
            increment = std::make_shared<Increment>(*increment);
    }

    Weapon::~Weapon() = default;

    void Weapon::Fire(const sf::Vector2f& position, float angle)
    {
        if (GetFromRegistry<TimeSystem>()->paused)
            return;
        if (!GetFlightArea().Contains(position))
            return;
        Increment& increment = *m_data->increments[m_data->active];
        if (increment.reloadGated && !increment.reload.IsElapsed())
            return;
        const stable_ptr<ShotManager> shots = GetFromRegistry<ShotManager>();
        const stable_ptr<GameObjectManager> objects = GetFromRegistry<GameObjectManager>();
        for (const Muzzle& muzzle : increment.muzzles)
        {
            sf::Vector2f velocity(muzzle.speed, 0.f);
            Rotate(velocity, angle + muzzle.orientation);
            sf::Vector2f offset = muzzle.position;
            Rotate(offset, angle);
            const stable_ptr<ShotBase> shot = shots->Get(muzzle.ammunition, m_data->hostile);
            shot->Launch(position + offset, velocity, muzzle.damage);
            objects->Add(shot);
        }
        if (m_data->sound)
            objects->Add(SoundEmitter::Create(create_stable_ptr(m_data->sound), false, position));
        increment.reload.Restart();
    }

    void Weapon::SetReloadGated(bool gated)
    {
        m_data->increments[m_data->active]->reloadGated = gated;
    }

    bool Weapon::IsHostile() const
    {
        return m_data->hostile;
    }

    unsigned long Weapon::GetDamage(std::size_t increment) const
    {
        if (increment >= m_data->increments.size())
            BOOST_THROW_EXCEPTION(OutOfRangeError((boost::format("invalid index %1% for %2% increments") % increment %
                                                   m_data->increments.size())
                                                      .str()));
        unsigned long damage = 0;
        for (const Muzzle& muzzle : m_data->increments[increment]->muzzles)
            damage += muzzle.damage;
        return damage;
    }

    float Weapon::GetAverageShotSpeed() const
    {
        const std::vector<Muzzle>& muzzles = m_data->increments[m_data->active]->muzzles;
        if (muzzles.empty())
            return 0.f;
        float sum = 0.f;
        for (const Muzzle& muzzle : muzzles)
            sum += muzzle.speed;
        return sum / static_cast<float>(muzzles.size());
    }

    float Weapon::GetShotsPerSecond() const
    {
        return 1.f / m_data->increments[m_data->active]->reload.GetDuration();
    }

    stable_ptr<Sellable> Weapon::Clone() const
    {
        return stable_ptr<Sellable>(new Weapon(*this));
    }

    std::optional<std::string> Weapon::GetDetails(unsigned index) const
    {
        if (index == 0)
            return (boost::format("Damage: %1%") % GetDamage(m_data->active)).str();
        if (index == 1)
        {
            // A hair added against rounding: a frequency of 3 is three shots, not 2.9999998.
            return (boost::format("Shots/Second: %1%") % std::floor(GetShotsPerSecond() + 1e-4f)).str();
        }
        return std::nullopt;
    }

    std::size_t Weapon::GetIncrementCount() const
    {
        return m_data->increments.size();
    }

    std::size_t Weapon::GetActiveIncrement() const
    {
        return m_data->active;
    }

    void Weapon::SetActiveIncrement(std::size_t index)
    {
        if (index >= m_data->increments.size())
            BOOST_THROW_EXCEPTION(OutOfRangeError(
                (boost::format("invalid index %1% for %2% increments") % index % m_data->increments.size()).str()));
        m_data->active = index;
    }

    std::vector<unsigned long> Weapon::GetPrices() const
    {
        std::vector<unsigned long> prices;
        for (const auto& increment : m_data->increments)
            prices.push_back(increment->price);
        return prices;
    }

    void Weapon::Reset()
    {
        m_data->increments[m_data->active]->reload.Expire();
    }
}
