// Damaged copies of valid save files, made at random with a fixed seed, loaded through
// the saving manager: each one loads, and is then written back, loaded again, played
// from and its missions built, or is refused with a message of the game's own that
// names the file; the sanitizer build finds crashes and leaks. A failure shows the
// kind, the case's seed and the damage.
#include "campaign/HubFixture.hpp"
#include "core/Exception.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    // The saving manager with the mission generator and its data, to build the
    // missions of what loads.
    using SavingFuzzTest = HubFixture;
    using Random = std::mt19937_64;
    using Place = std::pair<std::size_t, std::size_t>; // where in a text, how many bytes

    std::size_t Below(Random& random, std::size_t bound) { return random() % bound; }
    template <typename T>
    const T& Pick(Random& random, const std::vector<T>& choices) { return choices[Below(random, choices.size())]; }
    std::string Replaced(std::string text, Place at, std::string by) { return text.replace(at.first, at.second, by); }

    // An element: where its start tag begins and ends, where its end tag ends; its parent's index.
    struct Element
    {
        std::size_t begin, open, end, parent;
    };

    // A valid save file, its elements found by a scan of its tags (the game's files have no
    // comments, no empty-element tags, values in double quotes), and the places of its numbers
    // (values, and bookkeeping attributes: ids, tracking levels, versions), equipment IDs, counts.
    struct Sample
    {
        Sample(std::string sampleName, unsigned long savingId, std::string sampleText)
            : name(std::move(sampleName)), id(savingId), text(std::move(sampleText))
        {
            std::vector<std::size_t> open;
            const std::regex tag("<(/?)(\\w+)[^>]*>"), attribute("=\"(_?\\d+)\"");
            for (std::sregex_iterator found(text.begin(), text.end(), tag), end; found != end; ++found)
            {
                const std::size_t at = found->position(), tagEnd = at + found->length();
                if (found->length(1) == 0)
                {
                    elements.push_back({at, tagEnd, 0, open.empty() ? std::string::npos : open.back()});
                    open.push_back(elements.size() - 1);
                    continue;
                }
                Element& element = elements[open.back()];
                open.pop_back();
                element.end = tagEnd;
                const Place content(element.open, at - element.open);
                const std::string value = text.substr(content.first, content.second);
                if (!value.empty() && value.find_first_not_of("-0123456789.e") == std::string::npos)
                    numbers.push_back(content);
                if (found->str(2) == "count")
                    counts.push_back(content);
                if (value.size() == 6 && std::isalpha(static_cast<unsigned char>(value[0])))
                    equipment.push_back(content);
            }
            for (std::sregex_iterator found(text.begin(), text.end(), attribute), end; found != end; ++found)
                numbers.emplace_back(found->position(1), found->length(1));
        }
        Place Whole(const Element& e) const { return {e.begin, e.end - e.begin}; }
        std::string Text(const Element& e) const { return text.substr(e.begin, e.end - e.begin); }

        std::string name;
        unsigned long id;
        std::string text;
        std::vector<Element> elements;
        std::vector<Place> numbers, equipment, counts;
    };

    // A kind of damage: its name, number of cases, the values it puts in, and how it
    // makes a case's text of a sample, an element of it and a value picked at random.
    struct Kind
    {
        const char* name;
        std::size_t cases;
        std::vector<std::string> values;
        std::string (*damage)(const Sample&, const Element&, const std::string& value, Random&);
    };
    const Kind kinds[] = {
        {"truncation", 2000, {},
         [](auto& s, auto&, auto&, auto& random) { return s.text.substr(0, Below(random, s.text.size())); }},
        // Anywhere, or half the time inside the element; "" stands for a random byte.
        {"byte replaced", 3000, {std::string(1, '\0'), "<", ">", "&", "\"", "\x01", "\xFF", ""},
         [](auto& s, auto& e, auto& value, auto& random) {
             const std::size_t inside = e.begin + Below(random, e.end - e.begin);
             const std::size_t at = Below(random, 2) ? Below(random, s.text.size()) : inside;
             return Replaced(s.text, {at, 1}, value.empty() ? std::string(1, char(random())) : value);
         }},
        {"element deleted", 2000, {}, [](auto& s, auto& e, auto&, auto&) { return Replaced(s.text, s.Whole(e), ""); }},
        {"element duplicated", 2000, {},
         [](auto& s, auto& e, auto&, auto&) { return Replaced(s.text, {e.end, 0}, s.Text(e)); }},
        {"element swapped with a sibling", 2000, {}, [](auto& s, auto& e, auto&, auto& random) {
             const Element *first = &e, *second = &e;
             while (first->parent != second->parent || first->begin >= second->begin)
                 first = &Pick(random, s.elements), second = &Pick(random, s.elements);
             return Replaced(Replaced(s.text, s.Whole(*second), s.Text(*first)), s.Whole(*first), s.Text(*second));
         }},
        {"extreme number", 600, {"-1", "4294967296", "2147483648", "99999999999999999999", "", " 7", "0x10", "nan",
                                 "1e9", "-2", "32768", "_99", "2147483647", "12403"},
         [](auto& s, auto&, auto& value, auto& random) { return Replaced(s.text, Pick(random, s.numbers), value); }},
        // In a hull's, a shield's or a weapon's place, a loose item, the shop's, a mission's or a node's.
        {"wrong equipment ID", 150, {"wpn", "wpn0000", "xyz001", "wpn500", "bmb001", "hll000"},
         [](auto& s, auto&, auto& value, auto& random) { return Replaced(s.text, Pick(random, s.equipment), value); }},
        // A count made huge or, a third of the time, one more or one less.
        {"huge count", 2000, {"10000", "10001", "1000000000", "2147483648", "4294967295"},
         [](auto& s, auto&, auto& value, auto& random) {
             const Place& count = Pick(random, s.counts);
             const unsigned long items = std::stoul(s.text.substr(count.first, count.second));
             const unsigned long other = Below(random, 2) || !items ? items + 1 : items - 1;
             return Replaced(s.text, count, Below(random, 3) ? value : std::to_string(other));
         }},
    };

    // Bytes for a message, printable ASCII as it is and the others as \xNN.
    std::string Shown(const std::string& bytes, std::size_t most = 40)
    {
        const char* const digits = "0123456789ABCDEF";
        std::string shown;
        for (const unsigned char byte : bytes.substr(0, most))
            shown += std::isprint(byte) && byte != '\\' ? std::string(1, byte)
                                                        : std::string{'\\', 'x', digits[byte / 16], digits[byte % 16]};
        return bytes.size() > most ? shown + "...(" + std::to_string(bytes.size()) + " bytes)" : shown;
    }

    // Where the damaged text differs from the sample's, with a few bytes around:
    // "line N: before[old -> new]after".
    std::string Describe(const Sample& s, const std::string& now)
    {
        const std::string& was = s.text;
        const std::size_t from = std::mismatch(was.begin(), was.end(), now.begin(), now.end()).first - was.begin();
        const std::size_t back =
            std::mismatch(was.rbegin(), was.rend() - from, now.rbegin(), now.rend() - from).first - was.rbegin();
        const std::size_t start = from < 12 ? 0 : from - 12;
        return "in " + s.name + ", line " + std::to_string(1 + std::count(was.begin(), was.begin() + from, '\n')) +
               ": " + Shown(was.substr(start, from - start)) + "[" +
               Shown(was.substr(from, was.size() - back - from)) + " -> " +
               Shown(now.substr(from, now.size() - back - from)) + "]" + Shown(was.substr(was.size() - back, 12));
    }

    // What is wrong with the way the game takes the text as the file of saving `id`, empty
    // for nothing. A saving that loads must be playable (picking it would end the game
    // otherwise). A refusal names the file, perhaps a line and a column, and gives a reason
    // of the game's own: not empty, not a library's bare text (nor one after the game's
    // words before the archive reader's texts).
    std::string Judge(const ScratchGameRoot& root, const SavingManager& manager, unsigned long id,
                      const std::string& text, bool& loaded)
    {
        root.WriteFile("savings/" + std::to_string(id), text);
        loaded = false;
        try
        {
            const stable_ptr<Saving> saving = manager.Load(id);
            loaded = true;
            manager.Save(saving);
            manager.Load(id);
            saving->LoadInventory();
            for (const stable_ptr<MissionBlueprint>& mission : saving->GetMissions())
                GetFromRegistry<MissionFactory>()->CreateMission(mission);
            return "";
        }
        catch (const std::exception& error)
        {
            static const std::regex refusal(
                "^savings/(\\d+)(:\\d+){0,2}: (?!(the save file's reader stopped here: )?($|input stream error|std::|"
                "unregistered class|invalid signature|unsupported version|XML start/end tag mismatch|bad lexical cast|"
                "unrecognized XML syntax|array size too short|pointer conflict|basic_string|vector::|map::at|sto[iul]|"
                "(Cannot|could not) convert|Year is out|Month number|Day of month|invalid class name))");
            const std::string message = error.what(), file = std::to_string(id);
            std::smatch found;
            const std::string fault = loaded ? "loaded, but not saved, reloaded, played and its missions built"
                                      : !dynamic_cast<const Exception*>(&error) ? "refused outside the game's family"
                                      : !std::regex_search(message, found, refusal) || found[1] != file
                                          ? "refused without savings/" + file + " and a reason of its own" : "";
            return fault.empty() ? "" : fault + ": " + Shown(message, 300);
        }
    }
}

