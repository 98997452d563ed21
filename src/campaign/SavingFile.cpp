#include "campaign/SavingFile.hpp"

#include "core/Exception.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/WorldMap.hpp"

#include <boost/archive/xml_iarchive.hpp>
#include <boost/archive/xml_oarchive.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/serialization/nvp.hpp>
#include <boost/serialization/split_free.hpp>
#include <boost/serialization/string.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/vector.hpp>
#include <boost/serialization/version.hpp>
// The set's serialization needs this first.
#include <boost/serialization/library_version_type.hpp>
#include <boost/serialization/set.hpp>

#include <algorithm>
#include <locale>
#include <map>
#include <sstream>
#include <typeindex>
#include <type_traits>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace Kestrum
{
    namespace
    {
        // The objects the archive makes for the pointers of the file being
        // read. The archive hands out plain pointers; each object belongs to
        // the reading until a shared pointer takes it over, so that whatever
        // was made is freed when the archive fails half-way.
        class Reading
        {
        public:
            Reading() : m_outer(current) { current = this; }
            // Nodes may need each other: when the reading failed, their links
            // go first. Then what no shared pointer took over goes.
            ~Reading()
            {
                current = m_outer;
                if (!m_succeeded)
                    for (const std::weak_ptr<TechnologyTree::Node>& each : m_nodes)
                        if (const std::shared_ptr<TechnologyTree::Node> node = each.lock())
                            node->Predecessors.clear();
                for (auto& [object, made] : m_made)
                    if (!made.owner)
                        made.destroy(object);
            }
            Reading(const Reading&) = delete;
            Reading& operator=(const Reading&) = delete;

            static Reading& Current()
            {
                if (!current)
                    BOOST_THROW_EXCEPTION(LogicError("a save file's object is read outside SavingFile::Read"));
                return *current;
            }

            void Succeeded() { m_succeeded = true; }

            // An object the archive has just made for a pointer.
            template <typename T>
            void Made(T* object)
            {
                m_made.emplace(object, Object{typeid(T), [](void* address) { delete static_cast<T*>(address); }, {}});
            }

            // The shared owner of an object the archive read for a pointer,
            // the same for every pointer to it. Only an object made for a
            // pointer of the same type can be owned.
            template <typename T>
            std::shared_ptr<T> Own(T* object)
            {
                if (!object)
                    return nullptr;
                const auto made = m_made.find(object);
                if (made == m_made.end() || made->second.type != std::type_index(typeid(T)))
                    BOOST_THROW_EXCEPTION(ParseError("a pointer refers to an object of another kind"));
                if (made->second.owner)
                    return std::shared_ptr<T>(made->second.owner, object);
                const std::shared_ptr<T> pointer(object);
                made->second.owner = pointer;
                if constexpr (std::is_same_v<T, TechnologyTree::Node>)
                    m_nodes.push_back(pointer);
                return pointer;
            }

        private:
            struct Object
            {
                std::type_index type;
                void (*destroy)(void*);
                // Set once a shared pointer has taken the object over.
                std::shared_ptr<void> owner;
            };

            static inline thread_local Reading* current = nullptr;

            Reading* const m_outer;
            bool m_succeeded = false;
            std::map<void*, Object> m_made;
            std::vector<std::weak_ptr<TechnologyTree::Node>> m_nodes;
        };

        // The archive makes every object of a pointer through this.
        template <typename T>
        void ConstructForPointer(T* address)
        {
            ::new (address) T();
            Reading::Current().Made(address);
        }

        // The order in which a file being written lists the objects of a set:
        // fixed by their content, never by where they lie in memory, so that
        // a saving written, read and written again gives the same text.
        // Missions go by their numbers. Technology nodes go in the order of the
        // tree: every node after the nodes it needs, otherwise by type. A node
        // is then met first at its own place in the tree's list, and every
        // mention among the predecessors of a later node is a reference: the
        // nesting of the file does not grow with the tree.
        class Writing
        {
        public:
            explicit Writing(const std::set<stable_ptr<TechnologyTree::Node>>& nodes) : m_outer(current)
            {
                current = this;
                RankNodes(nodes);
            }
            ~Writing() { current = m_outer; }
            Writing(const Writing&) = delete;
            Writing& operator=(const Writing&) = delete;

            static Writing& Current()
            {
                if (!current)
                    BOOST_THROW_EXCEPTION(LogicError("a save file's object is written outside SavingFile::Write"));
                return *current;
            }

            std::vector<const stable_ptr<MissionBlueprint>*> Order(
                const std::set<stable_ptr<MissionBlueprint>>& missions) const
            {
                return Sorted(missions, [](const stable_ptr<MissionBlueprint>& a, const stable_ptr<MissionBlueprint>& b) {
                    return a->m_id < b->m_id;
                });
            }

            std::vector<const stable_ptr<TechnologyTree::Node>*> Order(
                const std::set<stable_ptr<TechnologyTree::Node>>& nodes) const
            {
                return Sorted(nodes, [this](const stable_ptr<TechnologyTree::Node>& a,
                                            const stable_ptr<TechnologyTree::Node>& b) {
                    return RankOf(a.get()) < RankOf(b.get());
                });
            }

        private:
            typedef TechnologyTree::Node Node;

            template <typename T, typename Before>
            static std::vector<const stable_ptr<T>*> Sorted(const std::set<stable_ptr<T>>& set, Before before)
            {
                std::vector<const stable_ptr<T>*> items;
                items.reserve(set.size());
                for (const stable_ptr<T>& item : set)
                    items.push_back(&item);
                std::stable_sort(items.begin(), items.end(),
                                 [&before](const stable_ptr<T>* a, const stable_ptr<T>* b) { return before(*a, *b); });
                return items;
            }

            std::size_t RankOf(const Node* node) const
            {
                const auto rank = m_ranks.find(node);
                return rank == m_ranks.end() ? m_ranks.size() : rank->second;
            }

            // Ranks every node the tree reaches: a node whose predecessors are
            // all ranked is ready, and the ready node of the least type goes
            // next. Nodes in a circle, which the saving's rules refuse before
            // anything is written, stay unranked and go last.
            void RankNodes(const std::set<stable_ptr<Node>>& tree)
            {
                std::vector<const Node*> reached;
                std::unordered_map<const Node*, std::size_t> waiting;
                for (const stable_ptr<Node>& node : tree)
                    if (waiting.emplace(node.get(), 0).second)
                        reached.push_back(node.get());
                for (std::size_t next = 0; next < reached.size(); ++next)
                    for (const stable_ptr<Node>& predecessor : reached[next]->Predecessors)
                        if (waiting.emplace(predecessor.get(), 0).second)
                            reached.push_back(predecessor.get());
                std::unordered_map<const Node*, std::vector<const Node*>> needers;
                for (const Node* node : reached)
                {
                    waiting[node] = node->Predecessors.size();
                    for (const stable_ptr<Node>& predecessor : node->Predecessors)
                        needers[predecessor.get()].push_back(node);
                }
                const auto before = [](const Node* a, const Node* b) { return std::tie(a->Type, a) < std::tie(b->Type, b); };
                std::set<const Node*, decltype(before)> ready(before);
                for (const Node* node : reached)
                    if (waiting[node] == 0)
                        ready.insert(node);
                while (!ready.empty())
                {
                    const Node* const node = *ready.begin();
                    ready.erase(ready.begin());
                    m_ranks.emplace(node, m_ranks.size());
                    for (const Node* needer : needers[node])
                        if (--waiting[needer] == 0)
                            ready.insert(needer);
                }
            }

            static inline thread_local Writing* current = nullptr;

            Writing* const m_outer;
            std::unordered_map<const Node*, std::size_t> m_ranks;
        };

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

        boost::posix_time::ptime ParseTime(const std::string& text)
        {
            boost::posix_time::ptime time;
            try
            {
                time = boost::posix_time::from_iso_string(text);
            }
            catch (const std::exception&)
            {
            }
            if (time.is_special())
                BOOST_THROW_EXCEPTION(ParseError("time: \"" + text + "\" is not a time (YYYYMMDDThhmmss)"));
            return time;
        }

        // The fields in the file's order, then its time's text.
        template <typename Archive, typename File>
        void SerializeFields(Archive& archive, File& file, std::string& time)
        {
            using boost::serialization::make_nvp;
            archive& make_nvp("ID", file.ID) & make_nvp("FinalMission", file.FinalMission) &
                make_nvp("Money", file.Money) & make_nvp("Seed", file.Seed) & make_nvp("Map", file.Map) &
                make_nvp("Missions", file.Missions) & make_nvp("Shop", file.Shop) & make_nvp("Ships", file.Ships) &
                make_nvp("SelectedShip", file.SelectedShip) & make_nvp("TheInventory", file.TheInventory) &
                make_nvp("TheTechnologyTree", file.TheTechnologyTree) & make_nvp("time", time);
        }

        // The root element being read: the fields, and the time from its text.
        struct ReadFile
        {
            SavingFile& file;

            template <typename Archive>
            void serialize(Archive& archive, unsigned)
            {
                std::string time;
                SerializeFields(archive, file, time);
                file.Time = ParseTime(time);
            }
        };

        // The root element being written: the fields and the moment of writing.
        struct WrittenFile
        {
            const SavingFile& file;
            std::string time;

            template <typename Archive>
            void serialize(Archive& archive, unsigned)
            {
                SerializeFields(archive, file, time);
            }
        };

        // The line, counted from 1, of a place in the text.
        unsigned long LineAt(const std::string& text, std::streamoff place)
        {
            const auto end = text.begin() + std::clamp<std::streamoff>(place, 0, std::streamoff(text.size()));
            return 1 + static_cast<unsigned long>(std::count(text.begin(), end, '\n'));
        }

        // Whether nothing but the closing line (and blanks) follows the place.
        bool EndsWithClosingLine(const std::string& text, std::streamoff place)
        {
            const std::string closing = "</boost_serialization>";
            const char* const blanks = " \t\r\n";
            const std::size_t first = text.find_first_not_of(blanks, std::size_t(std::max<std::streamoff>(place, 0)));
            return first != std::string::npos && text.compare(first, closing.size(), closing) == 0 &&
                   text.find_first_not_of(blanks, first + closing.size()) == std::string::npos;
        }

        // Rethrows the archive's failure as a ParseError of its text, and any
        // failure with the line where the reading stopped.
        [[noreturn]] void RethrowAtLine(unsigned long line)
        {
            try
            {
                throw;
            }
            catch (Exception& error)
            {
                if (!boost::get_error_info<LineInfo>(error))
                    error << LineInfo(line);
                throw;
            }
            catch (const std::exception& error)
            {
                BOOST_THROW_EXCEPTION(ParseError(std::string("the save file's reader stopped here: ") + error.what())
                                      << LineInfo(line));
            }
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
        // Shared pointers as the library writes them: "px", the object, which
        // is written once and referred to after. Never tracked themselves.
        template <typename T>
        struct version<std::shared_ptr<T>>
        {
            typedef mpl::integral_c_tag tag;
            typedef mpl::int_<1> type;
            BOOST_STATIC_CONSTANT(int, value = type::value);
        };

        template <typename T>
        struct tracking_level<std::shared_ptr<T>>
        {
            typedef mpl::integral_c_tag tag;
            typedef mpl::int_<track_never> type;
            BOOST_STATIC_CONSTANT(int, value = type::value);
        };

        template <typename Archive, typename T>
        void save(Archive& archive, const std::shared_ptr<T>& pointer, unsigned)
        {
            const T* const object = pointer.get();
            archive << make_nvp("px", object);
        }

        template <typename Archive, typename T>
        void load(Archive& archive, std::shared_ptr<T>& pointer, unsigned)
        {
            T* object = nullptr;
            archive >> make_nvp("px", object);
            pointer = Kestrum::Reading::Current().Own(object);
        }

        template <typename Archive, typename T>
        void serialize(Archive& archive, std::shared_ptr<T>& pointer, unsigned version)
        {
            split_free(archive, pointer, version);
        }

        template <typename Archive>
        void load_construct_data(Archive&, Kestrum::WorldMap* address, unsigned)
        {
            Kestrum::ConstructForPointer(address);
        }

        template <typename Archive>
        void load_construct_data(Archive&, Kestrum::TechnologyTree* address, unsigned)
        {
            Kestrum::ConstructForPointer(address);
        }

        template <typename Archive>
        void load_construct_data(Archive&, Kestrum::TechnologyTree::Node* address, unsigned)
        {
            Kestrum::ConstructForPointer(address);
        }

        template <typename Archive>
        void load_construct_data(Archive&, Kestrum::MissionBlueprint* address, unsigned)
        {
            Kestrum::ConstructForPointer(address);
        }

        template <typename Archive>
        void serialize(Archive& archive, Kestrum::SavingFile::Ship& ship, unsigned)
        {
            archive& make_nvp("HullType", ship.HullType);
            archive& make_nvp("ShieldType", ship.ShieldType);
            archive& make_nvp("WeaponTypes", ship.WeaponTypes);
        }

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

        // A set of missions or of technology nodes as the library writes a
        // set ("count", "item_version", one "item" each), its items in the
        // order of their content. It is read as any set.
        template <typename Archive, typename T>
        void save(Archive& archive, const std::set<stable_ptr<T>>& set, unsigned)
        {
            const collection_size_type count(set.size());
            archive << BOOST_SERIALIZATION_NVP(count);
            const item_version_type item_version(version<stable_ptr<T>>::value);
            archive << BOOST_SERIALIZATION_NVP(item_version);
            for (const stable_ptr<T>* item : Kestrum::Writing::Current().Order(set))
                archive << make_nvp("item", *item);
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

    SavingFile::SavingFile() : ID(0), FinalMission(0), Money(0), Seed(0) {}

    SavingFile::~SavingFile() = default;

    SavingFile SavingFile::Read(const std::string& text)
    {
        SavingFile file;
        Reading reading;
        std::istringstream stream(text);
        try
        {
            // Built and gone in here: its destructor reads the closing line,
            // and would end the program should that fail while nothing else
            // is being thrown; it reads nothing while an error is on its way.
            boost::archive::xml_iarchive archive(stream);
            ReadFile root{file};
            archive >> boost::serialization::make_nvp("savingImpl", root);
            if (!EndsWithClosingLine(text, stream.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in)))
                BOOST_THROW_EXCEPTION(ParseError("the file does not end with the line </boost_serialization>"));
        }
        catch (...)
        {
            RethrowAtLine(LineAt(text, stream.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in)));
        }
        reading.Succeeded();
        return file;
    }

    std::string SavingFile::Write(const boost::posix_time::ptime& time) const
    {
        std::ostringstream text;
        {
            const Writing writing(GetNodes());
            boost::archive::xml_oarchive archive(text);
            const WrittenFile root{*this, boost::posix_time::to_iso_string(time)};
            archive << boost::serialization::make_nvp("savingImpl", root);
        }
        return text.str();
    }

    std::set<stable_ptr<TechnologyTree::Node>> SavingFile::GetNodes() const
    {
        if (!TheTechnologyTree)
            return {};
        return TheTechnologyTree->GetAllNodes();
    }

    void SavingFile::UnlinkNodes()
    {
        std::vector<std::shared_ptr<TechnologyTree::Node>> reached;
        std::unordered_set<const TechnologyTree::Node*> seen;
        for (const stable_ptr<TechnologyTree::Node>& node : GetNodes())
            if (seen.insert(node.get()).second)
                reached.push_back(node.get_shared());
        for (std::size_t next = 0; next < reached.size(); ++next)
            for (const stable_ptr<TechnologyTree::Node>& predecessor : reached[next]->Predecessors)
                if (seen.insert(predecessor.get()).second)
                    reached.push_back(predecessor.get_shared());
        for (const std::shared_ptr<TechnologyTree::Node>& node : reached)
            node->Predecessors.clear();
    }
}
