// Damaged save files, made at random from valid ones with a fixed seed, loaded
// through the saving manager: each one loads (and is then written back, loaded
// again and played from) or is refused by name, without a crash, a hang or a
// leak (the sanitizer build finds those). A failure names the kind of damage,
// the case's seed and the damage itself, so that the case can be made again.
#include "campaign/SavingFileCheck.hpp"
#include "campaign/SavingFixture.hpp"
#include "core/Exception.hpp"
#include "flight/Inventory.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    using SavingFuzzTest = SavingFixture;

    // An element of a valid save file, by the places of its tags: the '<' of its
    // start tag, the end of that tag, the '<' of its end tag and the end of that.
    struct Element
    {
        std::string name;
        std::size_t begin, open, close, end;
        std::size_t parent;
        bool leaf;
    };

    // An attribute's name and the place of its value.
    struct Attribute
    {
        std::string name;
        std::size_t begin, end;
    };

    // A valid save file taken apart into its elements and attributes (the game's
    // own form: no comments, values in double quotes, no empty-element tags).
    struct Sample
    {
        std::string name;
        unsigned long id;
        std::string text;
        std::vector<Element> elements;
        std::vector<Attribute> attributes;

        Sample(std::string sampleName, unsigned long savingId, std::string sampleText)
            : name(std::move(sampleName)), id(savingId), text(std::move(sampleText))
        {
            std::vector<std::size_t> open;
            for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
            {
                const std::size_t tagEnd = text.find('>', at) + 1;
                if (text[at + 1] == '?' || text[at + 1] == '!')
                    continue;
                if (text[at + 1] == '/')
                {
                    Element& element = elements[open.back()];
                    element.close = at;
                    element.end = tagEnd;
                    element.leaf = text.find('<', element.open) == at;
                    open.pop_back();
                    continue;
                }
                const std::size_t nameEnd = text.find_first_of(" >", at);
                elements.push_back({text.substr(at + 1, nameEnd - at - 1), at, tagEnd, 0, 0,
                                    open.empty() ? std::string::npos : open.back(), false});
                open.push_back(elements.size() - 1);
                for (std::size_t name = nameEnd + 1; name < tagEnd; )
                {
                    const std::size_t equals = text.find('=', name);
                    const std::size_t value = equals + 2, valueEnd = text.find('"', value);
                    attributes.push_back({text.substr(name, equals - name), value, valueEnd});
                    name = valueEnd + 2;
                }
            }
        }

        std::string Content(const Element& element) const
        {
            return text.substr(element.open, element.close - element.open);
        }
    };

    // The random numbers of one case, from its own seed.
    class Random
    {
    public:
        explicit Random(std::uint64_t seed) : m_engine(seed) {}

        std::size_t Below(std::size_t bound) { return bound ? m_engine() % bound : 0; }
        bool OneIn(std::size_t chances) { return Below(chances) == 0; }

        template <typename T>
        const T& Pick(const std::vector<T>& choices)
        {
            return choices[Below(choices.size())];
        }

    private:
        std::mt19937_64 m_engine;
    };

    // One change of the text: `erase` bytes at `at` replaced by `insert`.
    struct Edit
    {
        std::size_t at, erase;
        std::string insert;
    };

    // A damage: its edits, which do not overlap, and what it is.
    struct Damage
    {
        std::string what;
        std::vector<Edit> edits;
    };

    std::string Apply(std::string text, std::vector<Edit> edits)
    {
        std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at > b.at; });
        for (const Edit& edit : edits)
            text.replace(edit.at, edit.erase, edit.insert);
        return text;
    }

    // A text for a failure's message: bytes other than printable ASCII as \xNN,
    // cut after `most` characters.
    std::string Shown(const std::string& text, std::size_t most = 60)
    {
        std::string shown = "\"";
        for (std::size_t i = 0; i < text.size() && i < most; ++i)
        {
            const unsigned char byte = static_cast<unsigned char>(text[i]);
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            shown += byte >= 0x20 && byte < 0x7F && byte != '\\' ? std::string(1, text[i]) : code;
        }
        return shown + (text.size() > most ? "...\" (" + std::to_string(text.size()) + " bytes)" : "\"");
    }

    std::string Describe(const Sample& sample, const Damage& damage)
    {
        std::string description = damage.what + " in " + sample.name + ":";
        for (const Edit& edit : damage.edits)
            description += "\n  line " +
                           std::to_string(1 + std::count(sample.text.begin(), sample.text.begin() + edit.at, '\n')) +
                           ", byte " + std::to_string(edit.at) + ": " + Shown(sample.text.substr(edit.at, edit.erase)) +
                           " -> " + Shown(edit.insert);
        return description;
    }

    bool IsNumber(const std::string& text)
    {
        return !text.empty() && text.find_first_not_of("-0123456789.e") == std::string::npos;
    }

    bool IsEquipmentPlace(const Sample& sample, const Element& element)
    {
        const std::string content = sample.Content(element);
        const bool weapon = element.parent != std::string::npos && sample.elements[element.parent].name == "WeaponTypes";
        return element.leaf && (element.name == "HullType" || element.name == "ShieldType" || weapon ||
                                (content.size() == 6 && std::isalpha(static_cast<unsigned char>(content[0]))));
    }

    // The elements or attributes that satisfy the condition.
    template <typename T, typename Condition>
    std::vector<const T*> Where(const std::vector<T>& all, Condition condition)
    {
        std::vector<const T*> found;
        for (const T& each : all)
            if (condition(each))
                found.push_back(&each);
        return found;
    }

    Damage Truncation(const Sample& sample, Random& random)
    {
        const std::size_t at = random.Below(sample.text.size());
        return {"truncation at byte " + std::to_string(at), {{at, sample.text.size() - at, ""}}};
    }

    // A byte somewhere, or, half the time, inside a tag or a value.
    std::size_t SomeByte(const Sample& sample, Random& random)
    {
        if (random.OneIn(2))
            return random.Below(sample.text.size());
        const Element& element = random.Pick(sample.elements);
        if (element.leaf && element.close > element.open && random.OneIn(2))
            return element.open + random.Below(element.close - element.open);
        return element.begin + random.Below(element.open - element.begin);
    }

    Damage ByteFlip(const Sample& sample, Random& random)
    {
        const std::size_t at = SomeByte(sample, random), bit = random.Below(8);
        return {"bit " + std::to_string(bit) + " flipped",
                {{at, 1, std::string(1, static_cast<char>(sample.text[at] ^ (1 << bit)))}}};
    }

    Damage ByteReplacement(const Sample& sample, Random& random)
    {
        const std::vector<std::string> bytes = {std::string(1, '\0'), "<", ">", "&", "\"", "'", "/", " ", "\x01",
                                                "\x1F", "\x7F", "\x80", "\xC3", "\xFF", "9", "-", "="};
        std::string byte = random.Pick(bytes);
        if (random.OneIn(4))
            byte = std::string(1, static_cast<char>(random.OneIn(2) ? random.Below(0x20) : 0x80 + random.Below(0x80)));
        return {"byte replaced", {{SomeByte(sample, random), 1, byte}}};
    }

    Damage ElementDeletion(const Sample& sample, Random& random)
    {
        const Element& element = random.Pick(sample.elements);
        return {"element " + element.name + " deleted", {{element.begin, element.end - element.begin, ""}}};
    }

    Damage ElementDuplication(const Sample& sample, Random& random)
    {
        const Element& element = random.Pick(sample.elements);
        return {"element " + element.name + " duplicated",
                {{element.end, 0, sample.text.substr(element.begin, element.end - element.begin)}}};
    }

    // Two elements, neither inside the other, change places: half the time two
    // of the same parent.
    Damage ElementSwap(const Sample& sample, Random& random)
    {
        const Element& first = random.Pick(sample.elements);
        const bool siblings = random.OneIn(2);
        const auto others = Where(sample.elements, [&](const Element& other) {
            return (other.end <= first.begin || first.end <= other.begin) && (!siblings || other.parent == first.parent);
        });
        if (others.empty())
            return ElementDeletion(sample, random);
        const Element& second = *others[random.Below(others.size())];
        const auto text = [&](const Element& element) {
            return sample.text.substr(element.begin, element.end - element.begin);
        };
        return {"elements " + first.name + " and " + second.name + " swapped",
                {{first.begin, first.end - first.begin, text(second)}, {second.begin, second.end - second.begin, text(first)}}};
    }

    Damage ExtremeNumber(const Sample& sample, Random& random)
    {
        const std::vector<std::string> numbers = {"-1", "0", "4294967295", "4294967296", "2147483648",
                                                  "99999999999999999999", "1e9", "", " 7", "0x10", "nan",
                                                  "-2147483648", "2147483647"};
        const std::string& number = random.Pick(numbers);
        const auto attributes = Where(sample.attributes, [&](const Attribute& attribute) {
            return IsNumber(sample.text.substr(attribute.begin, attribute.end - attribute.begin));
        });
        if (random.OneIn(3))
        {
            const Attribute& attribute = *attributes[random.Below(attributes.size())];
            return {"attribute " + attribute.name + " set to " + number,
                    {{attribute.begin, attribute.end - attribute.begin, number}}};
        }
        const auto elements = Where(sample.elements, [&](const Element& element) {
            return element.leaf && IsNumber(sample.Content(element));
        });
        const Element& element = *elements[random.Below(elements.size())];
        return {"element " + element.name + " set to " + number, {{element.open, element.close - element.open, number}}};
    }

    // The values of two elements change places: half the time two of the same
    // name (two missions' numbers, two nodes' types).
    Damage ValueSwap(const Sample& sample, Random& random)
    {
        const auto leaves = Where(sample.elements, [](const Element& element) { return element.leaf; });
        const Element& first = *leaves[random.Below(leaves.size())];
        const bool sameName = random.OneIn(2);
        const auto others = Where(sample.elements, [&](const Element& other) {
            return other.leaf && &other != &first && (!sameName || other.name == first.name);
        });
        if (others.empty())
            return ExtremeNumber(sample, random);
        const Element& second = *others[random.Below(others.size())];
        return {"the values of " + first.name + " and " + second.name + " swapped",
                {{first.open, first.close - first.open, sample.Content(second)},
                 {second.open, second.close - second.open, sample.Content(first)}}};
    }

    // A class id or an object id (or a reference to one) made wrong, or the
    // attribute named as the other kind.
    Damage WrongId(const Sample& sample, Random& random)
    {
        const auto ids = Where(sample.attributes, [](const Attribute& attribute) {
            return attribute.name.compare(0, 8, "class_id") == 0 || attribute.name.compare(0, 9, "object_id") == 0;
        });
        const Attribute& id = *ids[random.Below(ids.size())];
        if (random.OneIn(6))
        {
            const bool reference = id.name.find("_reference") != std::string::npos;
            const std::size_t nameAt = id.begin - 2 - id.name.size();
            return {"attribute " + id.name + " renamed",
                    {{nameAt, id.name.size(), reference ? id.name.substr(0, id.name.size() - 10) : id.name + "_reference"}}};
        }
        const std::string value = sample.text.substr(id.begin, id.end - id.begin);
        const bool object = value[0] == '_';
        const long number = std::stol(value.substr(object ? 1 : 0));
        const std::string mark = object ? "_" : "";
        const std::vector<std::string> wrong = {"-1", "-2", "32768", mark + std::to_string(number + 1),
                                                mark + std::to_string(random.Below(number + 1)),
                                                mark + std::to_string(number - 1), "_4294967296", mark + "99999"};
        const std::string& chosen = random.Pick(wrong);
        return {"attribute " + id.name + " set to " + chosen, {{id.begin, id.end - id.begin, chosen}}};
    }

    Damage WrongEquipmentId(const Sample& sample, Random& random)
    {
        const std::vector<std::string> wrong = {"wpn", "wpn0000", "xyz001", "wpn500", "bmb001", "hll000",
                                                "shd001", "wpn002", "", "WPN000", "wpn00a"};
        const std::string& chosen = random.Pick(wrong);
        const auto places = Where(sample.elements, [&](const Element& element) { return IsEquipmentPlace(sample, element); });
        const Element& element = *places[random.Below(places.size())];
        return {"element " + element.name + " set to " + Shown(chosen),
                {{element.open, element.close - element.open, chosen}}};
    }

    Damage WrongSavingId(const Sample& sample, Random& random)
    {
        const std::string id = std::to_string(sample.id);
        const std::vector<std::string> wrong = {"0", std::to_string(sample.id - 1), std::to_string(sample.id + 1),
                                                "4294967295", "4294967296", "-" + id, id + " ", " " + id, "0" + id,
                                                "+" + id, "", id + "x", std::to_string(sample.id + (1ull << 32))};
        const std::string& chosen = random.Pick(wrong);
        const Element& element = **Where(sample.elements, [](const Element& each) { return each.name == "ID"; }).begin();
        return {"ID set to " + Shown(chosen), {{element.open, element.close - element.open, chosen}}};
    }

    // A count made huge, or off by one; or, now and then, a collection of
    // equipment IDs grown to the most items a collection may hold, or one more.
    Damage HugeCount(const Sample& sample, Random& random)
    {
        const bool grown = random.OneIn(8);
        const auto counts = Where(sample.elements, [&](const Element& element) {
            if (element.name != "count")
                return false;
            const std::string& collection = sample.elements[element.parent].name;
            return !grown || (collection != "Missions" && collection != "Ships" && collection != "m_nodes" &&
                              collection != "Predecessors");
        });
        const Element& count = *counts[random.Below(counts.size())];
        const unsigned long items = std::stoul(sample.Content(count));
        if (grown)
        {
            const Element& collection = sample.elements[count.parent];
            const std::string item = collection.name == "Successors" ? "<item>0</item>" : "<item>wpn000</item>";
            const std::size_t most = savingCollectionMostItems + random.Below(2);
            std::string more;
            for (std::size_t i = items; i < most; ++i)
                more += item;
            return {collection.name + " grown to " + std::to_string(most) + " items",
                    {{count.open, count.close - count.open, std::to_string(most)}, {collection.close, 0, more}}};
        }
        const std::vector<std::string> huge = {std::to_string(items + 1), std::to_string(items ? items - 1 : 2),
                                               "10000", "10001", "2147483648", "4294967295", "4294967296",
                                               "99999999999999999999", "1000000"};
        const std::string& chosen = random.Pick(huge);
        return {"count set to " + chosen, {{count.open, count.close - count.open, chosen}}};
    }

    // The tree's nodes, from the object id `first` on, each needing the next:
    // the first one listed with all the others written inside it, the others
    // listed by reference.
    std::string Chain(std::size_t length, std::size_t first)
    {
        const std::string classes = " tracking_level=\"0\" version=\"0\"";
        std::string nodes = "<count>" + std::to_string(length) + "</count><item_version>0</item_version>";
        std::string ends, references;
        for (std::size_t k = 0; k < length; ++k)
        {
            const std::string id = "_" + std::to_string(first + k);
            nodes += (k ? "<item><sp><px class_id_reference=\"19\"" : "<item class_id=\"17\"" + classes +
                      "><sp class_id=\"18\" tracking_level=\"0\" version=\"1\"><px class_id=\"19\" tracking_level=\"1\" version=\"0\"") +
                     " object_id=\"" + id + "\"><Type>wpn" + std::to_string(100 + k % 900) + "</Type><Position><x>" +
                     std::to_string(k) + "</x><y>0</y></Position><Predecessors><count>" + (k + 1 < length ? "1" : "0") +
                     "</count><item_version>0</item_version>";
            // The innermost node, closed first, holds the first cost written.
            ends += std::string("</Predecessors><Cost") + (k == 0 ? " class_id=\"20\"" + classes : "") +
                    "><initialized>0</initialized></Cost><Open>0</Open></px></sp></item>";
            if (k > 0)
                references += "<item><sp><px class_id_reference=\"19\" object_id_reference=\"" + id + "\"></px></sp></item>";
        }
        return nodes + ends + references;
    }

    // The tree replaced by a chain of nodes, short or around the bound of
    // nesting or far beyond it; or an element wrapped in thousands of others.
    Damage DeepChain(const Sample& sample, Random& random)
    {
        if (random.OneIn(4))
        {
            const Element& element = random.Pick(sample.elements);
            const std::size_t depth = random.OneIn(2) ? 300 : 20000;
            std::string before, after;
            for (std::size_t i = 0; i < depth; ++i)
                before += "<px>", after += "</px>";
            return {element.name + " wrapped in " + std::to_string(depth) + " elements",
                    {{element.begin, 0, before}, {element.end, 0, after}}};
        }
        const Element& nodes = **Where(sample.elements, [](const Element& each) { return each.name == "m_nodes"; }).begin();
        // The tree is the last object written before its nodes.
        const Attribute& tree = *Where(sample.attributes, [&](const Attribute& each) {
            return each.name == "object_id" && each.begin < nodes.begin;
        }).back();
        const std::size_t first = std::stoul(sample.text.substr(tree.begin + 1, tree.end - tree.begin - 1)) + 1;
        const std::vector<std::size_t> lengths = {1 + random.Below(savingMostNestedNodes), savingMostNestedNodes,
                                                  savingMostNestedNodes + 1, 65 + random.Below(300), 2000, 5000};
        const std::size_t length = random.Pick(lengths);
        return {"the tree's nodes replaced by a chain of " + std::to_string(length),
                {{nodes.open, nodes.close - nodes.open, Chain(length, first)}}};
    }

    Damage OneOfTheKinds(const Sample& sample, Random& random);

    // Two to four damages of the other kinds at once, but for chains.
    Damage Several(const Sample& sample, Random& random)
    {
        Damage several{"several damages", {}};
        for (std::size_t n = 2 + random.Below(3); n > 0; --n)
        {
            const Damage damage = OneOfTheKinds(sample, random);
            const bool overlaps = std::any_of(damage.edits.begin(), damage.edits.end(), [&](const Edit& edit) {
                return std::any_of(several.edits.begin(), several.edits.end(), [&](const Edit& other) {
                    return edit.at <= other.at + other.erase && other.at <= edit.at + edit.erase;
                });
            });
            if (overlaps)
                continue;
            several.what += (several.edits.empty() ? ": " : "; ") + damage.what;
            several.edits.insert(several.edits.end(), damage.edits.begin(), damage.edits.end());
        }
        return several;
    }

    // A kind of damage: its name, the number of its cases and how it is done.
    struct Kind
    {
        const char* name;
        std::size_t count;
        Damage (*damage)(const Sample&, Random&);
    };

    const Kind kinds[] = {
        {"truncation", 300, Truncation},
        {"byte flip", 300, ByteFlip},
        {"byte replacement", 400, ByteReplacement},
        {"element deletion", 300, ElementDeletion},
        {"element duplication", 300, ElementDuplication},
        {"element swap", 300, ElementSwap},
        {"value swap", 80, ValueSwap},
        {"extreme number", 200, ExtremeNumber},
        {"wrong id", 300, WrongId},
        {"wrong equipment ID", 100, WrongEquipmentId},
        {"wrong saving ID", 40, WrongSavingId},
        {"huge count", 200, HugeCount},
        {"deep chain", 40, DeepChain},
        {"several", 300, Several},
    };

    // A damage of a kind of the table but for the last two, chains and several.
    Damage OneOfTheKinds(const Sample& sample, Random& random)
    {
        const std::size_t simple = std::size(kinds) - 2;
        return kinds[random.Below(simple)].damage(sample, random);
    }

    // The saving with three missions opening one another, three ships (two of
    // two weapon slots, one of them empty), loose items, and a tree of five
    // nodes: the first holds two nested predecessors, which share a third
    // nested in the first of them; the others are listed by reference, and the
    // last node needs the first.
    std::string RichSaving()
    {
        const auto collection = [](const std::string& tag, const std::string& classes, const std::vector<std::string>& items) {
            std::string text = "<" + tag + classes + "><count>" + std::to_string(items.size()) + "</count><item_version>0</item_version>";
            for (const std::string& item : items)
                text += "<item>" + item + "</item>";
            return text + "</" + tag + ">";
        };
        const std::string classes = " tracking_level=\"0\" version=\"0\"";
        const auto mission = [&](std::size_t id, const std::string& open, const std::vector<std::string>& successors,
                                 const std::vector<std::string>& key, const std::vector<std::string>& goodies) {
            const bool first = id == 0;
            return std::string(first ? "<item class_id=\"4\"" + classes + "><sp class_id=\"5\" tracking_level=\"0\" version=\"1\">"
                                       "<px class_id=\"6\" tracking_level=\"1\" version=\"0\""
                                     : "<item><sp><px class_id_reference=\"6\"") +
                   " object_id=\"_" + std::to_string(id + 1) + "\">\n<Open>" + open + "</Open>" +
                   collection("Successors", "", successors) +
                   collection("KeyEquipment", first ? " class_id=\"8\"" + classes : "", key) + collection("Goodies", "", goodies) +
                   "<m_position" + (first ? " class_id=\"9\"" + classes : "") + "><x>0." + std::to_string(id + 2) +
                   "</x><y>0.75</y></m_position><m_id>" + std::to_string(id) + "</m_id><m_seed>" + std::to_string(11 * id) +
                   "</m_seed><m_type>0</m_type><m_difficulty>" + std::to_string(5 + id) + "</m_difficulty><m_payment>" +
                   std::to_string(1000 * id) + "</m_payment>\n</px></sp></item>\n";
        };
        const auto node = [&](std::size_t object, const std::string& type, const std::string& predecessors,
                              const std::string& cost) {
            return "<item><sp><px class_id_reference=\"19\" object_id=\"_" + std::to_string(object) + "\">\n<Type>" + type +
                   "</Type><Position><x>" + std::to_string(object * 10) + "</x><y>-2.5</y></Position>" + predecessors +
                   "<Cost>" + (cost.empty() ? "<initialized>0</initialized>" : "<initialized>1</initialized><item_version>0</item_version><value>" + cost + "</value>") +
                   "</Cost><Open>" + (cost == "300" ? "1" : "0") + "</Open>\n</px></sp></item>\n";
        };
        const auto reference = [](std::size_t object) {
            return "<item><sp><px class_id_reference=\"19\" object_id_reference=\"_" + std::to_string(object) + "\"></px></sp></item>\n";
        };
        const auto predecessors = [](const std::string& count, const std::string& items) {
            return "<Predecessors><count>" + count + "</count><item_version>0</item_version>" + items + "</Predecessors>";
        };
        const auto ship = [&](const std::string& head, const std::string& hull, const std::string& shield,
                              const std::vector<std::string>& weapons) {
            return "<item" + head + "><HullType>" + hull + "</HullType><ShieldType>" + shield + "</ShieldType>" +
                   collection("WeaponTypes", "", weapons) + "</item>\n";
        };
        std::string nodeC = node(7, "wpn002", predecessors("0", ""), "300");
        nodeC = Replace(nodeC, "<Cost>", "<Cost class_id=\"20\"" + classes + ">");
        std::string nodes = node(5, "wpn001", predecessors("2", node(6, "shd001", predecessors("1", nodeC), "") +
                                                                   node(8, "hll001", predecessors("1", reference(7)), "5000")),
                                 "200");
        nodes = Replace(nodes, "<item><sp><px class_id_reference=\"19\"",
                        "<item class_id=\"17\"" + classes + "><sp class_id=\"18\" tracking_level=\"0\" version=\"1\">"
                        "<px class_id=\"19\" tracking_level=\"1\" version=\"0\"");
        nodes += reference(6) + reference(7) + reference(8) + node(9, "shd000", predecessors("1", reference(5)), "4294967295");
        return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n<!DOCTYPE boost_serialization>\n"
               "<boost_serialization signature=\"serialization::archive\" version=\"18\">\n"
               "<savingImpl class_id=\"0\"" + classes + ">\n<ID>7</ID>\n<FinalMission>2</FinalMission>\n<Money>123456</Money>\n"
               "<Seed>2147483647</Seed>\n<Map class_id=\"1\" tracking_level=\"0\" version=\"1\"><px class_id=\"2\" "
               "tracking_level=\"1\" version=\"0\" object_id=\"_0\"><m_seed>99</m_seed></px></Map>\n"
               "<Missions class_id=\"3\"" + classes + "><count>3</count><item_version>0</item_version>\n" +
               mission(0, "1", {"1", "2"}, {"wpn000"}, {"shd001", "wpn001"}) + mission(1, "0", {"2"}, {"shd000", "wpn000"}, {}) +
               mission(2, "0", {}, {}, {"hll001"}) + "</Missions>\n" +
               collection("Shop", " class_id=\"10\"" + classes, {"wpn001", "shd001", "hll001"}) +
               "\n<Ships class_id=\"11\"" + classes + "><count>3</count><item_version>0</item_version>\n" +
               ship(" class_id=\"12\"" + classes, "hll001", "shd001", {"wpn001", ""}) + ship("", "hll000", "", {"wpn002"}) +
               ship("", "hll001", "shd000", {"wpn000", "wpn002"}) +
               "</Ships>\n<SelectedShip class_id=\"13\"" + classes +
               "><initialized>1</initialized><item_version>0</item_version><value>2</value></SelectedShip>\n" +
               collection("TheInventory", "", {"wpn001", "shd000", "hll000", "bmb001", "wpn500"}) +
               "\n<TheTechnologyTree class_id=\"14\" tracking_level=\"0\" version=\"1\"><px class_id=\"15\" tracking_level=\"1\" "
               "version=\"0\" object_id=\"_4\"><m_nodes class_id=\"16\"" + classes + "><count>5</count><item_version>0</item_version>\n" +
               nodes + "</m_nodes></px></TheTechnologyTree>\n<time>20120229T235959</time>\n</savingImpl>\n</boost_serialization>\n";
    }

    std::string ReadValidSample()
    {
        std::ostringstream text;
        text << std::ifstream(std::string(KESTRUM_SOURCE_DIR) + "/tests/data/hostile-saves/FS-valid-save-1.xml").rdbuf();
        return text.str();
    }

    // What is wrong with the reason an exception gives, empty for nothing: it must
    // be its own text, not empty and not one of the libraries' bare texts, nor
    // such a text where the save file's reader stopped.
    std::string ReasonProblem(std::string reason)
    {
        const std::string stopped = "the save file's reader stopped here: ";
        if (reason.compare(0, stopped.size(), stopped) == 0)
            reason.erase(0, stopped.size());
        const char* const bare[] = {"input stream error", "std::", "unregistered class", "invalid signature",
                                    "unsupported version", "XML start/end tag mismatch", "unrecognized XML syntax",
                                    "array size too short", "pointer conflict", "basic_string", "vector::", "map::at",
                                    "stoi", "stol", "stoul", "bad lexical cast", "Cannot convert", "could not convert",
                                    "Year is out", "Month number", "Day of month", "invalid class name"};
        if (reason.empty())
            return "an empty reason";
        for (const char* text : bare)
            if (reason.compare(0, std::strlen(text), text) == 0)
                return "a bare library text";
        return "";
    }

    // What is wrong with a refusal of the saving's file, empty for nothing: its
    // message is the file's path, perhaps a line (and a column), and its reason.
    std::string RefusalProblem(const std::string& message, unsigned long id)
    {
        const std::string path = "savings/" + std::to_string(id);
        std::smatch place;
        if (!std::regex_search(message, place, std::regex("^" + path + "(:\\d+){0,2}: ")))
            return "the message does not begin with " + path + ": or " + path + ":<line>: ";
        return ReasonProblem(message.substr(place.length()));
    }

    enum class Outcome
    {
        loaded,
        refusedByCheck,
        refusedLater,
        fault
    };

    // The saving manager's judgement of the text as the file of the saving `id`,
    // used as the game uses a saving that loads; the fault, if any, described.
    Outcome Judge(const ScratchGameRoot& root, SavingManager& manager, unsigned long id, const std::string& text,
                  std::string& fault)
    {
        root.WriteFile("savings/" + std::to_string(id), text);
        std::optional<stable_ptr<Saving>> saving;
        try
        {
            saving = manager.Load(id);
        }
        catch (const Exception& error)
        {
            fault = RefusalProblem(error.what(), id);
            if (!fault.empty())
            {
                fault = "refused with " + fault + ": " + Shown(error.what(), 300);
                return Outcome::fault;
            }
            try
            {
                CheckSavingFile(text, id);
            }
            catch (const ParseError&)
            {
                return Outcome::refusedByCheck;
            }
            return Outcome::refusedLater;
        }
        catch (const std::exception& error)
        {
            fault = std::string("refused with an exception outside the game's family: ") + Shown(error.what(), 300);
            return Outcome::fault;
        }
        const std::vector<std::pair<const char*, std::function<void()>>> uses = {
            {"writing it back", [&] { manager.Save(*saving); }},
            {"loading it again once written", [&] { manager.Load(id); }},
        };
        for (const auto& [use, action] : uses)
            try
            {
                action();
            }
            catch (const std::exception& error)
            {
                fault = std::string("loaded, but ") + use + " failed: " + Shown(error.what(), 300);
                return Outcome::fault;
            }
        try
        {
            (*saving)->LoadInventory();
        }
        catch (const std::exception& error)
        {
            // A loaded saving can be played: picking it would end the game otherwise.
            fault = std::string("loaded, but its inventory was refused: ") + Shown(error.what(), 300);
        }
        return fault.empty() ? Outcome::loaded : Outcome::fault;
    }
}

