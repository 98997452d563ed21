#include "presentation/ParticleFactory.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/XmlReading.hpp"
#include "presentation/ParticleLineRenderer.hpp"
#include "presentation/ParticleQuadRenderer.hpp"
#include "presentation/ParticleRandom.hpp"
#include "presentation/ParticleSimulation.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <boost/format.hpp>
#include <filesystem>
#include <map>
#include <set>

namespace Kestrum
{
    namespace
    {
        // The most particles a group may hold: a group keeps room for its
        // capacity from the start.
        const unsigned int MaximumCapacity = 100000;

        template <typename Visit>
        void ForEachChildElement(const pugi::xml_node& parent, Visit visit)
        {
            for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
                if (child.type() == pugi::node_element)
                    visit(child);
        }

        // Every child of the list must bear the item's name.
        void AssertItemName(const pugi::xml_node& element, const std::string& name)
        {
            if (name != element.name())
                BOOST_THROW_EXCEPTION(
                    WithLineOf(XmlError("Expected element " + name + ", found " + element.name()), element));
        }

        // The attributes x, y and z.
        sf::Vector3f GetVector(const pugi::xml_node& element)
        {
            return sf::Vector3f(GetAttributeValue<float>(element, "x"), GetAttributeValue<float>(element, "y"),
                                GetAttributeValue<float>(element, "z"));
        }

        std::string GetResourcePath(unsigned long id)
        {
            if (id >= 1000)
                BOOST_THROW_EXCEPTION(LogicError("value must be an unsigned integer smaller than 1000"));
            return (boost::format("$resources|particles|%03d|particle_system.xml") % id).str();
        }

        // A value: a child "random" with minimum and maximum, or the element's own
        // text, a range whose ends are equal.
        struct Value
        {
            Range<float> range;
            bool random;
        };

        Value LoadRandom(const pugi::xml_node& element)
        {
            if (const pugi::xml_node random = element.child("random"))
                return Value{GetRangeFromAttributes<float>(random), true};
            const pugi::xml_text text = element.text();
            if (text.empty())
                BOOST_THROW_EXCEPTION(
                    WithLineOf(XmlError("element " + std::string(element.name()) + " has no text"), element));
            const float value = ConvertValue<float>(text.get(), "element " + std::string(element.name()), element);
            return Value{Range<float>{value, value}, false};
        }

        sf::BlendMode ToBlendMode(const std::string& text)
        {
            if (text == "add")
                return sf::BlendAdd;
            if (text == "alpha")
                return sf::BlendAlpha;
            if (text == "multiply")
                return sf::BlendMultiply;
            if (text == "none")
                return sf::BlendNone;
            BOOST_THROW_EXCEPTION(UnknownTypeError("could not map string " + text + " to blend mode"));
        }

        ParticleParameter ToParameterFlag(const std::string& name)
        {
            static const std::map<std::string, ParticleParameter> parameters = {
                {"red", ParticleRed},
                {"green", ParticleGreen},
                {"blue", ParticleBlue},
                {"alpha", ParticleAlpha},
                {"size", ParticleSize},
                {"mass", ParticleMass},
                {"angle", ParticleAngle},
                {"texture_index", ParticleTextureIndex},
                {"rotation_speed", ParticleRotationSpeed}};
            const auto found = parameters.find(name);
            if (found == parameters.end())
                BOOST_THROW_EXCEPTION(NotSupportedError(name + " could not be converted to a SPARK flag"));
            return found->second;
        }

        // One model parameter as read: fixed (one value), random (two), mutable
        // (two) or mutable and random (four).
        struct ModelParameter
        {
            ParticleParameter parameter;
            bool isMutable = false;
            bool isRandom = false;
            std::vector<float> values;