TEST_F(SavingFuzzTest, DamagedSavesLoadOrAreRefusedByName)
{
    std::ifstream valid(std::string(KESTRUM_SOURCE_DIR) + "/tests/data/hostile-saves/FS-valid-save-1.xml");
    const std::vector<Sample> samples = {
        {"saving 3", 3, oneMissionSaving}, {"the two-mission saving", 3, TwoMissionSaving()},
        {"FS-valid-save-1", 1, std::string(std::istreambuf_iterator<char>(valid), {})}};
    bool loaded = false;
    for (const Sample& sample : samples)
        ASSERT_EQ("", Judge(root, *GetFromRegistry<SavingManager>(), sample.id, sample.text, loaded)) << sample.name;
    std::cout << "a crash leaves the case's text in " << (root.GetPath() / "savings").string() << "\n";
    const std::uint64_t seed = 20261207;
    for (const Kind& kind : kinds)
    {
        std::size_t loads = 0, faults = 0;
        for (std::size_t n = 0; n < kind.cases; ++n)
        {
            const std::uint64_t caseSeed = seed + 1000000 * (&kind - kinds) + n;
            Random random(caseSeed);
            const Sample& sample = samples[n % samples.size()];
            const Element& element = Pick(random, sample.elements);
            const std::string value = kind.values.empty() ? "" : Pick(random, kind.values);
            const std::string damaged = kind.damage(sample, element, value, random);
            const std::string fault = Judge(root, *GetFromRegistry<SavingManager>(), sample.id, damaged, loaded);
            loads += loaded;
            if (!fault.empty() && ++faults <= 3)
                ADD_FAILURE() << kind.name << ", seed " << caseSeed << ": " << fault << "\n"
                              << Describe(sample, damaged);
        }
        EXPECT_EQ(0u, faults) << kind.name << ": the first 3 are shown";
        std::cout << kind.name << ": " << kind.cases << " cases, " << loads << " loaded\n";
    }
}