TEST_F(SavingFuzzTest, DamagedSavesLoadOrAreRefusedByName)
{
    const std::uint64_t seed = 20261207;
    const std::vector<Sample> samples = {{"saving 3", 3, oneMissionSaving},
                                         {"the two-mission saving", 3, TwoMissionSaving()},
                                         {"FS-valid-save-1", 1, ReadValidSample()},
                                         {"the rich saving", 7, RichSaving()}};
    for (const Sample& sample : samples)
    {
        std::string fault;
        ASSERT_EQ(Outcome::loaded, Judge(root, *manager, sample.id, sample.text, fault)) << sample.name << ": " << fault;
    }
    // A crash or a hang leaves the scratch root behind, and in it the case
    // being tried: its damaged text in savings/<n> and what it is in case.txt.
    std::cout << "the case being tried: " << (root.GetPath() / "case.txt").string() << "\n";
    const double mostSeconds = 20;
    const std::size_t mostShown = 5;
    for (std::size_t k = 0; k < std::size(kinds); ++k)
    {
        const Kind& kind = kinds[k];
        std::map<Outcome, std::size_t> outcomes;
        double slowest = 0, total = 0;
        for (std::size_t n = 0; n < kind.count; ++n)
        {
            const std::uint64_t caseSeed = seed + 1000000 * k + n;
            Random random(caseSeed);
            const Sample& sample = samples[n % samples.size()];
            const Damage damage = kind.damage(sample, random);
            const std::string name = std::string(kind.name) + ", case " + std::to_string(n) + " (seed " +
                                     std::to_string(caseSeed) + ")";
            root.WriteFile("case.txt", name + ": " + Describe(sample, damage) + "\n");
            const auto start = std::chrono::steady_clock::now();
            std::string fault;
            const Outcome outcome = Judge(root, *manager, sample.id, Apply(sample.text, damage.edits), fault);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            slowest = std::max(slowest, seconds);
            total += seconds;
            if (seconds > mostSeconds && fault.empty())
                fault = "took " + std::to_string(seconds) + " s";
            if (fault.empty())
                ++outcomes[outcome];
            else if (++outcomes[Outcome::fault] <= mostShown)
                ADD_FAILURE() << name << ": " << fault << "\n" << Describe(sample, damage);
        }
        EXPECT_EQ(0u, outcomes[Outcome::fault]) << kind.name << ": the first " << mostShown << " are shown";
        std::cout << kind.name << ": " << kind.count << " cases, " << outcomes[Outcome::loaded] << " loaded, "
                  << outcomes[Outcome::refusedByCheck] << " refused by the check, " << outcomes[Outcome::refusedLater]
                  << " after it; " << outcomes[Outcome::fault] << " faults; " << total << " s, the slowest case "
                  << slowest << " s\n";
    }
}
