// Regions as bands of spans, built from rectangles, polygons and ellipses by sampling pixel
// centres, and combined band by band.
#include "gdi/Region.h"

#include <algorithm>
#include <cmath>

namespace nirasim::sim {
namespace {

constexpr double kHalf = 0.5;

// Sorts the spans and merges those that overlap or touch.
std::vector<Span> Normalized(std::vector<Span> spans)
{
    spans.erase(std::remove_if(spans.begin(), spans.end(), [](const Span& s) { return s.right <= s.left; }),
                spans.end());
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    std::vector<Span> merged;
    for (const Span& span : spans) {
        if (!merged.empty() && span.left <= merged.back().right) {
            merged.back().right = std::max(merged.back().right, span.right);
        } else {
            merged.push_back(span);
        }
    }
    return merged;
}

bool InSpans(const std::vector<Span>* spans, int x)
{
    if (spans == nullptr) {
        return false;
    }
    auto it =
        std::upper_bound(spans->begin(), spans->end(), x, [](int v, const Span& s) { return v < s.left; });
    return it != spans->begin() && x < std::prev(it)->right;
}

bool Keeps(int mode, bool inA, bool inB)
{
    switch (mode) {
    case RGN_AND:
        return inA && inB;
    case RGN_OR:
        return inA || inB;
    case RGN_XOR:
        return inA != inB;
    case RGN_DIFF:
        return inA && !inB;
    default:
        return inA;
    }
}

std::vector<Span> CombineSpans(const std::vector<Span>* a, const std::vector<Span>* b, int mode)
{
    std::vector<int> edges;
    for (const std::vector<Span>* spans : {a, b}) {
        if (spans != nullptr) {
            for (const Span& span : *spans) {
                edges.push_back(span.left);
                edges.push_back(span.right);
            }
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Span> result;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        if (Keeps(mode, InSpans(a, edges[i]), InSpans(b, edges[i]))) {
            result.push_back({edges[i], edges[i + 1]});
        }
    }
    return Normalized(std::move(result));
}

// The first and one-past-last pixel whose centres lie in [from, to).
Span CentresWithin(double from, double to)
{
    return {static_cast<int>(std::ceil(from - kHalf)), static_cast<int>(std::ceil(to - kHalf))};
}

}  // namespace

Region Region::Rect(int left, int top, int right, int bottom)
{
    Region region;
    if (left < right && top < bottom) {
        region.m_bands.push_back({top, bottom, {{left, right}}});
    }
    return region;
}

Region Region::FromRows(int top, std::vector<std::vector<Span>> rows)
{
    Region region;
    for (size_t i = 0; i < rows.size(); ++i) {
        int y = top + static_cast<int>(i);
        region.AppendBand(y, y + 1, Normalized(std::move(rows[i])));
    }
    return region;
}

Region Region::Polygon(const std::vector<POINT>& points, int fillMode)
{
    std::vector<double> xs;
    std::vector<double> ys;
    for (const POINT& point : points) {
        xs.push_back(point.x);
        ys.push_back(point.y);
    }
    return Polygon(xs, ys, fillMode);
}

Region Region::Polygon(const std::vector<double>& xs, const std::vector<double>& ys, int fillMode)
{
    size_t count = std::min(xs.size(), ys.size());
    if (count < 3) {
        return Region();
    }
    double minY = *std::min_element(ys.begin(), ys.begin() + count);
    double maxY = *std::max_element(ys.begin(), ys.begin() + count);
    int top = static_cast<int>(std::floor(minY));
    int bottom = static_cast<int>(std::ceil(maxY));
    std::vector<std::vector<Span>> rows;
    struct Crossing {
        double x;
        int direction;
    };
    for (int y = top; y < bottom; ++y) {
        double centre = y + kHalf;
        std::vector<Crossing> crossings;
        for (size_t i = 0; i < count; ++i) {
            size_t j = (i + 1) % count;
            double y0 = ys[i];
            double y1 = ys[j];
            if (y0 == y1 || centre < std::min(y0, y1) || centre >= std::max(y0, y1)) {
                continue;
            }
            double x = xs[i] + (centre - y0) * (xs[j] - xs[i]) / (y1 - y0);
            crossings.push_back({x, y1 > y0 ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        std::vector<Span> spans;
        int winding = 0;
        for (size_t k = 0; k + 1 < crossings.size(); ++k) {
            winding += fillMode == WINDING ? crossings[k].direction : 1;
            bool inside = fillMode == WINDING ? winding != 0 : (winding % 2) != 0;
            if (inside) {
                spans.push_back(CentresWithin(crossings[k].x, crossings[k + 1].x));
            }
        }
        rows.push_back(std::move(spans));
    }
    return FromRows(top, std::move(rows));
}

Region Region::Ellipse(double left, double top, double right, double bottom)
{
    double cx = (left + right) / 2;
    double cy = (top + bottom) / 2;
    double a = (right - left) / 2;
    double b = (bottom - top) / 2;
    if (a <= 0 || b <= 0) {
        return Region();
    }
    int first = static_cast<int>(std::floor(top));
    int last = static_cast<int>(std::ceil(bottom));
    std::vector<std::vector<Span>> rows;
    for (int y = first; y < last; ++y) {
        double t = (y + kHalf - cy) / b;
        std::vector<Span> spans;
        if (std::fabs(t) < 1) {
            double dx = a * std::sqrt(1 - t * t);
            spans.push_back(CentresWithin(cx - dx, cx + dx));
        }
        rows.push_back(std::move(spans));
    }
    return FromRows(first, std::move(rows));
}

const std::vector<Span>* Region::SpansAt(int y) const
{
    auto it =
        std::upper_bound(m_bands.begin(), m_bands.end(), y, [](int v, const Band& b) { return v < b.top; });
    if (it == m_bands.begin()) {
        return nullptr;
    }
    const Band& band = *std::prev(it);
    return y < band.bottom ? &band.spans : nullptr;
}

void Region::AppendBand(int top, int bottom, std::vector<Span> spans)
{
    if (spans.empty() || top >= bottom) {
        return;
    }
    if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().spans == spans) {
        m_bands.back().bottom = bottom;
        return;
    }
    m_bands.push_back({top, bottom, std::move(spans)});
}

Region Region::Combine(const Region& other, int mode) const
{
    std::vector<int> edges;
    for (const Region* region : {this, &other}) {
        for (const Band& band : region->m_bands) {
            edges.push_back(band.top);
            edges.push_back(band.bottom);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    Region result;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        result.AppendBand(edges[i], edges[i + 1],
                          CombineSpans(SpansAt(edges[i]), other.SpansAt(edges[i]), mode));
    }
    return result;
}

void Region::Offset(int dx, int dy)
{
    for (Band& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
        for (Span& span : band.spans) {
            span.left += dx;
            span.right += dx;
        }
    }
}

bool Region::Contains(int x, int y) const
{
    return InSpans(SpansAt(y), x);
}

RECT Region::Box() const
{
    RECT box = {0, 0, 0, 0};
    if (m_bands.empty()) {
        return box;
    }
    box = {m_bands.front().spans.front().left, m_bands.front().top, m_bands.front().spans.back().right,
           m_bands.back().bottom};
    for (const Band& band : m_bands) {
        box.left = std::min(box.left, band.spans.front().left);
        box.right = std::max(box.right, band.spans.back().right);
    }
    return box;
}

int Region::Complexity() const
{
    if (m_bands.empty()) {
        return NULLREGION;
    }
    return m_bands.size() == 1 && m_bands.front().spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace nirasim::sim
