#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text/TextRender.h"

namespace vandor::demo {
namespace {

constexpr int kSubRows = 5;      // vertical samples per pixel row
constexpr int kCurveSteps = 24;  // line pieces per Bézier curve

double Channel(TColor32 colour, int shift) { return (colour >> shift) & 0xFF; }

TColor32 Pack(double a, double r, double g, double b) {
    const auto byte = [](double v) { return static_cast<TColor32>(std::clamp(v, 0.0, 255.0) + 0.5); };
    return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

}  // namespace

TPaint Solid(TColor32 colour) {
    return [colour](double, double) { return colour; };
}

TPaint LinearGradient(TPointF p0, TColor32 from, TPointF p1, TColor32 to) {
    const double dx = p1.X - p0.X;
    const double dy = p1.Y - p0.Y;
    const double length2 = std::max(dx * dx + dy * dy, 1e-9);
    return [=](double x, double y) {
        const double t = ((x - p0.X) * dx + (y - p0.Y) * dy) / length2;
        return Mix(from, to, std::clamp(t, 0.0, 1.0));
    };
}

TPaint Vertical(double top, TColor32 a, double bottom, TColor32 b) {
    return LinearGradient({0, top}, a, {0, bottom}, b);
}

TPaint RadialGradient(TPointF centre, double radius, TColor32 inner, TColor32 outer) {
    return [=](double x, double y) {
        const double t = std::hypot(x - centre.X, y - centre.Y) / radius;
        return Mix(inner, outer, std::clamp(t, 0.0, 1.0));
    };
}

TColor32 Mix(TColor32 a, TColor32 b, double t) {
    const auto lerp = [&](int shift) { return Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t; };
    return Pack(lerp(24), lerp(16), lerp(8), lerp(0));
}

TColor32 WithAlpha(TColor32 colour, int alpha) {
    return (colour & 0x00FFFFFFu) | static_cast<TColor32>(std::clamp(alpha, 0, 255)) << 24;
}

TColor32 Shade(TColor32 colour, double factor) {
    return Pack(Channel(colour, 24), Channel(colour, 16) * factor, Channel(colour, 8) * factor,
                Channel(colour, 0) * factor);
}

TPath& TPath::MoveTo(double x, double y) {
    Outlines_.push_back({{x, y}});
    return *this;
}

TPath& TPath::LineTo(double x, double y) {
    if (Outlines_.empty()) return MoveTo(x, y);
    Outlines_.back().push_back({x, y});
    return *this;
}

TPath& TPath::CurveTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
    if (Outlines_.empty()) MoveTo(c1x, c1y);
    const TPointF start = Outlines_.back().back();
    for (int i = 1; i <= kCurveSteps; ++i) {
        const double t = double(i) / kCurveSteps;
        const double u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        Outlines_.back().push_back({a * start.X + b * c1x + c * c2x + d * x, a * start.Y + b * c1y + c * c2y + d * y});
    }
    return *this;
}

TPath& TPath::ArcTo(double cx, double cy, double rx, double ry, double from, double to) {
    for (int i = 0; i <= kCurveSteps; ++i) {
        const double a = from + (to - from) * i / kCurveSteps;
        LineTo(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
    return *this;
}

TPath& TPath::Close() {
    // Outlines are always closed when filled; a new MoveTo starts the next one.
    return *this;
}

TPath Shifted(const TPath& path, double dx, double dy) {
    TPath shifted;
    for (const auto& outline : path.Outlines()) {
        for (std::size_t i = 0; i < outline.size(); ++i) {
            if (i == 0) {
                shifted.MoveTo(outline[i].X + dx, outline[i].Y + dy);
            } else {
                shifted.LineTo(outline[i].X + dx, outline[i].Y + dy);
            }
        }
    }
    return shifted;
}

TPath Ellipse(double cx, double cy, double rx, double ry) {
    TPath path;
    constexpr int kSteps = 96;
    for (int i = 0; i < kSteps; ++i) {
        const double angle = 2 * std::numbers::pi * i / kSteps;
        if (i == 0) {
            path.MoveTo(cx + rx, cy);
        } else {
            path.LineTo(cx + rx * std::cos(angle), cy + ry * std::sin(angle));
        }
    }
    return path;
}

TPath RoundRect(double left, double top, double right, double bottom, double radius) {
    const double r = std::min({radius, (right - left) / 2, (bottom - top) / 2});
    constexpr double k = 0.5523;  // control distance of a quarter circle
    TPath path;
    path.MoveTo(left + r, top)
        .LineTo(right - r, top)
        .CurveTo(right - r + k * r, top, right, top + r - k * r, right, top + r)
        .LineTo(right, bottom - r)
        .CurveTo(right, bottom - r + k * r, right - r + k * r, bottom, right - r, bottom)
        .LineTo(left + r, bottom)
        .CurveTo(left + r - k * r, bottom, left, bottom - r + k * r, left, bottom - r)
        .LineTo(left, top + r)
        .CurveTo(left, top + r - k * r, left + r - k * r, top, left + r, top);
    return path;
}

TPath Polygon(std::initializer_list<TPointF> points) {
    TPath path;
    for (const TPointF& p : points) path.LineTo(p.X, p.Y);
    return path;
}

TPath Box(double left, double top, double right, double bottom) {
    return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

TPath Star(double cx, double cy, double outer, double inner, int points) {
    TPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -std::numbers::pi / 2 + std::numbers::pi * i / points;
        const double radius = i % 2 == 0 ? outer : inner;
        path.LineTo(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    return path;
}

TCanvas TCanvas::At(TPointF origin, double scale) const {
    return TCanvas(Target_, {Origin_.X + origin.X * Scale_, Origin_.Y + origin.Y * Scale_}, Scale_ * scale);
}

void TCanvas::Blend(int x, int y, TColor32 colour, double coverage) {
    if (x < 0 || y < 0 || x >= Target_.Width() || y >= Target_.Height() || coverage <= 0) return;
    const double sa = Channel(colour, 24) / 255.0 * std::min(coverage, 1.0);
    if (sa <= 0) return;
    TColor32& pixel = *Target_.PixelPtr(x, y);
    const double da = Channel(pixel, 24) / 255.0;
    const double outA = sa + da * (1 - sa);
    const auto over = [&](int shift) {
        return (Channel(colour, shift) * sa + Channel(pixel, shift) * da * (1 - sa)) / outA;
    };
    pixel = Pack(outA * 255, over(16), over(8), over(0));
}

void TCanvas::Fill(const TPath& path, const TPaint& paint) {
    struct TEdge {
        double X0, Y0, X1, Y1;
        int Direction;
    };
    std::vector<TEdge> edges;
    double top = 1e18, bottom = -1e18;
    const auto onSurface = [&](const TPointF& p) {
        return TPointF{Origin_.X + p.X * Scale_, Origin_.Y + p.Y * Scale_};
    };
    for (const auto& outline : path.Outlines()) {
        for (std::size_t i = 0; i < outline.size(); ++i) {
            TPointF a = onSurface(outline[i]);
            TPointF b = onSurface(outline[(i + 1) % outline.size()]);
            if (a.Y == b.Y) continue;
            const int direction = a.Y < b.Y ? 1 : -1;
            if (a.Y > b.Y) std::swap(a, b);
            edges.push_back({a.X, a.Y, b.X, b.Y, direction});
            top = std::min(top, a.Y);
            bottom = std::max(bottom, b.Y);
        }
    }
    if (edges.empty()) return;
    const int firstRow = std::max(0, static_cast<int>(std::floor(top)));
    const int lastRow = std::min(Target_.Height() - 1, static_cast<int>(std::ceil(bottom)));
    const int width = Target_.Width();
    std::vector<double> coverage(static_cast<std::size_t>(width) + 2);
    std::vector<std::pair<double, int>> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        int minX = width, maxX = -1;
        for (int sub = 0; sub < kSubRows; ++sub) {
            const double y = row + (sub + 0.5) / kSubRows;
            crossings.clear();
            for (const TEdge& e : edges) {
                if (y < e.Y0 || y >= e.Y1) continue;
                crossings.emplace_back(e.X0 + (y - e.Y0) * (e.X1 - e.X0) / (e.Y1 - e.Y0), e.Direction);
            }
            std::sort(crossings.begin(), crossings.end());
            int winding = 0;
            for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].second;
                if (winding == 0) continue;
                // The span [x0, x1) covers whole pixels inside and fractions at its ends.
                const double x0 = std::clamp(crossings[i].first, 0.0, double(width));
                const double x1 = std::clamp(crossings[i + 1].first, 0.0, double(width));
                if (x1 <= x0) continue;
                const int p0 = static_cast<int>(x0);
                const int p1 = static_cast<int>(x1);
                if (p0 == p1) {
                    coverage[static_cast<std::size_t>(p0)] += (x1 - x0) / kSubRows;
                } else {
                    coverage[static_cast<std::size_t>(p0)] += (p0 + 1 - x0) / kSubRows;
                    for (int p = p0 + 1; p < p1; ++p) coverage[static_cast<std::size_t>(p)] += 1.0 / kSubRows;
                    if (p1 < width) coverage[static_cast<std::size_t>(p1)] += (x1 - p1) / kSubRows;
                }
                minX = std::min(minX, p0);
                maxX = std::max(maxX, std::min(p1, width - 1));
            }
        }
        for (int x = minX; x <= maxX; ++x) {
            double& c = coverage[static_cast<std::size_t>(x)];
            if (c > 0) Blend(x, row, paint((x + 0.5 - Origin_.X) / Scale_, (row + 0.5 - Origin_.Y) / Scale_), c);
            c = 0;
        }
    }
}

void TCanvas::FillAll(const TPaint& paint) {
    for (int y = 0; y < Target_.Height(); ++y) {
        for (int x = 0; x < Target_.Width(); ++x) *Target_.PixelPtr(x, y) = paint(x + 0.5, y + 0.5);
    }
}

void TCanvas::Line(TPointF from, TPointF to, double width, TColor32 colour) {
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const double length = std::max(std::hypot(dx, dy), 1e-9);
    const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    Fill(Polygon(
             {{from.X + nx, from.Y + ny}, {to.X + nx, to.Y + ny}, {to.X - nx, to.Y - ny}, {from.X - nx, from.Y - ny}}),
         colour);
}

void TCanvas::Outline(const TPath& path, TColor32 colour, double width) {
    for (int i = 0; i < 8; ++i) {
        const double angle = std::numbers::pi * i / 4;
        Fill(Shifted(path, width * std::cos(angle), width * std::sin(angle)), colour);
    }
}

void Glow(TCanvas& canvas, double x, double y, double radius, TColor32 colour) {
    canvas.Fill(Ellipse(x, y, radius, radius), RadialGradient({x, y}, radius, colour, WithAlpha(colour, 0)));
}

void Haze(TCanvas& canvas, double x, double y, double rx, double ry, TColor32 colour) {
    canvas.Fill(Ellipse(x, y, rx, ry), [=](double px, double py) {
        const double t = std::min(1.0, std::hypot((px - x) / rx, (py - y) / ry));
        return Mix(colour, WithAlpha(colour, 0), t * t);
    });
}

namespace {

// One renderer for all pictures: it keeps its finished masks.
TRTextRender& Renderer() {
    static TRTextRender renderer;
    return renderer;
}

const TBitmap32& TextMask(std::string_view text, const TFont& font, TRect& rect) {
    TRTextRender& renderer = Renderer();
    renderer.Configure(3, font.Bold ? 2 : 1, 1, 2, 1);
    static TBitmap32 scratch(8, 8);
    scratch.Font = font;
    renderer.DrawText(scratch, 0, 0, 255, 0xFFFFFFFF, text);
    rect = renderer.MaskRect();
    return renderer.Mask();
}

}  // namespace

int TCanvas::TextWidth(std::string_view text, const TFont& font) {
    TRect rect;
    TextMask(text, font, rect);
    return rect.Width();
}

int Centred(TCanvas& canvas, std::string_view text, const TFont& font, int width) {
    return (width - canvas.TextWidth(text, font)) / 2;
}

void TCanvas::Text(int x, int y, std::string_view text, const TFont& font, TColor32 colour, TColor32 outline) {
    TRect rect;
    const TBitmap32 mask = TextMask(text, font, rect);
    const auto coverageAt = [&](int mx, int my) {
        if (mx < rect.Left || my < rect.Top || mx >= rect.Right || my >= rect.Bottom) return 0.0;
        return Channel(*mask.PixelPtr(mx, my), 16) / 255.0;
    };
    // The outline is the mask spread by two pixels, drawn first and softly.
    if ((outline >> 24) != 0) {
        for (int my = rect.Top - 2; my < rect.Bottom + 2; ++my) {
            for (int mx = rect.Left - 2; mx < rect.Right + 2; ++mx) {
                double spread = 0;
                for (int oy = -2; oy <= 2; ++oy) {
                    for (int ox = -2; ox <= 2; ++ox) {
                        if (ox * ox + oy * oy <= 5) spread = std::max(spread, coverageAt(mx + ox, my + oy));
                    }
                }
                Blend(x + mx, y + my, outline, spread);
            }
        }
    }
    for (int my = rect.Top; my < rect.Bottom; ++my) {
        for (int mx = rect.Left; mx < rect.Right; ++mx) Blend(x + mx, y + my, colour, coverageAt(mx, my));
    }
}

double TRandom::Next() {
    State_ = State_ * 1664525u + 1013904223u;
    return (State_ >> 8) / double(1 << 24);
}

}  // namespace vandor::demo
