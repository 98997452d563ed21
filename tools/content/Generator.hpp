// The content tool: every generated image, sound and piece of music of the game
// is written by a generator registered here. Each generator file registers itself
// with a static Registration object, so adding content means adding a file.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace Content
{
    using GeneratorFunction = std::function<void(const std::filesystem::path& gameRoot)>;

    struct Generator
    {
        std::string name;
        GeneratorFunction run;
    };

    std::vector<Generator>& Generators();

    struct Registration
    {
        Registration(const std::string& name, GeneratorFunction run);
    };

    // Creates the parent folders of a file below the game root and returns its full path.
    std::filesystem::path Prepare(const std::filesystem::path& gameRoot, const std::string& relativePath);
}
