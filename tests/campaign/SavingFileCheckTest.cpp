#include "campaign/SavingFile.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/SavingFixture.hpp"
#include "core/Exception.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>

#include <numeric>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    using SavingFileCheckTest = SavingFixture;

    std::string ReadSample(const std::string& name)
    {
        std::ostringstream text;
        text << std::ifstream(std::string(KESTRUM_SOURCE_DIR) + "/tests/data/hostile-saves/" + name + ".xml").rdbuf();
        return text.str();
    }

    // The saving with its technology nodes replaced by `nodes` (the content of "m_nodes").
    std::string WithNodes(const std::string& text, const std::string& nodes)
    {
        const std::string start = "<m_nodes class_id=\"16\" tracking_level=\"0\" version=\"0\">";
        const std::size_t from = text.find(start) + start.size();
        return std::string(text).replace(from, text.find("</m_nodes>") - from, nodes);
    }

    // Nodes _3 on, each needing the next: the first is listed with all the others written inside
    // it, the others by reference; the innermost holds the first cost written.
    std::string Chain(int length)
    {
        std::string nodes = "<count>" + std::to_string(length) + "</count><item_version>0</item_version>", inner;
        for (int k = length - 1; k >= 0; --k)
        {
            const std::string id = "_" + std::to_string(3 + k), classes = " tracking_level=\"0\" version=\"0\"";
            inner = (k ? "<item><sp><px class_id_reference=\"19\"" : "<item class_id=\"17\"" + classes + "><sp class_id=\"18\" tracking_level=\"0\" version=\"1\"><px class_id=\"19\" tracking_level=\"1\" version=\"0\"") +
                    " object_id=\"" + id + "\"><Type>wpn001</Type><Position><x>0</x><y>0</y></Position><Predecessors><count>" +
                    (inner.empty() ? "0" : "1") + "</count><item_version>0</item_version>" + inner + "</Predecessors><Cost" +
                    (k == length - 1 ? " class_id=\"20\"" + classes : "") + "><initialized>0</initialized></Cost><Open>0</Open></px></sp></item>";
            if (k > 0)
                nodes += "<item><sp><px class_id_reference=\"19\" object_id_reference=\"" + id + "\"></px></sp></item>";
        }
        return Replace(nodes, "</item_version>", "</item_version>" + inner);
    }

    std::string CheckMessage(const std::string& text, unsigned long id, unsigned long* line = nullptr)
    {
        try
        {
            CheckSavingFile(text, id);
        }
        catch (const ParseError& error)
        {
            if (line)
                *line = boost::get_error_info<LineInfo>(error) ? *boost::get_error_info<LineInfo>(error) : 0;
            return error.what();
        }
        return "";
    }
}

TEST_F(SavingFileCheckTest, AcceptsWhatTheGameWritesAndTheHandMadeSavings)
{
    const std::string emptyTree = WithNodes(oneMissionSaving, "<count>0</count><item_version>0</item_version>");
    std::string extremes = Replace(Replace(Replace(oneMissionSaving, "<Money>1500", "<Money>4294967295\n"), "<Seed>42", "<Seed>2147483647"),
                                   "<m_seed>7", "<m_seed>-2147483648");
    extremes = Replace(Replace(Replace(extremes, "<count>1</count>\n\t\t\t\t\t\t<item_version>0</item_version>\n\t\t\t\t\t\t<item>wpn000</item>",
                                       "<count>0</count>\n\t\t\t\t\t\t<item_version>0</item_version>"),
                               "<item>0</item>", "<item>0</item><item>4294967295</item>"),
                       "<count>1</count>\n\t\t\t\t\t\t<item_version>0</item_version>\n\t\t\t\t\t\t<item>0", "<count>2</count><item_version>0</item_version><item>0");
    extremes = Replace(Replace(Replace(Replace(extremes, "<x>0.5", "<x>-1e-07"), "<m_type>0", "<m_type>-7"), "<ShieldType>shd000", "<ShieldType>"),
                       "T140322", "T140322,25");
    const std::string texts[] = {oneMissionSaving, TwoMissionSaving(), emptyTree, extremes,
                                 std::regex_replace(oneMissionSaving, std::regex("<px class_id=\"15\"[^]*</px>"), "<px class_id=\"-1\"></px>"),
                                 WithNodes(oneMissionSaving, Chain(savingMostNestedNodes))};
    for (const std::string& text : texts)
    {
        EXPECT_EQ("", CheckMessage(text, 3)) << text;
        // Written back by the game's writer (the saving's own rules aside, which the extremes break).
        const std::string written = SavingFile::Read(text).Write(boost::posix_time::from_iso_string("20110305T140322"));
        EXPECT_EQ("", CheckMessage(written, 3)) << written;
    }
}