            static ModelParameter ToParameterType(const pugi::xml_node& element)
            {
                ModelParameter result;
                result.parameter = ToParameterFlag(element.name());
                if (const pugi::xml_node random = element.child("random"))
                {
                    const Range<float> range = GetRangeFromAttributes<float>(random);
                    result.isRandom = true;
                    result.values = {range.minimum, range.maximum};
                }
                else if (const pugi::xml_node changing = element.child("mutable"))
                {
                    const Value start = LoadRandom(GetChildElement(changing, "start"));
                    const Value end = LoadRandom(GetChildElement(changing, "end"));
                    result.isMutable = true;
                    if (start.random || end.random)
                    {
                        result.isRandom = true;
                        result.values = {start.range.minimum, start.range.maximum, end.range.minimum,
                                         end.range.maximum};
                    }
                    else
                        result.values = {start.range.minimum, end.range.minimum};
                }
                else
                    result.values = {LoadRandom(element).range.minimum};
                return result;
            }
        };

        // Renderers and models of one file, found by name.
        template <typename T>
        using SparkSet = std::map<std::string, std::shared_ptr<const T>>;

        template <typename T>
        void CheckUniqueNames(const std::vector<std::pair<std::string, std::shared_ptr<const T>>>& read, SparkSet<T>& set)
        {
            for (const auto& item : read)
                if (!set.emplace(item.first, item.second).second)
                    BOOST_THROW_EXCEPTION(LogicError("found multiple instances of " + item.first));
        }

        void LoadPointRenderer()
        {
            BOOST_THROW_EXCEPTION(NotImplementedError("point renderer not implemented yet"));
        }

        std::shared_ptr<const ParticleRenderer> LoadLineRenderer(const pugi::xml_node& element)
        {
            const float width = GetChildValue<float>(element, "line_width");
            const float length = GetChildValue<float>(element, "line_length");
            const sf::BlendMode blendMode = ToBlendMode(GetChildValue<std::string>(element, "blend_mode"));
            return std::make_shared<ParticleLineRenderer>(length, width, blendMode);
        }

        std::shared_ptr<const ParticleRenderer> LoadSpriteRenderer(const pugi::xml_node& element,
                                                                   const std::string& folder)
        {
            const sf::BlendMode blendMode = ToBlendMode(GetChildValue<std::string>(element, "blend_mode"));
            const std::string texture = JoinResourcePath(folder, GetChildValue<std::string>(element, "texture"));
            // Packed with the sprite sheets, so that effects and sprites share a texture.
            const ResourceManager::PackedImage packed = GetFromRegistry<ResourceManager>()->GetPackedImage(texture);
            const auto renderer = std::make_shared<ParticleQuadRenderer>(
                packed.texture, sf::IntRect(packed.offset, sf::Vector2i(packed.size)), blendMode);
            if (element.child("atlas_dimensions"))
            {
                const sf::Vector2u atlas = GetChildValue<sf::Vector2u>(element, "atlas_dimensions");
                renderer->SetAtlasDimensions(atlas.x, atlas.y);
            }
            const sf::Vector2f scale = GetOptionalChildValue<sf::Vector2f>(element, "scaling", sf::Vector2f(1.f, 1.f));
            renderer->SetScale(scale.x, scale.y);
            return renderer;
        }

        void LoadRenderers(const pugi::xml_node& renderers, const std::string& folder,
                           SparkSet<ParticleRenderer>& set)
        {
            std::vector<std::pair<std::string, std::shared_ptr<const ParticleRenderer>>> read;
            ForEachChildElement(renderers, [&](const pugi::xml_node& element) {
                AssertItemName(element, "renderer");
                const std::string type = GetAttributeText(element, "type");
                if (type == "point")
                    LoadPointRenderer();
                if (type != "line" && type != "sprite")
                    return;
                const std::string name = GetAttributeText(element, "name");
                if (name.empty())
                    BOOST_THROW_EXCEPTION(LogicError("names must not be of zero length"));
                std::shared_ptr<const ParticleRenderer> renderer =
                    type == "line" ? LoadLineRenderer(element) : LoadSpriteRenderer(element, folder);
                std::const_pointer_cast<ParticleRenderer>(renderer)->SetName(name);
                read.emplace_back(name, renderer);
            });
            CheckUniqueNames(read, set);
        }

