#include "presentation/ResourceManager.hpp"

#include "core/AudioDevice.hpp"
#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "presentation/Action.hpp"
#include "presentation/Animation.hpp"
#include "presentation/ResourceDefinition.hpp"
#include "presentation/SpriteList.hpp"
#include "presentation/State.hpp"
#include "presentation/StateMachine.hpp"
#include "presentation/StateMachineGroup.hpp"
#include "presentation/TextureAtlas.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

namespace Kestrum
{
    template <>
    struct DefinitionKind<SpriteList>
    {
        static constexpr const char* ElementName = "sprite_list";
    };

    template <>
    struct DefinitionKind<Animation>
    {
        static constexpr const char* ElementName = "animation";
    };

    template <>
    struct DefinitionKind<Action>
    {
        static constexpr const char* ElementName = "action";
    };

    template <>
    struct DefinitionKind<State>
    {
        static constexpr const char* ElementName = "state";
    };

    namespace
    {
        template <typename T>
        using Cache = std::map<std::string, std::shared_ptr<T>>;

        // The file-system path of a picture, sound or music file. What stands
        // there must be a regular file: the multimedia library would wait for
        // ever on a named pipe, or spin on a folder. A missing file is left to
        // the library, which reports it.
        std::string GetMediaFile(const std::string& path)
        {
            const std::string file = ToFilesystemPath(path).string();
            std::error_code error;
            if (std::filesystem::exists(file, error))
                CheckRegularFile(file);
            return file;
        }

        // Loads an image or a sound file without throwing: whatever goes wrong is
        // written to the log (the multimedia library writes its own complaint).
        template <typename T>
        bool LoadMediaFile(T& resource, const std::string& path) noexcept
        {
            try
            {
                return resource.loadFromFile(GetMediaFile(path));
            }
            catch (...)
            {
                LogCurrentException(BOOST_CURRENT_FUNCTION);
                return false;
            }
        }

        // Stands for a sound buffer where the game has no audio device: the file
        // is read whole and refused where a buffer would refuse it (a missing,
        // cut or broken file, no samples, no sample rate, a number of channels
        // that OpenAL has no format for), and nothing is kept of it. The samples
        // are read a chunk at a time, so a header that claims a huge count costs
        // no more memory than a chunk.
        struct SoundFileCheck
        {
            bool loadFromFile(const std::string& file)
            {
                sf::InputSoundFile sound;
                if (!sound.openFromFile(file))
                    return false;
                const sf::Uint64 count = sound.getSampleCount();
                const unsigned channels = sound.getChannelCount();
                const bool playable = channels == 1 || channels == 2 || channels == 4 || channels == 6 ||
                                      channels == 7 || channels == 8;
                if (count == 0 || sound.getSampleRate() == 0 || !playable)
                    return false;
                std::vector<sf::Int16> chunk(65536);
                for (sf::Uint64 read = 0; read < count;)
                {
                    const sf::Uint64 wanted = std::min<sf::Uint64>(chunk.size(), count - read);
                    if (sound.read(chunk.data(), wanted) != wanted)
                        return false;
                    read += wanted;
                }
                return true;
            }
        };

        // The cached object of the path's canonical key, loaded by `load` (which
        // answers whether it succeeded and never throws) and stored on the first
        // request. A failed load stores nothing. Definition kinds load with
        // LoadImpl<T> of presentation/ResourceDefinition.hpp.
        template <typename T, typename Load>
        std::shared_ptr<T> GetOrCreateResource(Cache<T>& cache, const std::string& path, Load load)
        {
            const std::string key = Canonize(path);
            const auto found = cache.find(key);
            if (found != cache.end())
                return found->second;
            const std::shared_ptr<T> resource = std::make_shared<T>();
            if (!load(*resource, key))
                BOOST_THROW_EXCEPTION(LoadError("could not load " + path));
            cache.emplace(key, resource);
            return resource;
        }

        // A state machine or group of the kind, read from its element.
        template <typename T>
        stable_ptr<StateMachineBase> LoadMachine(const std::string& name, const pugi::xml_node& element)
        {
            const auto machine = std::make_shared<T>();
            machine->Load(name, element);
            return create_stable_ptr<StateMachineBase>(machine);
        }

        SoundConfiguration& GetSoundSettings()
        {
            return *GetFromRegistry<ConfigurationSystem>()->GetSoundConfiguration();
        }
    }

    struct ResourceManager::Data
    {
        Cache<sf::Image> images;
        // Made from the images on the first drawing request, under the same keys.
        Cache<sf::Texture> textures;
        bool audioDevice;  // sounds and music are made; otherwise only checked
        Cache<sf::SoundBuffer> soundBuffers;
        Cache<SoundFileCheck> checkedSounds;  // without an audio device
        Cache<SpriteList> spriteLists;
        Cache<Animation> animations;  // prototypes, handed out as clones
        TextureAtlas atlas;           // keyed like the images
    };

    ResourceManager::ResourceManager() : ResourceManager(AudioDevice::IsAvailable()) {}
    ResourceManager::ResourceManager(bool audioDevice) : m_data(new Data)
    {
        m_data->audioDevice = audioDevice;
    }
    ResourceManager::~ResourceManager() = default;

    stable_ptr<sf::Image> ResourceManager::GetImage(const std::string& path, bool smooth)
    {
        const std::shared_ptr<sf::Image> image = GetOrCreateResource(m_data->images, path, LoadMediaFile<sf::Image>);
        const auto texture = m_data->textures.find(Canonize(path));
        if (texture != m_data->textures.end())
            texture->second->setSmooth(smooth);
        return create_stable_ptr(image);
    }

