#include "SpriteSheet.hpp"

#include <algorithm>
#include <stdexcept>

namespace Content
{
    SpriteSheet::SpriteSheet(unsigned width, unsigned height, unsigned columns)
        : m_width(width), m_height(height), m_columns(std::max(1u, columns))
    {
        if (width == 0 || height == 0)
            throw std::invalid_argument("sprite sheet frames need a width and a height");
    }

    Canvas SpriteSheet::NewFrame() const
    {
        return Canvas(m_width, m_height);
    }

    void SpriteSheet::Add(const Canvas& frame)
    {
        if (frame.Width() != m_width || frame.Height() != m_height)
            throw std::invalid_argument("frame of " + std::to_string(frame.Width()) + " x " +
                                        std::to_string(frame.Height()) + " on a sheet of " + std::to_string(m_width) +
                                        " x " + std::to_string(m_height) + " frames");
        m_frames.push_back(frame);
    }

    sf::IntRect SpriteSheet::Cell(unsigned index) const
    {
        return sf::IntRect(int((index % m_columns) * m_width), int((index / m_columns) * m_height), int(m_width),
                           int(m_height));
    }

    Canvas SpriteSheet::Compose() const
    {
        if (m_frames.empty())
            throw std::logic_error("a sprite sheet without frames");
        const unsigned count = Count();
        const unsigned columns = std::min(count, m_columns);
        const unsigned rows = (count + m_columns - 1) / m_columns;
        Canvas sheet(columns * m_width, rows * m_height);
        for (unsigned i = 0; i < count; ++i)
        {
            const sf::IntRect cell = Cell(i);
            sheet.Draw(m_frames[i], cell.left, cell.top);
        }
        return sheet;
    }

    void SpriteSheet::Save(const std::filesystem::path& gameRoot, const std::string& relativePath) const
    {
        Compose().Save(gameRoot, relativePath);
    }

    void SaveStrip(const std::vector<Canvas>& frames, const std::filesystem::path& gameRoot, const std::string& file)
    {
        if (frames.empty())
            throw std::logic_error("a strip without frames: " + file);
        SpriteSheet strip(frames.front().Width(), frames.front().Height(), unsigned(frames.size()));
        for (const Canvas& frame : frames)
            strip.Add(frame);
        strip.Save(gameRoot, file);
    }

    void PaintStrip(const std::filesystem::path& gameRoot, const std::string& file, unsigned width, unsigned height,
                    int count, const std::function<void(Canvas&, int)>& paint)
    {
        std::vector<Canvas> frames;
        for (int f = 0; f < count; ++f)
        {
            Canvas frame(width, height);
            paint(frame, f);
            frames.push_back(frame);
        }
        SaveStrip(frames, gameRoot, file);
    }
}