// Each text goes through the check alone, then as saving `id` through the
// saving manager, which names the file before the check's line and reason.
TEST_F(SavingFileCheckTest, RefusesEveryOtherTextSayingWhereAndWhat)
{
    const std::string valid = ReadSample("FS-valid-save-1");
    const auto Damaged = [&valid](const std::string& from, const std::string& to) { return Replace(valid, from, to); };
    const std::string secondMission = "</item>\n\t\t<item><sp><px class_id_reference=\"6\" object_id_reference=\"_1\"></px></sp></item>\n\t</Missions>";
    const std::string emptyMap = Replace(Damaged("\"_1\"", "\"_0\""), "\"_2\"", "\"_1\"");
    // 142 nodes, each needing every node before it: 10011 predecessors.
    std::vector<std::string> types;
    std::vector<std::vector<std::size_t>> needs;
    for (std::size_t k = 0; k < 142; ++k)
        types.push_back("wpn" + std::to_string(1000 + k).substr(1)), needs.emplace_back(k), std::iota(needs[k].begin(), needs[k].end(), 0);
    // A loading that refuses otherwise than the check: the manager's message.
    const struct { std::string text; unsigned long id, line; std::string message, loading = ""; } cases[] = {
        {valid, 1, 0, "", "<nothing thrown>"},
        {ReadSample("N1-null-tree-accepted"), 1, 0, "", "savings/1: saving must have a technology tree"},
        {Damaged("<Money>0", "<Money>0\n\t"), 1, 0, "", "<nothing thrown>"},
        {Replace(emptyMap, "<px class_id=\"2\" tracking_level=\"1\" version=\"0\" object_id=\"_0\">\n\t\t\t<m_seed>0</m_seed>\n\t\t</px>", "<px class_id=\"-1\"></px>"), 1, 0, "", "savings/1: saving must have a map"},
        {ReadSample("A1-terminate-last-line-lost"), 1, 81, "boost_serialization: malformed XML (start-end tags mismatch)"},
        {ReadSample("A2-terminate-truncated-in-last-line"), 1, 82, "boost_serialization: malformed XML (start-end tags mismatch)"},
        {ReadSample("B1-wild-read-map-class-id-minus-2"), 1, 10, "Map/px: attribute class_id is \"-2\" where the game writes \"2\""},
        {ReadSample("B2-wild-read-mission-class-id-32768"), 1, 19, "Missions/item 1/sp/px: attribute class_id is \"32768\" where the game writes \"6\""},
        {ReadSample("D1-over-read-long-end-tag"), 1, 7, "Money: malformed XML (start-end tags mismatch)"},
        {ReadSample("D2-over-read-ships-deleted"), 1, 50, "savingImpl: element \"SelectedShip\" where \"Ships\" belongs"},
        {ReadSample("E1-huge-count-shop"), 1, 47, "Shop: count 4000000000 is above the most a collection may hold, 10000"},
        {ReadSample("F1-leak-refused-map-seed"), 1, 11, "Map/m_seed: \"x\" is not a whole number from -2147483648 to 2147483647"},
        {ReadSample("F2-leak-refused-mission-payment"), 1, 41, "Missions/item 1/m_payment: \"-\" is not a whole number from 0 to 4294967295"},
        {ReadSample("G1-leak-node-its-own-predecessor"), 3, 97, "TheTechnologyTree/m_nodes/item 1/Predecessors/item 1/sp/px: object_id_reference \"_3\" names a node still being read: a node would need itself, directly or through other nodes"},
        {ReadSample("G2-leak-two-nodes-need-each-other"), 3, 108, "TheTechnologyTree/m_nodes/item 1/Predecessors/item 1/Predecessors/item 1/sp/px: object_id_reference \"_3\" names a node still being read: a node would need itself, directly or through other nodes"},
        {ReadSample("N2-time-before-1970-breaks-listing"), 1, 80, "time: \"19600101T000000\" is more than 26 hours before 1970-01-01"},
        // Local times of a clock at 1970-01-01 00:00 UTC, in any zone.
        {Damaged("20100101T000000", "19691230T220000"), 1, 0, "", "<nothing thrown>"},
        {Damaged("20100101T000000", "19691230T215959"), 1, 80, "time: \"19691230T215959\" is more than 26 hours before 1970-01-01"},
        {ReadSample("N3-id-2-in-file-1"), 1, 5, "ID: 2 is not the number of the file, 1"},
        {ReadSample("N4-loose-item-too-short"), 1, 71, "TheInventory/item 1: \"wpn\" is not an equipment ID (wpn, shd, bmb, ngn, hll or gdg and three digits)"},
        {ReadSample("N5-difficulty-minus-1"), 1, 40, "Missions/item 1/m_difficulty: \"-1\" is not a whole number from 0 to 4294967295"},
        {ReadSample("N6-payment-minus-1"), 1, 41, "Missions/item 1/m_payment: \"-1\" is not a whole number from 0 to 4294967295"},
        {ReadSample("U1-empty-file"), 1, 1, "boost_serialization: the text does not begin with the XML declaration <?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?> on a line of its own"},
        {ReadSample("U2-money-text"), 1, 7, "Money: \"abc\" is not a whole number from 0 to 4294967295"},
        {ReadSample("U3-unregistered-class"), 1, 10, "Map/px: attribute class_id is \"21\" where the game writes \"2\""},
        {ReadSample("U4-nul-in-hull-type"), 1, 54, "Ships/item 1/HullType: character or entity reference \"&#0;\""},
        {ReadSample("U5-time-without-clock"), 1, 80, "time: \"20100101T\" is not a time of the form YYYYMMDDTHHMMSS"},
        {ReadSample("U6-byte-order-mark"), 1, 1, "boost_serialization: a byte order mark before the XML declaration"},
        {valid + std::string(savingFileMostBytes, '\n'), 1, 4191939, "boost_serialization: the text is 4196753 bytes long, more than the 4194304 a save file may hold",
         "savings/1: the file is larger than 4194304 bytes, the most a save file may hold"},
        {GeneratedSaving(2001, {"wpn001"}, {{}}), 3, 14, "Missions/item 2001/sp/px: the missions and technology nodes come to 2001 here, more than the 2000 a save file may hold together"},
        {GeneratedSaving(1999, {"wpn001", "wpn002"}, {{}, {0}}), 3, 47, "TheTechnologyTree/m_nodes/item 2/sp/px: the missions and technology nodes come to 2001 here, more than the 2000 a save file may hold together"},
        {GeneratedSaving(1, types, needs), 3, 47, "TheTechnologyTree/m_nodes/item 142/Predecessors: count 141 brings the entries of the lists of missions and technology nodes to 10013, more than the 10000 a save file may hold together"},
        {Damaged("\" ?>", "\"?>"), 1, 1, "boost_serialization: the text does not begin with the XML declaration <?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?> on a line of its own"},
        {Damaged("serialization>", "serialization [<!ENTITY e \"x\">]>"), 1, 2, "boost_serialization: the document type <!DOCTYPE boost_serialization> does not follow on a line of its own"},
        {Damaged("serialization>\n", "serialization>\n<!-- -->"), 1, 3, "boost_serialization: the outer element boost_serialization does not follow the document type"},
        {Damaged("::archive", "::archives"), 1, 3, "boost_serialization: signature \"serialization::archives\" is not \"serialization::archive\""},
        {Damaged("version=\"18", "version=\"19"), 1, 3, "boost_serialization: archive version \"19\" is an unsupported version: the game reads 5 to 18"},
        {Damaged("version=\"18", "version=\"4"), 1, 3, "boost_serialization: archive version \"4\" is an unsupported version: the game reads 5 to 18"},
        {valid + "<!-- -->\n", 1, 84, "boost_serialization: something other than blanks follows the end of boost_serialization"},
        {Damaged("</Money>", "</Money><!-- -->"), 1, 7, "savingImpl: a comment, which no save file holds"},
        {Damaged("</Money>", "<?pi?></Money>"), 1, 7, "Money: a processing instruction, which no save file holds"},
        {Damaged("<Money>0", "<Money><![CDATA[0]]>"), 1, 7, "Money: a CDATA section, which no save file holds"},
        {Damaged("</Money>", "</Money>x"), 1, 7, "savingImpl: text \"x\" between elements"},
        {Damaged("hll000", std::string("hll\0" "00", 6)), 1, 54, "Ships/item 1/HullType: control character 0x00"},
        {Damaged("<ShieldType></ShieldType>", "<ShieldType/>"), 1, 55, "Ships/item 1/ShieldType: an empty-element tag, where the game writes <ShieldType></ShieldType>"},
        {Damaged("<Map class_id", "<Map  class_id"), 1, 9, "Map: a start tag written otherwise than the game writes it (one blank before each attribute, values in double quotes, no other blanks)"},
        {WithNodes(valid, Chain(savingMostNestedNodes + 1)), 1, 74, "TheTechnologyTree: elements nest deeper than 261 levels: at most 64 technology nodes may lie one inside another"},
        {WithNodes(valid, Chain(5000)), 1, 74, "TheTechnologyTree: elements nest deeper than 261 levels: at most 64 technology nodes may lie one inside another"},
        {Damaged("\t<time>20100101T000000</time>\n", ""), 1, 80, "savingImpl: element \"time\" is missing"},
        {Damaged("</time>", "</time>\n\t<Extra>1</Extra>"), 1, 81, "savingImpl: unexpected element \"Extra\""},
        {Damaged(" version=\"0\">\n\t<ID>", ">\n\t<ID>"), 1, 4, "savingImpl: attribute \"version\" is missing"},
        {Damaged("tracking_level=\"0\" version=\"1\">\n\t\t<px", "version=\"1\" tracking_level=\"0\">\n\t\t<px"), 1, 9, "Map: attribute \"version\" where \"tracking_level\" belongs"},
        {Damaged("<Money>", "<Money unit=\"gold\">"), 1, 7, "Money: unexpected attribute \"unit\""},
        {Damaged("version=\"1\">\n\t\t<px", "version=\"2\">\n\t\t<px"), 1, 9, "Map: class version \"2\" is above the game's own, 1"},
        {Damaged("object_id=\"_2\"", "object_id_reference=\"_1\""), 1, 73, "TheTechnologyTree/px: object_id_reference \"_1\" names no object of its class written before"},
        {Replace(Damaged("<count>1", "<count>2"), "</item>\n\t</Missions>", secondMission), 1, 45, "Missions/item 2: lists object _1 a second time"},
        {Damaged("class_id=\"6\" tracking_level=\"1\" version=\"0\" object_id=\"_1\"", "class_id=\"-1\""), 1, 19, "Missions/item 1/sp/px: an empty pointer inside a stable pointer, which is never empty"},
        {Damaged("<count>1</count>\n\t\t\t\t<item_version>0</item_version>\n\t\t\t\t<item>wpn", "<count>2</count>\n\t\t\t\t<item_version>0</item_version>\n\t\t\t\t<item>wpn"), 1, 57, "Ships/item 1/WeaponTypes: count 2 differs from the number of items, 1"},
        {Damaged("<item_version>0", "<item_version>1"), 1, 16, "Missions/item_version: \"1\" is not 0, the item version the game writes"},
        {Damaged("<Money>0", "<Money>+5"), 1, 7, "Money: \"+5\" is not a whole number from 0 to 4294967295"},
        {Damaged("<Money>0", "<Money>1\n0"), 1, 7, "Money: \"1\\x0A0\" is not a whole number from 0 to 4294967295"},
        {Damaged("<Money>0", "<Money> 0"), 1, 7, "Money: \" 0\" has blanks before the number, which the archive cannot read"},
        {Damaged("<Seed>0", "<Seed>2147483648"), 1, 8, "Seed: \"2147483648\" is not a whole number from -2147483648 to 2147483647"},
        {Damaged("<Open>1", "<Open>2"), 1, 20, "Missions/item 1/Open: \"2\" is not 0 or 1"},
        {Damaged("<x>0.5", "<x>1e39"), 1, 34, "Missions/item 1/m_position/x: \"1e39\" is not a finite number"},
        {Damaged("20100101T", "20100230T"), 1, 80, "time: \"20100230T000000\" is not a real date and time of day"},
        {Damaged("<HullType>hll", "<HullType>wpn"), 1, 54, "Ships/item 1/HullType: \"wpn000\" is not a hull ID (hll and three digits)"},
        {Damaged("<item>wpn000", "<item> wpn000"), 1, 59, "Ships/item 1/WeaponTypes/item 1: \" wpn000\" is neither empty nor a weapon ID (wpn and three digits)"},
    };
    for (const auto& row : cases)
    {
        unsigned long line = 0;
        EXPECT_EQ(row.message, CheckMessage(row.text, row.id, &line)) << row.text.substr(0, 3000);
        EXPECT_EQ(row.line, line) << row.message;
        root.WriteFile("savings/" + std::to_string(row.id), row.text);
        EXPECT_EQ(row.loading.empty() ? "savings/" + std::to_string(row.id) + ":" + std::to_string(row.line) + ": " + row.message : row.loading,
                  ThrownMessage<Exception>([&] { manager->Load(row.id); }));
        std::filesystem::remove(root.GetPath() / "savings" / std::to_string(row.id));
    }
}
