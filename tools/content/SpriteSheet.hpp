// Several frames of one size in one image on a transparent background: the
// pictures of ships, enemies, shots, pick-ups and explosions that animations
// cut their frames from.
//
// Frames are laid out in the order they are added, row by row: frame i lies in
// column i % columns and row i / columns, so its sprite-list entry is
//     <sprite x="column * width" y="row * height" width="width" height="height" .../>
// (Cell gives the rectangle). Each frame is painted on its own transparent
// canvas and blended onto the clear sheet, so it arrives unchanged.
//
//     Content::SpriteSheet sheet(64, 64, 4);       // four frames a row
//     for (unsigned i = 0; i < 8; ++i)
//     {
//         Content::Canvas frame = sheet.NewFrame();
//         frame.FillCircle({32.f, 32.f}, 10.f + 2.f * i, Content::Hex(0xffa040));
//         sheet.Add(frame);
//     }
//     sheet.Save(gameRoot, "resources|effects|blast.png");   // 256 x 128
#pragma once

#include "Canvas.hpp"

#include <SFML/Graphics/Rect.hpp>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace Content
{
    class SpriteSheet
    {
    public:
        // Frames of width by height pixels, `columns` of them in a row.
        SpriteSheet(unsigned width, unsigned height, unsigned columns);

        // A transparent canvas of the frame size to paint a frame on.
        Canvas NewFrame() const;
        // Appends a frame; one of another size throws std::invalid_argument.
        void Add(const Canvas& frame);

        unsigned Count() const { return unsigned(m_frames.size()); }
        // Where frame `index` lies in the sheet: (left, top, width, height).
        sf::IntRect Cell(unsigned index) const;

        // The sheet: as many rows as the frames need, `columns` wide (fewer
        // when there are fewer frames). No frames: std::logic_error.
        Canvas Compose() const;
        // Composes and saves below the game root ('|' or '/' separators).
        void Save(const std::filesystem::path& gameRoot, const std::string& relativePath) const;

    private:
        unsigned m_width;
        unsigned m_height;
        unsigned m_columns;
        std::vector<Canvas> m_frames;
    };

    // The frames (all of the first one's size) side by side in one row.
    void SaveStrip(const std::vector<Canvas>& frames, const std::filesystem::path& gameRoot, const std::string& file);
    // Paints `count` frames of width by height, each on a transparent canvas of
    // its own (`paint` gets the canvas and the frame's number from 0), and
    // saves them side by side in one row.
    void PaintStrip(const std::filesystem::path& gameRoot, const std::string& file, unsigned width, unsigned height,
                    int count, const std::function<void(Canvas&, int)>& paint);
}
