#include "flight/EnemyFactory.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ReadTokens.hpp"
#include "core/XmlReading.hpp"
#include "flight/DiskBoss.hpp"
#include "flight/FlyingEnemy.hpp"
#include "flight/TankBoss.hpp"
#include "flight/Turret.hpp"
#include "presentation/ResourceManager.hpp"

#include <cctype>
#include <map>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const char* const databasePath = "resources|enemies|factory_database.txt";

        // One row of the database. Weapon, speed and times are checked but not
        // kept: no enemy is made from them.
        struct EnemyDetails
        {
            std::string enemyClass;  // "airship", "airboss", "groundboss", "turret"
            std::string number;      // three digits
        };

        bool AllDigits(const std::string& text)
        {
            for (char c : text)
                if (!std::isdigit(static_cast<unsigned char>(c)))
                    return false;
            return true;
        }

        // Checks the first six tokens, makes their row and takes them off the front.
        EnemyDetails TakeDetails(std::vector<std::string>& tokens)
        {
            if (tokens.size() < 6)
                BOOST_THROW_EXCEPTION(LoadError("too few values"));
            if (tokens.size() % 6 != 0)
                BOOST_THROW_EXCEPTION(LoadError("odd number of values"));

            const std::string& type = tokens[0];
            if (type.size() < 4)
                BOOST_THROW_EXCEPTION(ParseError("type string is too short: " + type));
            EnemyDetails details;
            details.enemyClass = type.substr(0, type.size() - 3);
            details.number = type.substr(type.size() - 3);
            if (!AllDigits(details.number))
                BOOST_THROW_EXCEPTION(ParseError("type contains non-digits: " + details.number));

            if (!AllDigits(tokens[1]))
                BOOST_THROW_EXCEPTION(ParseError("weapon ID contains non-digits: " + tokens[1]));
            if (ConvertValue<float>(tokens[2], "the speed of " + type) < 0.f)
                BOOST_THROW_EXCEPTION(ParseError("speed is negative: " + tokens[2]));
            if (ConvertValue<unsigned long>(tokens[3], "the hit points of " + type) == 0)
                BOOST_THROW_EXCEPTION(ParseError(type + " has no hit points"));
            if (ConvertValue<float>(tokens[4], "the reload time of " + type) < 0.f)
                BOOST_THROW_EXCEPTION(ParseError(type + " has negative reload time"));
            if (ConvertValue<float>(tokens[5], "the volley time of " + type) < 0.f)
                BOOST_THROW_EXCEPTION(ParseError(type + " has negative volley time"));

            tokens.erase(tokens.begin(), tokens.begin() + 6);
            return details;
        }
    }

    struct EnemyFactory::Database
    {
        std::map<std::string, EnemyDetails> rows;  // by type name

        const EnemyDetails& Get(const std::string& type) const
        {
            const auto found = rows.find(type);
            if (found == rows.end())
                BOOST_THROW_EXCEPTION(UnknownTypeError(type + " is unknown enemy type"));
            return found->second;
        }
    };

    EnemyFactory::EnemyFactory() = default;
    EnemyFactory::~EnemyFactory() = default;

    void EnemyFactory::Load()
    {
        auto database = std::make_unique<Database>();
        ReadDataFile(databasePath, [&] {
            std::vector<std::string> tokens = ReadTokens(*OpenResourceFile(databasePath));
            while (!tokens.empty())
            {
                const EnemyDetails details = TakeDetails(tokens);
                database->rows[details.enemyClass + details.number] = details;
            }
        });
        m_database = std::move(database);
    }

    stable_ptr<GameObject> EnemyFactory::Create(const std::string& type) const
    {
        if (!m_database)
            BOOST_THROW_EXCEPTION(RuntimeError("database not availabe - forgot to call Load()?"));
        const EnemyDetails& details = m_database->Get(type);
        const std::string& number = details.number;
        if (details.enemyClass == "airship")
        {
            if (number != "000" && number != "001" && number != "002" && number != "005")
                BOOST_THROW_EXCEPTION(NotSupportedError(
                    type + " not supported, 003 and 004 forsaken during enemy hierarchy refactoring"));
            return FlyingEnemy::Create("$resources|enemies|airships|" + number);
        }
        if (details.enemyClass == "airboss")
        {
            if (number != "001")
                BOOST_THROW_EXCEPTION(
                    LogicError("only airboss001 instantable - merge into one boss directory coming soon"));
            return DiskBoss::Create();
        }
        if (details.enemyClass == "groundboss")
        {
            if (number != "000")
                BOOST_THROW_EXCEPTION(
                    LogicError("only groundboss000 instantable - merge into one boss directory coming soon"));
            return TankBoss::Create();
        }
        if (details.enemyClass == "turret")
            return Turret::Create("$resources|enemies|turrets|" + number);
        BOOST_THROW_EXCEPTION(UnknownTypeError(type + " is unknown type"));
    }

    std::set<std::string> EnemyFactory::GetEnemyTypes() const
    {
        if (!m_database)
            BOOST_THROW_EXCEPTION(RuntimeError("database not availabe - forgot to call Load()?"));
        std::set<std::string> types;
        for (const auto& row : m_database->rows)
            types.insert(row.first);
        return types;
    }
}
