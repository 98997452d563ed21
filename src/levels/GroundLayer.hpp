// The ground of a level kept painted: the still layers at the bottom of a
// level (tile layers, placed pictures that do not play), drawn into a
// ScrollCache band by band as the scroll brings new rows in, and shown each
// frame as one opaque quad over the play field. The picture is the one the
// layers draw themselves, one after another, on a black screen.
//
//     layers = GroundLayer::Gather(XmlLayerLoader::LoadLayers(root, path));
//     ...
//     for (layer : layers) layer->Draw();     // the ground first, opaque
//
// The ground paints every pixel of the play field, black where its layers
// leave it empty, even when no layer could be gathered.
#pragma once

#include "levels/Layer.hpp"

#include <memory>
#include <vector>

namespace Kestrum
{
    class ScrollCache;

    class GroundLayer : public Layer
    {
    public:
        // A new ground layer in front of the level's layers in place of the
        // leading still ones that scroll as fast as the first of them.
        static std::vector<std::shared_ptr<Layer>> Gather(std::vector<std::shared_ptr<Layer>> layers);

        // The ground of the layers, which are still and scroll alike.
        explicit GroundLayer(std::vector<std::shared_ptr<Layer>> layers);
        ~GroundLayer() override;

        // Every layer's own update.
        void OnUpdate() override;
        // The play field's ground at the layers' offset (0 without layers),
        // painting the bands it lacks first.
        void Draw() override;
        // Made from loaded layers, never loaded itself: LogicError.
        void Load(const pugi::xml_node& element) override;
        unsigned GetEnemyCount() const override;

        const std::vector<std::shared_ptr<Layer>>& GetLayers() const { return m_layers; }

    private:
        std::vector<std::shared_ptr<Layer>> m_layers;
        std::unique_ptr<ScrollCache> m_cache;
    };
}