    stable_ptr<sf::Texture> ResourceManager::GetTexture(const std::string& path, bool smooth)
    {
        const stable_ptr<sf::Image> image = GetImage(path, smooth);
        const std::string key = Canonize(path);
        const auto found = m_data->textures.find(key);
        if (found != m_data->textures.end())
            return create_stable_ptr(found->second);
        // Stored only once made: an image the graphics card refuses leaves no entry.
        const auto texture = std::make_shared<sf::Texture>();
        if (!texture->loadFromImage(*image))
            BOOST_THROW_EXCEPTION(LoadError("could not load " + path));
        texture->setSmooth(smooth);
        m_data->textures.emplace(key, texture);
        return create_stable_ptr(texture);
    }

    ResourceManager::PackedImage ResourceManager::GetPackedImage(const std::string& path)
    {
        const stable_ptr<sf::Image> image = GetImage(path, true);
        if (const std::optional<TextureAtlas::Place> place = m_data->atlas.Pack(Canonize(path), *image))
            return PackedImage{create_stable_ptr(place->page), place->offset, image->getSize()};
        return PackedImage{GetTexture(path, true), sf::Vector2i(0, 0), image->getSize()};
    }

    stable_ptr<sf::Sprite> ResourceManager::CreateSprite(const std::string& path, bool smooth)
    {
        const std::shared_ptr<sf::Texture> texture = GetTexture(path, smooth).get_shared();
        // The deleter holds the texture, so it lives at least as long as the sprite.
        std::shared_ptr<sf::Sprite> sprite(new sf::Sprite(*texture),
                                           [texture](sf::Sprite* drawn) { delete drawn; });
        return create_stable_ptr(sprite);
    }

    std::shared_ptr<sf::SoundBuffer> ResourceManager::GetSoundBuffer(const std::string& path)
    {
        if (!m_data->audioDevice)
        {
            GetOrCreateResource(m_data->checkedSounds, path, LoadMediaFile<SoundFileCheck>);
            return nullptr;
        }
        return GetOrCreateResource(m_data->soundBuffers, path, LoadMediaFile<sf::SoundBuffer>);
    }

    stable_ptr<sf::Sound> ResourceManager::CreateSound(const std::string& path)
    {
        const std::shared_ptr<sf::SoundBuffer> buffer = GetSoundBuffer(path);
        if (!buffer)
            BOOST_THROW_EXCEPTION(NotAvailableError("no audio device to play " + path));
        // The sound goes first, then its hold on the buffer.
        std::shared_ptr<sf::Sound> sound(new sf::Sound(*buffer), [buffer](sf::Sound* played) { delete played; });
        sound->setVolume(GetSoundSettings().GetSoundVolume());
        return create_stable_ptr(sound);
    }

    std::shared_ptr<sf::Music> ResourceManager::CreateMusic(const std::string& path)
    {
        const std::string file = GetMediaFile(path);
        if (!m_data->audioDevice)
        {
            // Streamed music is only opened, with a device as well.
            if (!sf::InputSoundFile().openFromFile(file))
                BOOST_THROW_EXCEPTION(LoadError(file));
            return nullptr;
        }
        const std::shared_ptr<sf::Music> music = std::make_shared<sf::Music>();
        if (!music->openFromFile(file))
            BOOST_THROW_EXCEPTION(LoadError(file));
        music->setVolume(GetSoundSettings().GetMusicVolume());
        return music;
    }

    stable_ptr<SpriteList> ResourceManager::GetSpriteList(const std::string& path)
    {
        return create_stable_ptr(GetOrCreateResource(m_data->spriteLists, path, LoadImpl<SpriteList>));
    }

    stable_ptr<SpriteList> ResourceManager::CreateSpriteList(const std::string& name, const pugi::xml_node& element)
    {
        return CreateResource<SpriteList>(name, element);
    }

    stable_ptr<Animation> ResourceManager::CreateAnimation(const std::string& path)
    {
        return GetOrCreateResource(m_data->animations, path, LoadImpl<Animation>)->Clone();
    }

    stable_ptr<Animation> ResourceManager::CreateAnimation(const std::string& name, const pugi::xml_node& element)
    {
        return CreateResource<Animation>(name, element);
    }

    stable_ptr<Action> ResourceManager::CreateAction(const std::string& path)
    {
        const auto action = std::make_shared<Action>();
        LoadFromXmlFile(*action, path);
        return create_stable_ptr(action);
    }

    stable_ptr<Action> ResourceManager::CreateAction(const std::string& name, const pugi::xml_node& element)
    {
        return CreateResource<Action>(name, element);
    }

    stable_ptr<State> ResourceManager::CreateState(const std::string& name, const pugi::xml_node& element)
    {
        return CreateResource<State>(name, element);
    }

    stable_ptr<StateMachineBase> ResourceManager::CreateStateMachine(const std::string& path)
    {
        return ReadDataFile(path, [&] {
            const stable_ptr<pugi::xml_document> document = LoadResourceDocument(path);
            if (const pugi::xml_node element = document->child("state_machine"))
                return LoadMachine<StateMachine>(path, element);
            if (const pugi::xml_node element = document->child("state_machine_group"))
                return LoadMachine<StateMachineGroup>(path, element);
            BOOST_THROW_EXCEPTION(NotSupportedError("no supported state machine found in file " + path));
        });
    }

    stable_ptr<StateMachineBase> ResourceManager::CreateStateMachine(const std::string& name,
                                                                     const pugi::xml_node& element)
    {
        AssertElementName(element, "state_machine");
        if (GetDefinitionSource(element) == DefinitionSource::File)
            return CreateStateMachine(GetReferencedPath(name, element));
        return LoadMachine<StateMachine>(name, element);
    }

    stable_ptr<std::istream> OpenResourceFile(const std::string& path)
    {
        return OpenFile(ToFilesystemPath(path).string());
    }
}