        std::shared_ptr<const ParticleModel> LoadModel(const pugi::xml_node& element)
        {
            const Value lifeTime = LoadRandom(GetChildElement(element, "life_time"));
            std::vector<ModelParameter> parameters;
            unsigned enabled = 0;
            unsigned mutableFlags = 0;
            unsigned randomFlags = 0;
            ForEachChildElement(element, [&](const pugi::xml_node& child) {
                if (std::string(child.name()) == "life_time")
                    return;
                parameters.push_back(ModelParameter::ToParameterType(child));
                const ModelParameter& parameter = parameters.back();
                const unsigned flag = ToParticleFlag(parameter.parameter);
                enabled |= flag;
                mutableFlags = parameter.isMutable ? mutableFlags | flag : mutableFlags & ~flag;
                randomFlags = parameter.isRandom ? randomFlags | flag : randomFlags & ~flag;
            });
            const auto model = std::make_shared<ParticleModel>(enabled, mutableFlags, randomFlags);
            for (const ModelParameter& parameter : parameters)
            {
                // A parameter named twice: the last one holds.
                const unsigned flag = ToParticleFlag(parameter.parameter);
                if (parameter.isMutable != ((mutableFlags & flag) != 0) || parameter.isRandom != ((randomFlags & flag) != 0))
                    continue;
                const std::vector<float>& v = parameter.values;
                if (v.size() == 1)
                    model->SetParam(parameter.parameter, v[0]);
                else if (v.size() == 2)
                    model->SetParam(parameter.parameter, v[0], v[1]);
                else
                    model->SetParam(parameter.parameter, v[0], v[1], v[2], v[3]);
            }
            model->SetLifeTime(lifeTime.range.minimum, lifeTime.range.maximum);
            return model;
        }

        void LoadModels(const pugi::xml_node& models, SparkSet<ParticleModel>& set)
        {
            std::vector<std::pair<std::string, std::shared_ptr<const ParticleModel>>> read;
            ForEachChildElement(models, [&](const pugi::xml_node& element) {
                AssertItemName(element, "particle_model");
                const std::string name = GetAttributeText(element, "name");
                read.emplace_back(name, LoadModel(element));
            });
            CheckUniqueNames(read, set);
        }

        SphericEmitter LoadEmitter(const pugi::xml_node& element)
        {
            const std::string type = GetAttributeText(element, "type");
            if (type != "spheric")
                BOOST_THROW_EXCEPTION(UnknownTypeError("emitter type " + type + " is either not supported or unknown"));
            SphericEmitter emitter;
            const pugi::xml_node specific = GetChildElement(element, "specific_parameters");
            const sf::Vector3f direction = GetVector(GetChildElement(specific, "direction"));
            const pugi::xml_node angles = GetChildElement(specific, "angle_tuple");
            const float inner = GetAttributeValue<float>(angles, "a");
            const float outer = GetAttributeValue<float>(angles, "b");
            emitter.SetDirection(direction);
            emitter.SetAngles(inner, outer);

            const pugi::xml_node zone = GetChildElement(element, "zone");
            const std::string zoneType = GetAttributeText(zone, "type");
            if (zoneType != "point")
                BOOST_THROW_EXCEPTION(NotSupportedError("zone type " + zoneType + " is not supported"));
            emitter.SetZone(GetVector(GetChildElement(zone, "position")));

            emitter.SetName(GetOptionalChildValue<std::string>(element, "name", ""));
            emitter.SetTank(GetOptionalChildValue<int>(element, "tank", -1));
            emitter.SetFlow(GetChildValue<float>(element, "flow"));
            if (const pugi::xml_node force = element.child("force"))
            {
                const Value speed = LoadRandom(force);
                emitter.SetForce(speed.range.minimum, speed.range.maximum);
            }
            return emitter;
        }

