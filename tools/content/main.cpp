#include "Generator.hpp"

#include <algorithm>
#include <exception>
#include <iostream>

namespace Content
{
    std::vector<Generator>& Generators()
    {
        static std::vector<Generator> generators;
        return generators;
    }

    Registration::Registration(const std::string& name, GeneratorFunction run)
    {
        Generators().push_back({name, std::move(run)});
    }

    std::filesystem::path Prepare(const std::filesystem::path& gameRoot, const std::string& relativePath)
    {
        std::filesystem::path path = gameRoot / relativePath;
        std::filesystem::create_directories(path.parent_path());
        return path;
    }
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: quorvallis-content GAME_ROOT\n";
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    auto generators = Content::Generators();
    // Run in name order so that the output does not depend on link order.
    std::sort(generators.begin(), generators.end(),
              [](const Content::Generator& a, const Content::Generator& b) { return a.name < b.name; });
    try
    {
        for (const auto& generator : generators)
            generator.run(root);
    }
    catch (const std::exception& e)
    {
        std::cerr << "content generation failed: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
