#include "Typeface.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace Content
{
    float Mask::At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= int(width) || y >= int(height))
            return 0.f;
        return coverage[std::size_t(y) * width + std::size_t(x)];
    }

    std::vector<std::uint32_t> DecodeUtf8(const std::string& text)
    {
        std::vector<std::uint32_t> result;
        for (std::size_t i = 0; i < text.size();)
        {
            const auto byte = static_cast<unsigned char>(text[i]);
            int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
            std::uint32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
            bool valid = i + std::size_t(extra) < text.size() || extra == 0;
            for (int k = 1; valid && k <= extra; ++k)
            {
                const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
                valid = (next & 0xC0) == 0x80;
                code = (code << 6) | (next & 0x3F);
            }
            if (!valid)
            {
                result.push_back(byte);
                ++i;
                continue;
            }
            result.push_back(code);
            i += std::size_t(extra) + 1;
        }
        return result;
    }

    Typeface::Typeface(const std::string& path) : m_path(path)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            throw std::runtime_error("could not open font " + path);
        m_data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (m_data.size() < 12)
            throw std::runtime_error(path + " is not a TrueType font");

        std::size_t head = 0, maxp = 0, hhea = 0;
        const unsigned tables = U16(4);
        for (unsigned i = 0; i < tables; ++i)
        {
            const std::size_t record = 12 + 16 * std::size_t(i);
            U32(record + 12); // the whole record lies inside the file
            const std::string tag(reinterpret_cast<const char*>(m_data.data() + record), 4);
            const std::size_t offset = U32(record + 8);
            if (tag == "head") head = offset;
            else if (tag == "maxp") maxp = offset;
            else if (tag == "hhea") hhea = offset;
            else if (tag == "hmtx") m_hmtx = offset;
            else if (tag == "loca") m_loca = offset;
            else if (tag == "glyf") m_glyf = offset;
            else if (tag == "cmap") m_cmap = offset;
        }
        if (!head || !maxp || !hhea || !m_hmtx || !m_loca || !m_glyf || !m_cmap)
            throw std::runtime_error(path + " is not a TrueType font with outlines");

        m_unitsPerEm = U16(head + 18);
        m_longLoca = S16(head + 50) != 0;
        m_numGlyphs = U16(maxp + 4);
        m_ascender = S16(hhea + 4);
        m_descender = S16(hhea + 6);
        m_numHMetrics = U16(hhea + 34);

        // Find the Unicode (Windows, BMP) character map.
        const std::size_t cmap = m_cmap;
        m_cmap = 0;
        const unsigned subtables = U16(cmap + 2);
        for (unsigned i = 0; i < subtables; ++i)
        {
            const std::size_t record = cmap + 4 + 8 * std::size_t(i);
            const unsigned platform = U16(record);
            const unsigned encoding = U16(record + 2);
            const std::size_t offset = cmap + U32(record + 4);
            if (((platform == 3 && encoding == 1) || platform == 0) && U16(offset) == 4)
            {
                m_cmap = offset;
                break;
            }
        }
        if (!m_cmap)
            throw std::runtime_error(path + " has no Unicode character map");

        const std::uint16_t capital = GlyphIndex('H');
        const std::size_t start = m_longLoca ? U32(m_loca + 4 * std::size_t(capital)) : 2 * std::size_t(U16(m_loca + 2 * std::size_t(capital)));
        m_capHeight = S16(m_glyf + start + 8);
    }

    std::uint16_t Typeface::U16(std::size_t offset) const
    {
        if (offset + 2 > m_data.size())
            throw std::runtime_error(m_path + " is truncated");
        return std::uint16_t((m_data[offset] << 8) | m_data[offset + 1]);
    }

    std::int16_t Typeface::S16(std::size_t offset) const
    {
        return static_cast<std::int16_t>(U16(offset));
    }

    std::uint32_t Typeface::U32(std::size_t offset) const
    {
        return (std::uint32_t(U16(offset)) << 16) | U16(offset + 2);
    }

    std::uint16_t Typeface::GlyphIndex(std::uint32_t codePoint) const
    {
        if (codePoint > 0xFFFF)
            return 0;
        const unsigned segments = U16(m_cmap + 6) / 2;
        const std::size_t ends = m_cmap + 14;
        const std::size_t starts = ends + 2 * segments + 2;
        const std::size_t deltas = starts + 2 * segments;
        const std::size_t offsets = deltas + 2 * segments;
        for (unsigned i = 0; i < segments; ++i)
        {
            if (codePoint > U16(ends + 2 * i))
                continue;
            const unsigned first = U16(starts + 2 * i);
            if (codePoint < first)
                return 0;
            const unsigned delta = U16(deltas + 2 * i);
            const unsigned rangeOffset = U16(offsets + 2 * i);
            if (rangeOffset == 0)
                return std::uint16_t(codePoint + delta);
            const std::size_t at = offsets + 2 * i + rangeOffset + 2 * (codePoint - first);
            const unsigned glyph = U16(at);
            return glyph == 0 ? 0 : std::uint16_t(glyph + delta);
        }
        return 0;
    }

    float Typeface::Advance(std::uint16_t glyph) const
    {
        const unsigned metric = std::min<unsigned>(glyph, m_numHMetrics - 1);
        return U16(m_hmtx + 4 * std::size_t(metric));
    }

    float Typeface::Ascent(float pixelSize) const { return m_ascender * pixelSize / float(m_unitsPerEm); }
    float Typeface::Descent(float pixelSize) const { return -m_descender * pixelSize / float(m_unitsPerEm); }
    float Typeface::CapHeight(float pixelSize) const { return m_capHeight * pixelSize / float(m_unitsPerEm); }

    float Typeface::Measure(const std::string& text, float pixelSize, float letterSpacing) const
    {
        const auto codes = DecodeUtf8(text);
        float width = 0.f;
        for (std::uint32_t code : codes)
            width += Advance(GlyphIndex(code)) * pixelSize / float(m_unitsPerEm) + letterSpacing;
        if (!codes.empty())
            width -= letterSpacing;
        return width;
    }

    // Outlines in pixel coordinates, y pointing down; each contour is closed and
    // its quadratic curves are flattened into short lines.
    void Typeface::AppendOutline(std::uint16_t glyph, float scale, float dx, float dy, float matrix[4],
                                 std::vector<Contour>& out, int depth) const
    {
        if (glyph >= m_numGlyphs || depth > 8)
            return;
        std::size_t start, end;
        if (m_longLoca)
        {
            start = U32(m_loca + 4 * std::size_t(glyph));
            end = U32(m_loca + 4 * std::size_t(glyph) + 4);
        }
        else
        {
            start = 2 * std::size_t(U16(m_loca + 2 * std::size_t(glyph)));
            end = 2 * std::size_t(U16(m_loca + 2 * std::size_t(glyph) + 2));
        }
        if (end <= start)
            return; // an empty glyph such as the blank
        const std::size_t at = m_glyf + start;
        const int contours = S16(at);

        auto place = [&](float x, float y) {
            const float tx = matrix[0] * x + matrix[2] * y;
            const float ty = matrix[1] * x + matrix[3] * y;
            return Point{dx + tx * scale, dy - ty * scale};
        };

        if (contours < 0)
        {
            // A composite glyph: parts placed with an offset and an optional scale.
            std::size_t p = at + 10;
            for (;;)
            {
                const unsigned flags = U16(p);
                const std::uint16_t part = U16(p + 2);
                p += 4;
                float ox, oy;
                if (flags & 0x1)
                {
                    ox = S16(p);
                    oy = S16(p + 2);
                    p += 4;
                }
                else
                {
                    ox = static_cast<std::int8_t>(m_data.at(p));
                    oy = static_cast<std::int8_t>(m_data.at(p + 1));
                    p += 2;
                }
                float m[4] = {1.f, 0.f, 0.f, 1.f};
                if (flags & 0x8)
                {
                    m[0] = m[3] = S16(p) / 16384.f;
                    p += 2;
                }
                else if (flags & 0x40)
                {
                    m[0] = S16(p) / 16384.f;
                    m[3] = S16(p + 2) / 16384.f;
                    p += 4;
                }
                else if (flags & 0x80)
                {
                    m[0] = S16(p) / 16384.f;
                    m[1] = S16(p + 2) / 16384.f;
                    m[2] = S16(p + 4) / 16384.f;
                    m[3] = S16(p + 6) / 16384.f;
                    p += 8;
                }
                float combined[4] = {matrix[0] * m[0] + matrix[2] * m[1], matrix[1] * m[0] + matrix[3] * m[1],
                                     matrix[0] * m[2] + matrix[2] * m[3], matrix[1] * m[2] + matrix[3] * m[3]};
                const Point offset = place(ox, oy);
                AppendOutline(part, scale, offset.x, offset.y, combined, out, depth + 1);
                if (!(flags & 0x20))
                    break;
            }
            return;
        }

        // A simple glyph: contour ends, instructions, flags, then x and y deltas.
        std::vector<unsigned> ends(static_cast<std::size_t>(contours));
        for (int i = 0; i < contours; ++i)
            ends[std::size_t(i)] = U16(at + 10 + 2 * std::size_t(i));
        const unsigned points = contours ? ends.back() + 1 : 0;
        std::size_t p = at + 10 + 2 * std::size_t(contours);
        p += 2 + U16(p);

        std::vector<std::uint8_t> flags;
        flags.reserve(points);
        while (flags.size() < points)
        {
            const std::uint8_t flag = m_data.at(p++);
            flags.push_back(flag);
            if (flag & 0x8)
            {
                const unsigned repeat = m_data.at(p++);
                for (unsigned r = 0; r < repeat && flags.size() < points; ++r)
                    flags.push_back(flag);
            }
        }
        std::vector<float> xs(points), ys(points);
        int value = 0;
        for (unsigned i = 0; i < points; ++i)
        {
            if (flags[i] & 0x2)
            {
                const int delta = m_data.at(p++);
                value += (flags[i] & 0x10) ? delta : -delta;
            }
            else if (!(flags[i] & 0x10))
            {
                value += S16(p);
                p += 2;
            }
            xs[i] = float(value);
        }
        value = 0;
        for (unsigned i = 0; i < points; ++i)
        {
            if (flags[i] & 0x4)
            {
                const int delta = m_data.at(p++);
                value += (flags[i] & 0x20) ? delta : -delta;
            }
            else if (!(flags[i] & 0x20))
            {
                value += S16(p);
                p += 2;
            }
            ys[i] = float(value);
        }

        unsigned first = 0;
        for (unsigned end : ends)
        {
            const unsigned count = end + 1 - first;
            if (count < 2)
            {
                first = end + 1;
                continue;
            }
            auto onCurve = [&](unsigned k) { return (flags[first + k % count] & 0x1) != 0; };
            auto point = [&](unsigned k) { return Point{xs[first + k % count], ys[first + k % count]}; };
            auto mid = [](Point a, Point b) { return Point{(a.x + b.x) / 2, (a.y + b.y) / 2}; };

            // Start on an on-curve point (or the midpoint of two off-curve ones).
            unsigned s = 0;
            while (s < count && !onCurve(s))
                ++s;
            Point startPoint = s < count ? point(s) : mid(point(0), point(1));
            if (s == count)
                s = 0;

            Contour contour;
            contour.push_back(place(startPoint.x, startPoint.y));
            Point current = startPoint;
            for (unsigned k = 1; k <= count; ++k)
            {
                const unsigned index = s + k;
                Point next = point(index);
                if (onCurve(index))
                {
                    contour.push_back(place(next.x, next.y));
                    current = next;
                    continue;
                }
                const Point control = next;
                Point target = onCurve(index + 1) ? point(index + 1) : mid(control, point(index + 1));
                if (onCurve(index + 1))
                    ++k;
                const int steps = 10;
                for (int t = 1; t <= steps; ++t)
                {
                    const float u = float(t) / steps;
                    const float a = (1 - u) * (1 - u), b = 2 * u * (1 - u), c = u * u;
                    contour.push_back(place(a * current.x + b * control.x + c * target.x,
                                            a * current.y + b * control.y + c * target.y));
                }
                current = target;
            }
            out.push_back(std::move(contour));
            first = end + 1;
        }
    }

    Mask Typeface::Render(const std::string& text, float pixelSize, float letterSpacing, unsigned margin) const
    {
        const float scale = pixelSize / float(m_unitsPerEm);
        const float ascent = Ascent(pixelSize);
        Mask mask;
        mask.width = unsigned(std::ceil(Measure(text, pixelSize, letterSpacing))) + 2 * margin + 2;
        mask.height = unsigned(std::ceil(ascent + Descent(pixelSize))) + 2 * margin;
        mask.coverage.assign(std::size_t(mask.width) * mask.height, 0.f);

        std::vector<Contour> contours;
        float pen = float(margin) + 1.f;
        const float baseline = float(margin) + ascent;
        for (std::uint32_t code : DecodeUtf8(text))
        {
            const std::uint16_t glyph = GlyphIndex(code);
            float identity[4] = {1.f, 0.f, 0.f, 1.f};
            AppendOutline(glyph, scale, pen, baseline, identity, contours, 0);
            pen += Advance(glyph) * scale + letterSpacing;
        }

        // Non-zero winding fill, several sub-scanlines per pixel row with exact
        // horizontal coverage of each span.
        struct Crossing
        {
            float x;
            int winding;
        };
        const int subRows = 8;
        std::vector<Crossing> crossings;
        for (unsigned row = 0; row < mask.height; ++row)
        {
            for (int sub = 0; sub < subRows; ++sub)
            {
                const float y = float(row) + (float(sub) + 0.5f) / subRows;
                crossings.clear();
                for (const Contour& contour : contours)
                {
                    for (std::size_t i = 0; i < contour.size(); ++i)
                    {
                        const Point& a = contour[i];
                        const Point& b = contour[(i + 1) % contour.size()];
                        if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y))
                        {
                            const float t = (y - a.y) / (b.y - a.y);
                            crossings.push_back({a.x + t * (b.x - a.x), b.y > a.y ? 1 : -1});
                        }
                    }
                }
                std::sort(crossings.begin(), crossings.end(),
                          [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
                int winding = 0;
                for (std::size_t i = 0; i + 1 < crossings.size(); ++i)
                {
                    winding += crossings[i].winding;
                    if (winding == 0)
                        continue;
                    const float x0 = std::max(0.f, crossings[i].x);
                    const float x1 = std::min(float(mask.width), crossings[i + 1].x);
                    for (int px = int(x0); px < int(std::ceil(x1)); ++px)
                    {
                        const float left = std::max(x0, float(px));
                        const float right = std::min(x1, float(px + 1));
                        if (right > left)
                            mask.coverage[std::size_t(row) * mask.width + std::size_t(px)] += (right - left) / subRows;
                    }
                }
            }
        }
        for (float& value : mask.coverage)
            value = std::min(value, 1.f);
        return mask;
    }
}
