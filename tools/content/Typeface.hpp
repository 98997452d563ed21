// Lettering for generated pictures: reads a TrueType font file and renders a
// line of text into an anti-aliased coverage mask, without a graphics context,
// so the content tool also runs on a build machine that has no display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Content
{
    // A grey-level mask: coverage from 0 (empty) to 1 (fully inked), row by row.
    struct Mask
    {
        unsigned width = 0;
        unsigned height = 0;
        std::vector<float> coverage;

        float At(int x, int y) const;
    };

    class Typeface
    {
    public:
        // Reads the font file; throws std::runtime_error naming the file when it
        // is missing or is not a TrueType font with outlines.
        explicit Typeface(const std::string& path);

        // Width in pixels of a line of text (UTF-8) at the given pixel size
        // (the size of the em square), with extra spacing added between letters.
        float Measure(const std::string& text, float pixelSize, float letterSpacing = 0.f) const;

        // Height of the capital letters at the given pixel size.
        float CapHeight(float pixelSize) const;

        // Renders a line: the mask is as wide as Measure (rounded up, plus a margin
        // of `margin` pixels on every side) and the baseline lies at
        // margin + ascent, ascent being the font's ascender at this size.
        Mask Render(const std::string& text, float pixelSize, float letterSpacing = 0.f, unsigned margin = 0) const;

        float Ascent(float pixelSize) const;
        float Descent(float pixelSize) const;

    private:
        struct Point
        {
            float x;
            float y;
        };
        using Contour = std::vector<Point>;

        std::uint16_t GlyphIndex(std::uint32_t codePoint) const;
        float Advance(std::uint16_t glyph) const;
        void AppendOutline(std::uint16_t glyph, float scale, float dx, float dy, float matrix[4],
                           std::vector<Contour>& out, int depth) const;

        std::uint16_t U16(std::size_t offset) const;
        std::int16_t S16(std::size_t offset) const;
        std::uint32_t U32(std::size_t offset) const;

        std::vector<std::uint8_t> m_data;
        std::string m_path;
        std::size_t m_glyf = 0;
        std::size_t m_loca = 0;
        std::size_t m_hmtx = 0;
        std::size_t m_cmap = 0; // the format-4 subtable
        unsigned m_unitsPerEm = 2048;
        unsigned m_numGlyphs = 0;
        unsigned m_numHMetrics = 0;
        bool m_longLoca = false;
        float m_ascender = 0;
        float m_descender = 0;
        float m_capHeight = 0;
    };

    // The code points of a UTF-8 text; malformed bytes are taken as Latin-1.
    std::vector<std::uint32_t> DecodeUtf8(const std::string& text);
}