        ParticleGroup LoadGroup(const pugi::xml_node& element, const SparkSet<ParticleModel>& models,
                                const SparkSet<ParticleRenderer>& renderers)
        {
            const std::string modelName = GetAttributeText(element, "model");
            const auto model = models.find(modelName);
            if (model == models.end())
                BOOST_THROW_EXCEPTION(LogicError("could find expected model " + modelName));
            const std::string rendererName = GetAttributeText(element, "renderer");
            const auto renderer = renderers.find(rendererName);
            if (renderer == renderers.end())
                BOOST_THROW_EXCEPTION(LogicError("could find expected renderer " + rendererName));

            const unsigned int capacity = GetOptionalChildValue<unsigned int>(element, "particle_capacity", 1000);
            if (capacity > MaximumCapacity)
                BOOST_THROW_EXCEPTION(OutOfRangeError("particle_capacity " + std::to_string(capacity) +
                                                      " is above the most a group may hold, " +
                                                      std::to_string(MaximumCapacity)));
            ParticleGroup group(model->second, capacity);
            group.SetRenderer(renderer->second);
            group.SetSorting(GetOptionalChildValue<bool>(element, "sort_particles", false));
            if (const pugi::xml_node gravity = element.child("gravity"))
                group.SetGravity(GetVector(gravity));
            group.SetFriction(GetOptionalChildValue<float>(element, "friction", 0.f));
            ForEachChildElement(GetChildElement(element, "emitters"),
                                [&](const pugi::xml_node& emitter) { group.AddEmitter(LoadEmitter(emitter)); });
            return group;
        }

        std::shared_ptr<const ParticleSimulation> CreateParticleSystem(const pugi::xml_node& root,
                                                                       const std::string& folder)
        {
            // Renderers first, then models, then the groups that use them.
            SparkSet<ParticleRenderer> renderers;
            LoadRenderers(GetChildElement(root, "renderers"), folder, renderers);
            SparkSet<ParticleModel> models;
            LoadModels(GetChildElement(root, "particle_models"), models);
            const auto system = std::make_shared<ParticleSimulation>();
            ForEachChildElement(GetChildElement(root, "particle_groups"), [&](const pugi::xml_node& element) {
                AssertItemName(element, "particle_group");
                system->AddGroup(LoadGroup(element, models, renderers));
            });
            return system;
        }

        bool IsThreeDigits(const std::string& name)
        {
            return name.size() == 3 &&
                   std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
        }

        // How far the particles may spread beyond the play field before the effect goes.
        const float viewMargin = 100.f;

        class ParticleSystemImpl : public ParticleSystem
        {
        public:
            ParticleSystemImpl(const ParticleSimulation& prototype, const sf::Vector2f& position)
                : m_system(prototype), m_window(GetFromRegistry<sf::RenderWindow>()),
                  m_time(GetFromRegistry<TimeSystem>()), m_factory(GetFromRegistry<ParticleFactory>()),
                  m_alive(true), m_keepOutsideView(false)
            {
                m_system.SetPosition(position);
            }

            void OnUpdate() override
            {
                if (!m_alive)
                    return;
                m_alive = m_system.Update(m_time->GetFrameTime());
                if (!m_alive || m_keepOutsideView)
                    return;
                // Without particles there is no box, and the effect stays.
                sf::Vector2f topLeft, bottomRight;
                if (!m_system.GetBounds(topLeft, bottomRight))
                    return;
                const EdgeRect bounds{topLeft.x - viewMargin, topLeft.y - viewMargin, bottomRight.x + viewMargin,
                                      bottomRight.y + viewMargin};
                m_alive = bounds.Intersects(GetFlightArea());
            }

            void Draw() override
            {
                m_system.Draw(*m_window);
            }

            bool IsExpired() const override
            {
                return !m_alive;
            }

            void SetKeepOutsideView(bool keep) override
            {
                m_keepOutsideView = keep;
            }

            void StopEmission() override
            {
                m_system.StopEmission();
            }

            const sf::Vector2f& GetPosition() const override
            {
                return m_system.GetPosition();
            }
            const float& GetPositionX() const override
            {
                return m_system.GetPosition().x;
            }
            const float& GetPositionY() const override
            {
                return m_system.GetPosition().y;
            }

