// Drawing helpers for the content generators. Everything is drawn on the CPU into
// an sf::Image, so the content tool needs no window or OpenGL context and runs in
// a plain build. The output is reproducible: the same calls give the same bytes.
//
// Coordinates are pixels, x to the right, y down; a rectangle is
// sf::FloatRect(left, top, width, height). Shapes have anti-aliased edges and are
// blended over what is already there (colour alpha included), so layers can be
// built up: background, panels, highlights, text.
//
// Example (a button image with its four state quarters is just four calls):
//
//     Content::Canvas canvas(240, 60);
//     canvas.Panel({2, 2, 236, 56}, 10, {70, 90, 140}, {30, 40, 80}, {160, 190, 255}, 2);
//     canvas.TextCentered("Arcade", {0, 0, 240, 60},
//                         Content::TextStyle{24, sf::Color::White, Content::Font::Bold}
//                             .WithShadow(sf::Color(0, 0, 0, 160)));
//     canvas.Save(gameRoot, "resources|gui|example.png");   // '|' or '/' separators
//
// Text uses the DejaVu fonts through FreeType (UTF-8 input, '\n' starts a new line).
#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace Content
{
    // A colour written as 0xRRGGBB, with an alpha.
    inline sf::Color Hex(std::uint32_t rgb, std::uint8_t alpha = 255)
    {
        return sf::Color(sf::Uint8(rgb >> 16), sf::Uint8(rgb >> 8), sf::Uint8(rgb), alpha);
    }

    const float Pi = 3.14159265f;

    // The value held to [0, 1].
    float Clamp01(float value);
    // 0 up to edge0, 1 from edge1 on, rising smoothly between.
    float SmoothStep(float edge0, float edge1, float x);
    // The point `radius` away from `centre` at `angle` (radians from +x towards +y).
    sf::Vector2f Polar(const sf::Vector2f& centre, float radius, float angle);

    // Linear mix: t = 0 gives a, t = 1 gives b (alpha mixed too).
    sf::Color Mix(const sf::Color& a, const sf::Color& b, float t);
    // The colour with another alpha.
    sf::Color WithAlpha(const sf::Color& color, std::uint8_t alpha);
    // Brighter (amount > 0) or darker (amount < 0) by mixing towards white or black.
    sf::Color Shade(const sf::Color& color, float amount);

    // A small deterministic random source for grain, stars and the like.
    class Random
    {
    public:
        explicit Random(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
        std::uint32_t Next();
        // Uniform in [0, 1).
        float Fraction();
        // Uniform in [low, high).
        float Between(float low, float high) { return low + (high - low) * Fraction(); }

    private:
        std::uint32_t m_state;
    };

    enum class Font
    {
        Regular,      // DejaVu Sans
        Bold,         // DejaVu Sans Bold
        Oblique,      // DejaVu Sans, slanted
        BoldOblique,  // DejaVu Sans Bold, slanted
        Condensed,    // DejaVu Sans Bold, narrowed: captions in tight places
        Mono,         // DejaVu Sans Mono Bold: digits of counters
        Serif         // DejaVu Serif Bold: titles
    };

    enum class Align
    {
        Left,
        Center,
        Right
    };

    struct TextStyle
    {
        unsigned size = 16;             // pixel height of the em square
        sf::Color color = sf::Color::White;
        Font font = Font::Regular;
        std::optional<sf::Color> shadow; // drawn first, moved by shadowOffset
        sf::Vector2f shadowOffset{2.f, 2.f};
        std::optional<sf::Color> outline; // a one-pixel ring around the glyphs
        float lineSpacing = 1.f;         // factor on the font's line height

        TextStyle WithShadow(const sf::Color& color, sf::Vector2f offset = {2.f, 2.f}) const;
        TextStyle WithOutline(const sf::Color& color) const;
    };

    // A plain style of the size, colour and font.
    inline TextStyle Style(unsigned size, const sf::Color& color, Font font = Font::Regular)
    {
        TextStyle style;
        style.size = size;
        style.color = color;
        style.font = font;
        return style;
    }

    class Canvas
    {
    public:
        // A new image of the size, filled with the background (transparent by default).
        Canvas(unsigned width, unsigned height, const sf::Color& background = sf::Color(0, 0, 0, 0));
        explicit Canvas(const sf::Image& image);

        unsigned Width() const { return m_image.getSize().x; }
        unsigned Height() const { return m_image.getSize().y; }
        sf::Image& Image() { return m_image; }
        const sf::Image& Image() const { return m_image; }
        sf::FloatRect Bounds() const { return sf::FloatRect(0.f, 0.f, float(Width()), float(Height())); }

        // --- pixels ---------------------------------------------------------
        // Replaces every pixel.
        void Clear(const sf::Color& color);
        // Replaces one pixel (outside the image: nothing).
        void SetPixel(int x, int y, const sf::Color& color);
        // Blends the colour over one pixel with the given coverage in [0, 1].
        void BlendPixel(int x, int y, const sf::Color& color, float coverage = 1.f);

        // --- shapes ---------------------------------------------------------
        void FillRectangle(const sf::FloatRect& rect, const sf::Color& color);
        // A frame of the thickness lying inside the rectangle.
        void OutlineRectangle(const sf::FloatRect& rect, float thickness, const sf::Color& color);
        void FillRoundedRectangle(const sf::FloatRect& rect, float radius, const sf::Color& color);
        void OutlineRoundedRectangle(const sf::FloatRect& rect, float radius, float thickness,
                                     const sf::Color& color);
        // A (rounded) rectangle whose colour runs from `from` to `to`, top to
        // bottom (vertical) or left to right.
        void GradientRectangle(const sf::FloatRect& rect, const sf::Color& from, const sf::Color& to,
                               bool vertical = true, float radius = 0.f);
        // A finished interface panel: rounded, vertical gradient from top to
        // bottom colour, a soft highlight along the upper half and a border.
        void Panel(const sf::FloatRect& rect, float radius, const sf::Color& top, const sf::Color& bottom,
                   const sf::Color& border, float borderThickness);
        // A blurred dark copy of a rounded rectangle, for panels that float.
        void DropShadow(const sf::FloatRect& rect, float radius, float blur, const sf::Color& color);
        void FillCircle(const sf::Vector2f& centre, float radius, const sf::Color& color);
        void OutlineCircle(const sf::Vector2f& centre, float radius, float thickness, const sf::Color& color);
        // A disc whose colour runs from `inner` at the centre to `outer` at the rim.
        void RadialGradient(const sf::Vector2f& centre, float radius, const sf::Color& inner,
                            const sf::Color& outer);
        // A straight stroke with round ends.
        void Line(const sf::Vector2f& from, const sf::Vector2f& to, float thickness, const sf::Color& color);
        // Any simple or self-crossing polygon (even-odd rule), anti-aliased.
        void FillPolygon(const std::vector<sf::Vector2f>& points, const sf::Color& color);

        // --- texture --------------------------------------------------------
        // Adds grain: every pixel of the rectangle is lightened or darkened by up
        // to `amount` (0..1), alpha untouched.
        void Grain(const sf::FloatRect& rect, float amount, std::uint32_t seed);
        // Scatters `count` small bright points (stars, sparks) over the rectangle.
        void Stars(const sf::FloatRect& rect, unsigned count, std::uint32_t seed,
                   const sf::Color& color = sf::Color::White);
        // Light from the upper left: opaque pixels are brightened above the
        // middle line and darkened below it, by up to `amount` (Shade) at the
        // top and bottom edges; alpha untouched.
        void Relief(float amount);
        // Blends another canvas over this one with its top-left corner at (x, y).
        void Draw(const Canvas& other, int x, int y);

        // --- text -----------------------------------------------------------
        // Draws text with the top of its first line at position.y; the anchor
        // position.x is the left end, the centre or the right end of each line.
        void Text(const std::string& utf8, const sf::Vector2f& position, const TextStyle& style,
                  Align align = Align::Left);
        // Centres the text (all its lines) in the rectangle.
        void TextCentered(const std::string& utf8, const sf::FloatRect& box, const TextStyle& style);
        // Width and height the text takes (height: line count times line height).
        static sf::Vector2f MeasureText(const std::string& utf8, const TextStyle& style);

        // --- output ---------------------------------------------------------
        // Writes PNG, JPG, BMP or TGA by the file's extension; throws
        // std::runtime_error on failure.
        void Save(const std::filesystem::path& file) const;
        // Saves below the game root; the relative path may use '|' or '/'.
        void Save(const std::filesystem::path& gameRoot, const std::string& relativePath) const;

    private:
        template <typename Coverage, typename Colour>
        void Paint(const sf::FloatRect& area, Coverage coverage, Colour colour);

        sf::Image m_image;
    };

    // A sound value in [-1, 1] (beyond it: clipped) as a 16-bit sample.
    std::int16_t ToSample(float value);
    // Writes 16-bit samples (interleaved when there is more than one channel) as
    // OGG, WAV or FLAC by the file's extension; throws std::runtime_error on failure.
    void SaveSound(const std::filesystem::path& file, const std::vector<std::int16_t>& samples,
                   unsigned sampleRate, unsigned channels);
}
