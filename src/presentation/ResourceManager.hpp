// The one service that turns resource paths into loaded things: images and the
// sprites drawn from them, sounds and music, sprite lists and animations. Images,
// sound buffers, sprite-list files and animation files are loaded once per
// canonical path (see Canonize) and kept for the whole run; a failed load is not
// kept, so the next request tries again. Sprites and sounds are made anew on
// every request, on the cached image or buffer; music is opened anew. An
// animation file is kept as a prototype that is never handed out: every request
// gets its own clone. Definitions that stand inline or in files of their own are
// read through presentation/ResourceDefinition.hpp; sprite lists and animations
// defined by an element are made anew on every request.
//
// Images are kept as sf::Image (usable without a window); the first sprite or
// texture request for a path makes one sf::Texture from it, cached beside the
// image, so drawing needs an OpenGL context only from then on. Smoothing belongs
// to that texture and is shared by every sprite of the path: the latest request
// decides it.
//
// Pictures, sounds and music must be regular files: anything else at their
// path (a folder, a named pipe) is refused with LoadError "<file-system path>
// is not a regular file" before the multimedia library sees it (for a cached
// kind the reason is logged and "could not load " + path thrown); a missing
// file is left to the library, which reports it.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>

#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace pugi
{
    class xml_node;
}

namespace sf
{
    class Image;
    class Music;
    class Sound;
    class SoundBuffer;
    class Sprite;
    class Texture;
}

namespace Kestrum
{
    class Action;
    class Animation;
    class SpriteList;
    class State;
    class StateMachineBase;

    class ResourceManager
    {
    public:
        // Makes sounds and music where the game has an audio device
        // (core/AudioDevice.hpp), and only checks their files where it has none.
        ResourceManager();
        // Told whether to make sounds and music (true needs an audio device) or
        // only to check their files as it does without one.
        explicit ResourceManager(bool audioDevice);
        virtual ~ResourceManager();
        ResourceManager(const ResourceManager&) = delete;
        ResourceManager& operator=(const ResourceManager&) = delete;

        // The cached image of the path, loaded on first use; its smoothing is set
        // from the flag. A load failure throws LoadError "could not load " + path,
        // and the next request tries again.
        stable_ptr<sf::Image> GetImage(const std::string& path, bool smooth);

        // The cached texture made from the image of GetImage with the same
        // arguments. Needs an OpenGL context (a window, or Xvfb).
        stable_ptr<sf::Texture> GetTexture(const std::string& path, bool smooth);

        // Where the image of the path lies in the shared textures of the sprite
        // sheets (presentation/TextureAtlas.hpp), packed on the first request:
        // the texture, smooth, and the image's top left corner on it. An image
        // too large to share a texture lies alone on its own (GetTexture, smooth)
        // at (0, 0). Needs an OpenGL context.
        struct PackedImage
        {
            stable_ptr<sf::Texture> texture;
            sf::Vector2i offset;
            sf::Vector2u size;  // of the image
        };
        PackedImage GetPackedImage(const std::string& path);

        // A new sprite on the whole texture of the path, at (0, 0), scale 1,
        // rotation 0, opaque white. The sprite keeps its texture alive.
        stable_ptr<sf::Sprite> CreateSprite(const std::string& path, bool smooth);

        // Sounds and music need the audio device (core/AudioDevice.hpp). Without
        // one the game makes none, but their files fail as they would with one:
        // a sound file is read whole (a missing, cut or broken one throws the
        // same LoadError "could not load " + path), a music file is only opened
        // for streaming, and nothing is made.

        // A new sound on the cached buffer of the path, not looping, at the
        // configured sound volume of the moment. The sound keeps its buffer
        // alive. Without an audio device: NotAvailableError.
        stable_ptr<sf::Sound> CreateSound(const std::string& path);

        // The cached sound buffer of the path; empty without an audio device.
        // Positioned sounds keep buffers and make their sf::Sound only when they
        // play (SoundEmitter): every sound object holds one of the audio
        // device's few sources.
        std::shared_ptr<sf::SoundBuffer> GetSoundBuffer(const std::string& path);

        // A new music stream of the file at the configured music volume, not yet
        // playing; empty without an audio device. A file that cannot be opened
        // throws LoadError with the file-system path as its message; one that is
        // not a regular file, the LoadError above.
        std::shared_ptr<sf::Music> CreateMusic(const std::string& path);

        // The cached sprite list of a sprite-list file (root element
        // "sprite_list"), shared by every caller. A load failure throws
        // LoadError "could not load " + path; the reason is in the log.
        stable_ptr<SpriteList> GetSpriteList(const std::string& path);
        // A new sprite list from a "sprite_list" element: inline, or the file
        // it names relative to the folder of `name` (then read anew, not cached).
        stable_ptr<SpriteList> CreateSpriteList(const std::string& name, const pugi::xml_node& element);

        // A clone of the cached animation of an animation file (root element
        // "animation"). A load failure throws LoadError "could not load " + path.
        stable_ptr<Animation> CreateAnimation(const std::string& path);
        // A new animation from an "animation" element, inline or from the file
        // it names (read anew).
        stable_ptr<Animation> CreateAnimation(const std::string& name, const pugi::xml_node& element);

        // A new action read from an action file (root element "action"), anew
        // on every request; its errors pass as they come (a missing file is an
        // XmlError).
        stable_ptr<Action> CreateAction(const std::string& path);
        // A new action from an "action" element, inline or from the file it names.
        stable_ptr<Action> CreateAction(const std::string& name, const pugi::xml_node& element);

        // A new state from a "state" element, inline or from the file it names
        // (read anew; one that does not load throws LoadError "loading " + path
        // + " failed", the reason in the log).
        stable_ptr<State> CreateState(const std::string& name, const pugi::xml_node& element);

        // A new state machine from a state-machine file: a StateMachine when its
        // root element is "state_machine", a StateMachineGroup when it is
        // "state_machine_group"; neither: NotSupportedError "no supported state
        // machine found in file " + path. The file is read by ReadDataFile
        // (core/Files.hpp): a machine that names itself, directly or through
        // others, is refused, and the errors of the machine pass as they are with
        // the file's path attached for the log.
        stable_ptr<StateMachineBase> CreateStateMachine(const std::string& path);
        // A new state machine from a "state_machine" element: inline always a
        // StateMachine; a file it names (relative to the folder of `name`) as
        // CreateStateMachine of that path, so a group comes from a file.
        stable_ptr<StateMachineBase> CreateStateMachine(const std::string& name, const pugi::xml_node& element);

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };

    // Opens the file of a resource path for reading (text data such as click
    // areas). A path that is not a regular file throws LoadError with the
    // file-system path followed by " is not a regular file"; a file that cannot be
    // opened throws LoadError too. The stream throws on badbit.
    stable_ptr<std::istream> OpenResourceFile(const std::string& path);
}
