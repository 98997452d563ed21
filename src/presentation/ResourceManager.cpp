#include "presentation/ResourceManager.hpp"

#include "core/Exception.hpp"
#include "presentation/ResourceUtility.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <filesystem>
#include <fstream>
#include <map>

namespace Kestrum
{
    namespace
    {
        struct ImageEntry
        {
            std::shared_ptr<sf::Image> image;
            std::shared_ptr<sf::Texture> texture;
            bool smooth = false;
        };

        // Loads without throwing: whatever goes wrong is written to the log.
        bool LoadImpl(sf::Image& image, const std::string& path) noexcept
        {
            try
            {
                return image.loadFromFile(ToFilesystemPath(path).string());
            }
            catch (...)
            {
                LogCurrentException(BOOST_CURRENT_FUNCTION);
                return false;
            }
        }
    }

    struct ResourceManager::Data
    {
        std::map<std::string, ImageEntry> images;

        ImageEntry& GetImageEntry(const std::string& path, bool smooth)
        {
            const std::string key = Canonize(path);
            auto found = images.find(key);
            if (found == images.end())
            {
                auto image = std::make_shared<sf::Image>();
                if (!LoadImpl(*image, key))
                    BOOST_THROW_EXCEPTION(LoadError("could not load " + path));
                found = images.emplace(key, ImageEntry{image, nullptr, smooth}).first;
            }
            ImageEntry& entry = found->second;
            entry.smooth = smooth;
            if (entry.texture)
                entry.texture->setSmooth(smooth);
            return entry;
        }
    };

    ResourceManager::ResourceManager() : m_data(new Data) {}
    ResourceManager::~ResourceManager() = default;

    stable_ptr<sf::Image> ResourceManager::GetImage(const std::string& path, bool smooth)
    {
        return create_stable_ptr(m_data->GetImageEntry(path, smooth).image);
    }

    stable_ptr<sf::Texture> ResourceManager::GetTexture(const std::string& path, bool smooth)
    {
        ImageEntry& entry = m_data->GetImageEntry(path, smooth);
        if (!entry.texture)
        {
            auto texture = std::make_shared<sf::Texture>();
            if (!texture->loadFromImage(*entry.image))
                BOOST_THROW_EXCEPTION(LoadError("could not load " + path));
            texture->setSmooth(entry.smooth);
            entry.texture = texture;
        }
        return create_stable_ptr(entry.texture);
    }

    stable_ptr<sf::Sprite> ResourceManager::CreateSprite(const std::string& path, bool smooth)
    {
        const std::shared_ptr<sf::Texture> texture = GetTexture(path, smooth).get_shared();
        // The deleter holds the texture, so it lives at least as long as the sprite.
        std::shared_ptr<sf::Sprite> sprite(new sf::Sprite(*texture),
                                           [texture](sf::Sprite* drawn) { delete drawn; });
        return create_stable_ptr(sprite);
    }

    stable_ptr<std::istream> OpenResourceFile(const std::string& path)
    {
        const std::string file = ToFilesystemPath(path).string();
        if (!std::filesystem::is_regular_file(file))
            BOOST_THROW_EXCEPTION(LoadError(file + " is not a regular file"));
        auto stream = std::make_shared<std::ifstream>(file);
        if (!stream->is_open())
            BOOST_THROW_EXCEPTION(LoadError(file + " could not be opened"));
        stream->exceptions(std::ios::badbit);
        return create_stable_ptr(std::shared_ptr<std::istream>(stream));
    }
}
