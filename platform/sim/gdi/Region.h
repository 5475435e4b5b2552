// Areas of pixels as GDI's regions keep them: bands of rows, each band with the same sorted,
// disjoint spans of columns in every row. Every shape that GDI fills or clips becomes one of these,
// so fills, clips and region calls agree pixel for pixel.
#pragma once

#include <windows.h>

#include <vector>

namespace nirasim::sim {

struct Span {
    int left;   // first column
    int right;  // one past the last column
    bool operator==(const Span& other) const { return left == other.left && right == other.right; }
};

class Region {
public:
    Region() = default;
    static Region Rect(int left, int top, int right, int bottom);
    // Pixel rows from top down, each a list of spans in any order (overlaps are merged).
    static Region FromRows(int top, std::vector<std::vector<Span>> rows);
    // The pixels whose centres lie inside the polygon (ALTERNATE or WINDING).
    static Region Polygon(const std::vector<POINT>& points, int fillMode);
    // The same for points in fractional device units.
    static Region Polygon(const std::vector<double>& xs, const std::vector<double>& ys, int fillMode);
    // The pixels whose centres lie inside the ellipse inscribed in the box.
    static Region Ellipse(double left, double top, double right, double bottom);

    Region Combine(const Region& other, int mode) const;  // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF
    void Offset(int dx, int dy);
    bool Empty() const { return m_bands.empty(); }
    bool Contains(int x, int y) const;
    RECT Box() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    // Calls visit(y, left, right) for every span of every row.
    template <typename Visit>
    void ForEachSpan(Visit visit) const
    {
        for (const Band& band : m_bands) {
            for (int y = band.top; y < band.bottom; ++y) {
                for (const Span& span : band.spans) {
                    visit(y, span.left, span.right);
                }
            }
        }
    }

private:
    struct Band {
        int top;
        int bottom;
        std::vector<Span> spans;
    };
    const std::vector<Span>* SpansAt(int y) const;
    void AppendBand(int top, int bottom, std::vector<Span> spans);

    std::vector<Band> m_bands;
};

}  // namespace nirasim::sim
