// Savings as the game writes them, and the services that read them (the
// equipment and world map factories, the saving manager) in a scratch game root.
#pragma once

#include "campaign/Saving.hpp"
#include "campaign/SavingManager.hpp"
#include "campaign/TechnologyTree.hpp"
#include "flight/EquipmentFixture.hpp"
#include "flight/Inventory.hpp"
#include "levels/WorldMapFactory.hpp"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ctime>
#include <fstream>
#include <linux/capability.h>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace Kestrum::Testing
{
    // Saving 3: one open mission that opens itself again, one ship of hull 000 (one
    // weapon slot, one shield slot), loose items, one weapon node of cost 100.
    // (tests/data/savings/3.xml, which the saving benchmark reads too)
    inline const std::string oneMissionSaving = [] {
        std::ostringstream text;
        text << std::ifstream(std::string(KESTRUM_SOURCE_DIR) + "/tests/data/savings/3.xml").rdbuf();
        return text.str();
    }();

    // The text with its first `from` replaced by `to`; a missing `from` fails the test.
    inline std::string Replace(std::string text, const std::string& from, const std::string& to)
    {
        const std::size_t place = text.find(from);
        EXPECT_NE(std::string::npos, place) << from;
        return place == std::string::npos ? text : text.replace(place, from.size(), to);
    }

    // Saving 3 with a second, closed mission and a shield node without cost that the weapon
    // node needs first: met first among its predecessors, it is written there, referred to later.
    inline std::string TwoMissionSaving()
    {
        // The element between the two marks without its classes' attributes.
        const auto CopyWithoutClasses = [](const std::string& text, const std::string& begin, const std::string& end) {
            const std::size_t first = text.find(begin);
            return std::regex_replace(text.substr(first, text.find(end, first) - first),
                                      std::regex(" class_id=\"\\d+\" tracking_level=\"\\d\" version=\"\\d\""), "");
        };
        // Both missions open the second one.
        std::string text = Replace(Replace(Replace(oneMissionSaving, "<item>0</item>\n\t\t\t\t\t</Successors>",
                                                   "<item>1</item>\n\t\t\t\t\t</Successors>"),
                                           "_3\">", "_4\">"),
                                   "_2\">", "_3\">");
        std::string mission = CopyWithoutClasses(text, "\n\t\t<item class_id", "\n\t</Missions>");
        mission = Replace(Replace(mission, "object_id=\"_1", "class_id_reference=\"6\" object_id=\"_2"), "<Open>1", "<Open>0");
        std::string node = CopyWithoutClasses(text, "\n\t\t\t\t<item class_id", "\n\t\t\t</m_nodes>");
        node = Replace(Replace(node, "object_id=\"_4", "class_id_reference=\"19\" object_id=\"_5"), "wpn001", "shd001");
        node = std::regex_replace(node, std::regex("1</initialized>[\\s\\S]*</value>"), "0</initialized>");
        text = Replace(text.insert(text.find("\n\t</Missions>"), Replace(mission, "<m_id>0", "<m_id>1")), "<count>1", "<count>2");
        text = Replace(text, "version=\"0\">\n\t\t\t\t<count>1", "version=\"0\">\n\t\t\t\t<count>2");
        text.insert(text.find("\n\t\t\t\t\t\t\t</Predecessors>"), std::regex_replace(node, std::regex("\n"), "\n\t\t\t\t"));
        text = Replace(text, "<count>0", "<count>1");
        // The first cost met, now the shield node's, carries its class.
        text = Replace(std::regex_replace(text, std::regex("<Cost [^>]*>"), "<Cost>"), "<Cost>",
                       "<Cost class_id=\"20\" tracking_level=\"0\" version=\"0\">");
        return Replace(text, "</item>\n\t\t\t</m_nodes>",
                       "</item>\n\t\t\t\t<item>\n\t\t\t\t\t<sp>\n\t\t\t\t\t\t<px class_id_reference=\"19\" "
                       "object_id_reference=\"_5\"></px>\n\t\t\t\t\t</sp>\n\t\t\t\t</item>\n\t\t\t</m_nodes>");
    }

    // The saving whose node without predecessors needs the node of the object
    // id ("_3"), written as a reference to it.
    inline std::string WithPredecessor(const std::string& text, const std::string& objectId)
    {
        return std::regex_replace(text, std::regex("<count>0</count>(\\s*<item_version>0</item_version>)"),
                                  "<count>1</count>$1<item><sp><px class_id_reference=\"19\" object_id_reference=\"" +
                                      objectId + "\"></px></sp></item>",
                                  std::regex_constants::format_first_only);
    }

    // Saving 3 with `missions` missions and a technology tree whose node k is of
    // type types[k] and needs the nodes needs[k], each of a lower k, so that the
    // file refers to them. The missions, numbered from 0, each opening the next,
    // are listed in a mixed order (number 7919 p modulo their count at place p).
    inline std::string GeneratedSaving(std::size_t missions, const std::vector<std::string>& types,
                                       const std::vector<std::vector<std::size_t>>& needs)
    {
        const std::string classes = " tracking_level=\"0\" version=\"0\"";
        std::string list = "<count>" + std::to_string(missions) + "</count><item_version>0</item_version>";
        for (std::size_t place = 0; place < missions; ++place)
        {
            const std::string id = std::to_string(place * 7919 % missions), next = std::to_string((place * 7919 + 1) % missions);
            const bool first = place == 0;
            list += (first ? "<item class_id=\"4\"" + classes + "><sp class_id=\"5\" tracking_level=\"0\" version=\"1\"><px class_id=\"6\" tracking_level=\"1\" version=\"0\""
                           : std::string("<item><sp><px class_id_reference=\"6\"")) +
                    " object_id=\"_" + std::to_string(place + 1) + "\"><Open>" + (first ? "1" : "0") +
                    "</Open><Successors><count>1</count><item_version>0</item_version><item>" + next + "</item></Successors><KeyEquipment" +
                    (first ? " class_id=\"8\"" + classes : "") + "><count>0</count><item_version>0</item_version></KeyEquipment><Goodies><count>1</count><item_version>0</item_version><item>" +
                    (place % 2 ? "shd001" : "wpn001") + "</item></Goodies><m_position" + (first ? " class_id=\"9\"" + classes : "") + "><x>0." + std::to_string(place % 9 + 1) +
                    "</x><y>0.5</y></m_position><m_id>" + id + "</m_id><m_seed>" + id + "</m_seed><m_type>0</m_type><m_difficulty>" +
                    std::to_string(place % 90) + "</m_difficulty><m_payment>" + std::to_string(1000 * (place % 5 + 1)) + "</m_payment></px></sp></item>";
        }
        std::string nodes = "<count>" + std::to_string(types.size()) + "</count><item_version>0</item_version>";
        const auto object = [missions](std::size_t node) { return "_" + std::to_string(missions + 2 + node); };
        for (std::size_t k = 0; k < types.size(); ++k)
        {
            nodes += (k == 0 ? "<item class_id=\"17\"" + classes + "><sp class_id=\"18\" tracking_level=\"0\" version=\"1\"><px class_id=\"19\" tracking_level=\"1\" version=\"0\""
                             : std::string("<item><sp><px class_id_reference=\"19\"")) +
                     " object_id=\"" + object(k) + "\"><Type>" + types[k] + "</Type><Position><x>" + std::to_string(k % 7) +
                     "</x><y>0</y></Position><Predecessors><count>" + std::to_string(needs[k].size()) + "</count><item_version>0</item_version>";
            for (std::size_t need : needs[k])
                nodes += "<item><sp><px class_id_reference=\"19\" object_id_reference=\"" + object(need) + "\"></px></sp></item>";
            nodes += "</Predecessors><Cost" + (k == 0 ? " class_id=\"20\"" + classes : "") +
                     "><initialized>1</initialized><item_version>0</item_version><value>" + std::to_string(10 + k % 5) + "</value></Cost><Open>0</Open></px></sp></item>";
        }
        // The content of the element `name` replaced.
        const auto Fill = [](std::string text, const std::string& name, const std::string& content) {
            const std::size_t from = text.find('>', text.find("<" + name)) + 1;
            return text.replace(from, text.find("</" + name + ">") - from, content);
        };
        const std::string tree = Replace(oneMissionSaving, "object_id=\"_2\"", "object_id=\"_" + std::to_string(missions + 1) + "\"");
        return Fill(Fill(tree, "Missions", list), "m_nodes", nodes);
    }

    // Takes from this thread, while it lives, the power to read, write and
    // search every folder whatever its permissions, which root has.
    class NoPermissionOverride
    {
    public:
        NoPermissionOverride()
        {
            syscall(SYS_capget, &m_header, m_before);
            __user_cap_data_struct without[2] = {m_before[0], m_before[1]};
            without[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            syscall(SYS_capset, &m_header, without);
        }
        ~NoPermissionOverride() { syscall(SYS_capset, &m_header, m_before); }

    private:
        __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct m_before[2] = {};
    };

    // Sets the local time zone (TZ) while it lives, then the one before. A zone
    // of the time zone database must be there: without its data the zone
    // would silently act as UTC.
    class TimeZone
    {
    public:
        explicit TimeZone(const char* zone)
        {
            if (const char* before = std::getenv("TZ"))
                m_before = before;
            setenv("TZ", zone, 1);
            tzset();
            const bool known = !std::strchr(zone, '/') ||
                               std::filesystem::is_regular_file(std::filesystem::path("/usr/share/zoneinfo") / zone);
            EXPECT_TRUE(known) << "no time zone data for " << zone;
        }
        ~TimeZone()
        {
            m_before ? setenv("TZ", m_before->c_str(), 1) : unsetenv("TZ");
            tzset();
        }
        TimeZone(const TimeZone&) = delete;
        TimeZone& operator=(const TimeZone&) = delete;

    private:
        std::optional<std::string> m_before;
    };

    class SavingFixture : public EquipmentFixture
    {
    protected:
        SavingFixture()
        {
            CreateAndRegister(new WorldMapFactory());
            manager = CreateAndRegister(new SavingManager()).get_shared();
        }
        // The first node of the category in the saving's tree.
        static stable_ptr<TechnologyTree::Node> GetNode(const stable_ptr<Saving>& saving, Categories::Equipment category)
        {
            return *saving->GetTechnologyTree()->GetNodes(category).begin();
        }
        // Writes the text as saving 3 and loads it.
        stable_ptr<Saving> Load(const std::string& text)
        {
            root.WriteFile("savings/3", text);
            return manager->Load(3);
        }
        // Loads the text and puts the saving in play, with its inventory holding the money.
        stable_ptr<Saving> Play(const std::string& text, sf::Uint32 money)
        {
            const stable_ptr<Saving> saving = Load(text);
            RegisterSaving(saving);
            saving->RegisterInventory();
            GetFromRegistry<Inventory>()->money = money;
            return saving;
        }
        std::string ReadSaving() const
        {
            std::ostringstream text;
            text << std::ifstream(root.GetPath() / "savings/3").rdbuf();
            return text.str();
        }

        std::shared_ptr<SavingManager> manager;
    };
}
