#include "Canvas.hpp"

#include "Generator.hpp"

#include <SFML/Audio/OutputSoundFile.hpp>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace Content
{
    namespace
    {
        const char* const FontFolder = "/usr/share/fonts/truetype/dejavu/";

        std::uint8_t ToByte(float value)
        {
            return static_cast<std::uint8_t>(std::lround(std::min(255.f, std::max(0.f, value))));
        }

        // Coverage of a pixel whose centre lies at signed distance d from an edge
        // (negative inside): a one-pixel-wide ramp gives smooth edges.
        float EdgeCoverage(float d)
        {
            return Clamp01(0.5f - d);
        }

        // Signed distance from (px, py) to a rounded rectangle.
        float RoundedBoxDistance(float px, float py, const sf::FloatRect& rect, float radius)
        {
            const float halfWidth = rect.width * 0.5f;
            const float halfHeight = rect.height * 0.5f;
            radius = std::max(0.f, std::min(radius, std::min(halfWidth, halfHeight)));
            const float qx = std::fabs(px - (rect.left + halfWidth)) - halfWidth + radius;
            const float qy = std::fabs(py - (rect.top + halfHeight)) - halfHeight + radius;
            const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
            const float inside = std::min(std::max(qx, qy), 0.f);
            return outside + inside - radius;
        }

        float SegmentDistance(const sf::Vector2f& p, const sf::Vector2f& a, const sf::Vector2f& b)
        {
            const sf::Vector2f ab = b - a;
            const sf::Vector2f ap = p - a;
            const float lengthSquared = ab.x * ab.x + ab.y * ab.y;
            const float t = lengthSquared > 0.f ? Clamp01((ap.x * ab.x + ap.y * ab.y) / lengthSquared) : 0.f;
            return std::hypot(ap.x - ab.x * t, ap.y - ab.y * t);
        }

        sf::FloatRect Grow(const sf::FloatRect& rect, float amount)
        {
            return sf::FloatRect(rect.left - amount, rect.top - amount, rect.width + 2 * amount,
                                 rect.height + 2 * amount);
        }

        bool InsidePolygon(float x, float y, const std::vector<sf::Vector2f>& points)
        {
            bool inside = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
            {
                const sf::Vector2f& a = points[i];
                const sf::Vector2f& b = points[j];
                if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                    inside = !inside;
            }
            return inside;
        }

        // Code points of a UTF-8 text; malformed bytes become '?'.
        std::vector<char32_t> DecodeUtf8(const std::string& text)
        {
            std::vector<char32_t> result;
            for (std::size_t i = 0; i < text.size();)
            {
                const unsigned char lead = static_cast<unsigned char>(text[i]);
                int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
                if (extra < 0 || (extra > 0 && i + extra >= text.size()))
                {
                    result.push_back(U'?');
                    ++i;
                    continue;
                }
                char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
                for (int k = 1; k <= extra; ++k)
                    code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
                result.push_back(code);
                i += extra + 1;
            }
            return result;
        }

        std::vector<std::vector<char32_t>> SplitLines(const std::string& text)
        {
            std::vector<std::vector<char32_t>> lines(1);
            for (char32_t code : DecodeUtf8(text))
            {
                if (code == U'\n')
                    lines.emplace_back();
                else
                    lines.back().push_back(code);
            }
            return lines;
        }

        // The fonts, opened once per run of the tool.
        class Fonts
        {
        public:
            static Fonts& Instance()
            {
                static Fonts fonts;
                return fonts;
            }

            // The face of the style, set to the pixel size and slant/narrowing.
            FT_Face Face(Font font, unsigned size)
            {
                const char* file = "DejaVuSans.ttf";
                FT_Matrix matrix{0x10000, 0, 0, 0x10000};
                switch (font)
                {
                case Font::Regular: break;
                case Font::Bold: file = "DejaVuSans-Bold.ttf"; break;
                case Font::Oblique: matrix.xy = 0x3400; break;
                case Font::BoldOblique: file = "DejaVuSans-Bold.ttf"; matrix.xy = 0x3400; break;
                case Font::Condensed: file = "DejaVuSans-Bold.ttf"; matrix.xx = 0xD000; break;
                case Font::Mono: file = "DejaVuSansMono-Bold.ttf"; break;
                case Font::Serif: file = "DejaVuSerif-Bold.ttf"; break;
                }
                FT_Face& face = m_faces[file];
                if (!face && FT_New_Face(m_library, (std::string(FontFolder) + file).c_str(), 0, &face) != 0)
                {
                    face = nullptr;
                    throw std::runtime_error(std::string("could not open font ") + FontFolder + file);
                }
                FT_Set_Pixel_Sizes(face, 0, size);
                FT_Set_Transform(face, &matrix, nullptr);
                return face;
            }

        private:
            Fonts()
            {
                if (FT_Init_FreeType(&m_library) != 0)
                    throw std::runtime_error("could not start FreeType");
            }
            ~Fonts()
            {
                for (auto& entry : m_faces)
                    if (entry.second)
                        FT_Done_Face(entry.second);
                FT_Done_FreeType(m_library);
            }

            FT_Library m_library = nullptr;
            std::map<std::string, FT_Face> m_faces;
        };

        // Loads every glyph of the line in turn (with kerning) and calls
        // visit(pen) with the glyph in face->glyph and the pen position in 1/64
        // pixels from the line's start; answers the pen position after the line.
        template <typename Visit>
        long WalkLine(FT_Face face, const std::vector<char32_t>& line, FT_Int32 loadFlags, Visit visit)
        {
            long pen = 0;
            FT_UInt previous = 0;
            for (char32_t code : line)
            {
                const FT_UInt index = FT_Get_Char_Index(face, code);
                if (previous && index && FT_HAS_KERNING(face))
                {
                    FT_Vector kerning;
                    FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
                    pen += kerning.x;
                }
                previous = index;
                if (FT_Load_Glyph(face, index, loadFlags) != 0)
                    continue;
                visit(pen);
                pen += face->glyph->advance.x;
            }
            return pen;
        }

        float LineWidth(FT_Face face, const std::vector<char32_t>& line)
        {
            return WalkLine(face, line, FT_LOAD_DEFAULT, [](long) {}) / 64.f;
        }

        float LineHeight(FT_Face face, const TextStyle& style)
        {
            return (face->size->metrics.height / 64.f) * style.lineSpacing;
        }
    }

    float Clamp01(float value)
    {
        return std::min(1.f, std::max(0.f, value));
    }

    float SmoothStep(float edge0, float edge1, float x)
    {
        const float t = Clamp01((x - edge0) / (edge1 - edge0));
        return t * t * (3.f - 2.f * t);
    }

    sf::Vector2f Polar(const sf::Vector2f& centre, float radius, float angle)
    {
        return centre + sf::Vector2f(radius * std::cos(angle), radius * std::sin(angle));
    }

    sf::Color Mix(const sf::Color& a, const sf::Color& b, float t)
    {
        t = Clamp01(t);
        return sf::Color(ToByte(a.r + (b.r - a.r) * t), ToByte(a.g + (b.g - a.g) * t),
                         ToByte(a.b + (b.b - a.b) * t), ToByte(a.a + (b.a - a.a) * t));
    }

    sf::Color WithAlpha(const sf::Color& color, std::uint8_t alpha)
    {
        return sf::Color(color.r, color.g, color.b, alpha);
    }

    sf::Color Shade(const sf::Color& color, float amount)
    {
        const sf::Color target = amount >= 0.f ? sf::Color(255, 255, 255, color.a) : sf::Color(0, 0, 0, color.a);
        return Mix(color, target, std::fabs(amount));
    }

    std::uint32_t Random::Next()
    {
        // xorshift32: small, fast and the same everywhere.
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

    float Random::Fraction()
    {
        return (Next() >> 8) / 16777216.f;
    }

    TextStyle TextStyle::WithShadow(const sf::Color& color, sf::Vector2f offset) const
    {
        TextStyle copy = *this;
        copy.shadow = color;
        copy.shadowOffset = offset;
        return copy;
    }

    TextStyle TextStyle::WithOutline(const sf::Color& color) const
    {
        TextStyle copy = *this;
        copy.outline = color;
        return copy;
    }

    Canvas::Canvas(unsigned width, unsigned height, const sf::Color& background)
    {
        m_image.create(width, height, background);
    }

    Canvas::Canvas(const sf::Image& image) : m_image(image) {}

    void Canvas::Clear(const sf::Color& color)
    {
        m_image.create(Width(), Height(), color);
    }

    void Canvas::SetPixel(int x, int y, const sf::Color& color)
    {
        if (x >= 0 && y >= 0 && unsigned(x) < Width() && unsigned(y) < Height())
            m_image.setPixel(unsigned(x), unsigned(y), color);
    }

    void Canvas::BlendPixel(int x, int y, const sf::Color& color, float coverage)
    {
        if (x < 0 || y < 0 || unsigned(x) >= Width() || unsigned(y) >= Height())
            return;
        const float sourceAlpha = color.a / 255.f * Clamp01(coverage);
        if (sourceAlpha <= 0.f)
            return;
        const sf::Color below = m_image.getPixel(unsigned(x), unsigned(y));
        const float belowAlpha = below.a / 255.f;
        const float alpha = sourceAlpha + belowAlpha * (1.f - sourceAlpha);
        auto channel = [&](std::uint8_t source, std::uint8_t destination) {
            return ToByte((source * sourceAlpha + destination * belowAlpha * (1.f - sourceAlpha)) / alpha);
        };
        m_image.setPixel(unsigned(x), unsigned(y),
                         sf::Color(channel(color.r, below.r), channel(color.g, below.g), channel(color.b, below.b),
                                   ToByte(alpha * 255.f)));
    }

    template <typename Coverage, typename Colour>
    void Canvas::Paint(const sf::FloatRect& area, Coverage coverage, Colour colour)
    {
        const int left = std::max(0, int(std::floor(area.left)) - 1);
        const int top = std::max(0, int(std::floor(area.top)) - 1);
        const int right = std::min(int(Width()), int(std::ceil(area.left + area.width)) + 1);
        const int bottom = std::min(int(Height()), int(std::ceil(area.top + area.height)) + 1);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
            {
                const float px = x + 0.5f;
                const float py = y + 0.5f;
                const float amount = coverage(px, py);
                if (amount > 0.f)
                    BlendPixel(x, y, colour(px, py), amount);
            }
    }

    void Canvas::FillRectangle(const sf::FloatRect& rect, const sf::Color& color)
    {
        FillRoundedRectangle(rect, 0.f, color);
    }

    void Canvas::OutlineRectangle(const sf::FloatRect& rect, float thickness, const sf::Color& color)
    {
        OutlineRoundedRectangle(rect, 0.f, thickness, color);
    }

    void Canvas::FillRoundedRectangle(const sf::FloatRect& rect, float radius, const sf::Color& color)
    {
        Paint(rect, [&](float x, float y) { return EdgeCoverage(RoundedBoxDistance(x, y, rect, radius)); },
              [&](float, float) { return color; });
    }

    void Canvas::OutlineRoundedRectangle(const sf::FloatRect& rect, float radius, float thickness,
                                         const sf::Color& color)
    {
        Paint(rect,
              [&](float x, float y) {
                  const float d = RoundedBoxDistance(x, y, rect, radius);
                  return EdgeCoverage(d) - EdgeCoverage(d + thickness);
              },
              [&](float, float) { return color; });
    }

    void Canvas::GradientRectangle(const sf::FloatRect& rect, const sf::Color& from, const sf::Color& to,
                                   bool vertical, float radius)
    {
        Paint(rect, [&](float x, float y) { return EdgeCoverage(RoundedBoxDistance(x, y, rect, radius)); },
              [&](float x, float y) {
                  const float t = vertical ? (y - rect.top) / std::max(1.f, rect.height)
                                           : (x - rect.left) / std::max(1.f, rect.width);
                  return Mix(from, to, t);
              });
    }

    void Canvas::Panel(const sf::FloatRect& rect, float radius, const sf::Color& top, const sf::Color& bottom,
                       const sf::Color& border, float borderThickness)
    {
        GradientRectangle(rect, top, bottom, true, radius);
        const float inset = borderThickness + 1.f;
        const sf::FloatRect gloss(rect.left + inset, rect.top + inset, rect.width - 2 * inset,
                                  rect.height * 0.45f - inset);
        if (gloss.width > 0.f && gloss.height > 0.f)
            GradientRectangle(gloss, sf::Color(255, 255, 255, 56), sf::Color(255, 255, 255, 0), true,
                              std::max(0.f, radius - inset));
        if (borderThickness > 0.f)
            OutlineRoundedRectangle(rect, radius, borderThickness, border);
    }

    void Canvas::DropShadow(const sf::FloatRect& rect, float radius, float blur, const sf::Color& color)
    {
        blur = std::max(0.5f, blur);
        Paint(Grow(rect, blur),
              [&](float x, float y) {
                  const float t = Clamp01((RoundedBoxDistance(x, y, rect, radius) + blur) / (2.f * blur));
                  return 1.f - t * t * (3.f - 2.f * t);
              },
              [&](float, float) { return color; });
    }

    void Canvas::FillCircle(const sf::Vector2f& centre, float radius, const sf::Color& color)
    {
        Paint(Grow(sf::FloatRect(centre.x, centre.y, 0.f, 0.f), radius),
              [&](float x, float y) { return EdgeCoverage(std::hypot(x - centre.x, y - centre.y) - radius); },
              [&](float, float) { return color; });
    }

    void Canvas::OutlineCircle(const sf::Vector2f& centre, float radius, float thickness, const sf::Color& color)
    {
        Paint(Grow(sf::FloatRect(centre.x, centre.y, 0.f, 0.f), radius),
              [&](float x, float y) {
                  const float d = std::hypot(x - centre.x, y - centre.y) - radius;
                  return EdgeCoverage(d) - EdgeCoverage(d + thickness);
              },
              [&](float, float) { return color; });
    }

    void Canvas::RadialGradient(const sf::Vector2f& centre, float radius, const sf::Color& inner,
                                const sf::Color& outer)
    {
        Paint(Grow(sf::FloatRect(centre.x, centre.y, 0.f, 0.f), radius),
              [&](float x, float y) { return EdgeCoverage(std::hypot(x - centre.x, y - centre.y) - radius); },
              [&](float x, float y) {
                  return Mix(inner, outer, std::hypot(x - centre.x, y - centre.y) / std::max(radius, 0.5f));
              });
    }

    void Canvas::Line(const sf::Vector2f& from, const sf::Vector2f& to, float thickness, const sf::Color& color)
    {
        const sf::FloatRect box(std::min(from.x, to.x), std::min(from.y, to.y), std::fabs(to.x - from.x),
                                std::fabs(to.y - from.y));
        Paint(Grow(box, thickness),
              [&](float x, float y) {
                  return EdgeCoverage(SegmentDistance(sf::Vector2f(x, y), from, to) - thickness * 0.5f);
              },
              [&](float, float) { return color; });
    }

    void Canvas::FillPolygon(const std::vector<sf::Vector2f>& points, const sf::Color& color)
    {
        if (points.size() < 3)
            return;
        float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
        for (const sf::Vector2f& p : points)
        {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        // 4 x 4 samples per pixel.
        Paint(sf::FloatRect(minX, minY, maxX - minX, maxY - minY),
              [&](float x, float y) {
                  int hits = 0;
                  for (int sy = 0; sy < 4; ++sy)
                      for (int sx = 0; sx < 4; ++sx)
                          hits += InsidePolygon(x - 0.375f + sx * 0.25f, y - 0.375f + sy * 0.25f, points);
                  return hits / 16.f;
              },
              [&](float, float) { return color; });
    }

    void Canvas::Grain(const sf::FloatRect& rect, float amount, std::uint32_t seed)
    {
        Random random(seed);
        const int left = std::max(0, int(rect.left));
        const int top = std::max(0, int(rect.top));
        const int right = std::min(int(Width()), int(rect.left + rect.width));
        const int bottom = std::min(int(Height()), int(rect.top + rect.height));
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
            {
                const sf::Color pixel = m_image.getPixel(unsigned(x), unsigned(y));
                m_image.setPixel(unsigned(x), unsigned(y), Shade(pixel, (random.Fraction() * 2.f - 1.f) * amount));
            }
    }

    void Canvas::Stars(const sf::FloatRect& rect, unsigned count, std::uint32_t seed, const sf::Color& color)
    {
        Random random(seed);
        for (unsigned i = 0; i < count; ++i)
        {
            const sf::Vector2f at(random.Between(rect.left, rect.left + rect.width),
                                  random.Between(rect.top, rect.top + rect.height));
            const float size = random.Between(0.4f, 1.4f);
            const float brightness = random.Between(0.35f, 1.f);
            FillCircle(at, size, WithAlpha(color, ToByte(color.a * brightness)));
        }
    }

    void Canvas::Relief(float amount)
    {
        const float middle = float(Height()) / 2.f;
        for (unsigned y = 0; y < Height(); ++y)
            for (unsigned x = 0; x < Width(); ++x)
            {
                const sf::Color p = m_image.getPixel(x, y);
                if (p.a == 0)
                    continue;
                const sf::Color shaded = Shade(p, amount * (middle - float(y)) / middle);
                m_image.setPixel(x, y, sf::Color(shaded.r, shaded.g, shaded.b, p.a));
            }
    }

    void Canvas::Draw(const Canvas& other, int x, int y)
    {
        for (unsigned sy = 0; sy < other.Height(); ++sy)
            for (unsigned sx = 0; sx < other.Width(); ++sx)
                BlendPixel(x + int(sx), y + int(sy), other.m_image.getPixel(sx, sy));
    }

    void Canvas::Text(const std::string& utf8, const sf::Vector2f& position, const TextStyle& style, Align align)
    {
        if (style.shadow)
        {
            TextStyle shadow = style;
            shadow.shadow.reset();
            shadow.color = *style.shadow;
            if (shadow.outline)
                shadow.outline = *style.shadow;
            Text(utf8, position + style.shadowOffset, shadow, align);
        }
        if (style.outline)
        {
            TextStyle ring = style;
            ring.shadow.reset();
            ring.outline.reset();
            ring.color = *style.outline;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (dx || dy)
                        Text(utf8, position + sf::Vector2f(float(dx), float(dy)), ring, align);
        }

        FT_Face face = Fonts::Instance().Face(style.font, style.size);
        const float ascender = face->size->metrics.ascender / 64.f;
        float baseline = position.y + ascender;
        for (const std::vector<char32_t>& line : SplitLines(utf8))
        {
            float penX = position.x;
            if (align != Align::Left)
            {
                const float width = LineWidth(face, line);
                penX -= align == Align::Center ? width * 0.5f : width;
            }
            const long start = std::lround(penX * 64.f);
            WalkLine(face, line, FT_LOAD_RENDER, [&](long pen) {
                const FT_GlyphSlot glyph = face->glyph;
                const FT_Bitmap& bitmap = glyph->bitmap;
                const int originX = int(std::lround((start + pen) / 64.f)) + glyph->bitmap_left;
                const int originY = int(std::lround(baseline)) - glyph->bitmap_top;
                for (unsigned row = 0; row < bitmap.rows; ++row)
                    for (unsigned column = 0; column < bitmap.width; ++column)
                    {
                        const unsigned char value = bitmap.buffer[row * bitmap.pitch + column];
                        if (value)
                            BlendPixel(originX + int(column), originY + int(row), style.color, value / 255.f);
                    }
            });
            baseline += LineHeight(face, style);
        }
    }

    void Canvas::TextCentered(const std::string& utf8, const sf::FloatRect& box, const TextStyle& style)
    {
        FT_Face face = Fonts::Instance().Face(style.font, style.size);
        const std::size_t lines = SplitLines(utf8).size();
        // Centre on the visible letters: ascender to baseline of capitals rather
        // than the full line box, which has room for descenders below.
        const float ascender = face->size->metrics.ascender / 64.f;
        const float capital = style.size * 0.73f;
        const float blockHeight = capital + (lines - 1) * LineHeight(face, style);
        const float top = box.top + (box.height - blockHeight) * 0.5f - (ascender - capital);
        Text(utf8, sf::Vector2f(box.left + box.width * 0.5f, std::round(top)), style, Align::Center);
    }

    sf::Vector2f Canvas::MeasureText(const std::string& utf8, const TextStyle& style)
    {
        FT_Face face = Fonts::Instance().Face(style.font, style.size);
        float width = 0.f;
        const std::vector<std::vector<char32_t>> lines = SplitLines(utf8);
        for (const std::vector<char32_t>& line : lines)
            width = std::max(width, LineWidth(face, line));
        return sf::Vector2f(width, lines.size() * LineHeight(face, style));
    }

    void Canvas::Save(const std::filesystem::path& file) const
    {
        if (!file.parent_path().empty())
            std::filesystem::create_directories(file.parent_path());
        if (!m_image.saveToFile(file.string()))
            throw std::runtime_error("could not write " + file.string());
    }

    void Canvas::Save(const std::filesystem::path& gameRoot, const std::string& relativePath) const
    {
        std::string path = relativePath;
        std::replace(path.begin(), path.end(), '|', '/');
        Save(Prepare(gameRoot, path));
    }

    std::int16_t ToSample(float value)
    {
        return std::int16_t(std::max(-1.f, std::min(1.f, value)) * 32767.f);
    }

    void SaveSound(const std::filesystem::path& file, const std::vector<std::int16_t>& samples,
                   unsigned sampleRate, unsigned channels)
    {
        if (!file.parent_path().empty())
            std::filesystem::create_directories(file.parent_path());
        sf::OutputSoundFile output;
        if (!output.openFromFile(file.string(), sampleRate, channels))
            throw std::runtime_error("could not write " + file.string());
        output.write(reinterpret_cast<const sf::Int16*>(samples.data()), samples.size());
    }
}