            void SetPosition(const float& x, const float& y) override
            {
                m_system.SetPosition(sf::Vector2f(x, y));
            }
            void SetPositionX(const float& x) override
            {
                m_system.SetPosition(sf::Vector2f(x, GetPositionY()));
            }
            void SetPositionY(const float& y) override
            {
                m_system.SetPosition(sf::Vector2f(GetPositionX(), y));
            }
            void MovePosition(const float& dx, const float& dy) override
            {
                m_system.Move(sf::Vector2f(dx, dy));
            }
            void MovePositionX(const float& dx) override
            {
                m_system.Move(sf::Vector2f(dx, 0.f));
            }
            void MovePositionY(const float& dy) override
            {
                m_system.Move(sf::Vector2f(0.f, dy));
            }

        private:
            ParticleSimulation m_system;
            stable_ptr<sf::RenderWindow> m_window;
            stable_ptr<TimeSystem> m_time;
            // The prototypes share their models and renderers with this copy:
            // the factory stays while the effect lives.
            stable_ptr<ParticleFactory> m_factory;
            bool m_alive;
            bool m_keepOutsideView;
        };
    }

    struct ParticleFactory::Data
    {
        // Effect number to its prototype.
        std::map<unsigned long, std::shared_ptr<const ParticleSimulation>> idMap;

        void PreloadAll();
        const ParticleSimulation& InstallNewParticleSystem(unsigned long id);
    };

    void ParticleFactory::Data::PreloadAll()
    {
        if (!idMap.empty())
            BOOST_THROW_EXCEPTION(LogicError("IdMap is not empty"));
        const std::filesystem::path folder = ToFilesystemPath("$resources|particles");
        if (!std::filesystem::is_directory(folder))
            BOOST_THROW_EXCEPTION(FileError(folder.string() + " is not a directory"));
        // In order of number, whatever order the file system lists them in.
        std::set<unsigned long> ids;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
        {
            const std::string name = entry.path().filename().string();
            if (IsThreeDigits(name))
                ids.insert(std::stoul(name));
        }
        for (unsigned long id : ids)
            InstallNewParticleSystem(id);
    }

    const ParticleSimulation& ParticleFactory::Data::InstallNewParticleSystem(unsigned long id)
    {
        const std::string path = GetResourcePath(id);
        return ReadDataFile(path, [&]() -> const ParticleSimulation& {
            const stable_ptr<pugi::xml_document> document = LoadResourceDocument(path);
            const pugi::xml_node root = GetChildElement(*document, "particle_system");
            const std::shared_ptr<const ParticleSimulation> system =
                CreateParticleSystem(root, GetParentResourcePath(path));
            idMap[id] = system;
            return *system;
        });
    }

    ParticleFactory::ParticleFactory() = default;
    ParticleFactory::~ParticleFactory() = default;

    void ParticleFactory::Load()
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("multiple calls to ParticleFactory::Load()"));
        SeedParticleRandom(GetFromRegistry<RandomizationSystem>()->Next());
        std::unique_ptr<Data> data(new Data);
        data->PreloadAll();
        m_data = std::move(data);
    }

    stable_ptr<ParticleSystem> ParticleFactory::Get(unsigned long id, const sf::Vector2f& position)
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        const auto found = m_data->idMap.find(id);
        const ParticleSimulation* prototype = found != m_data->idMap.end() ? found->second.get() : nullptr;
        if (!prototype)
        {
            *Log(LogLevel::warning) << "installing new particle system at runtime - performance may suffer";
            prototype = &m_data->InstallNewParticleSystem(id);
        }
        return stable_ptr<ParticleSystem>(new ParticleSystemImpl(*prototype, position));
    }

    const ParticleSimulation& ParticleFactory::GetPrototype(unsigned long id) const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        const auto found = m_data->idMap.find(id);
        if (found == m_data->idMap.end())
            BOOST_THROW_EXCEPTION(OutOfRangeError("particle system " + std::to_string(id) + " is not installed"));
        return *found->second;
    }
}
