#pragma once
// Anti-aliased vector drawing on a TBitmap32 for the demo's pictures: filled paths
// made of lines and Bézier curves, painted with a plain colour or a colour function
// (gradients), composited "over" in straight alpha so that pictures with transparent
// parts (standing pictures, buttons) come out with clean edges.

#include <functional>
#include <string_view>
#include <vector>

#include "compositor/Bitmap32.h"

namespace vandor::demo {

struct TPointF {
    double X = 0;
    double Y = 0;
};

// A colour for each point of a filled shape; alpha included.
using TPaint = std::function<TColor32(double x, double y)>;

TPaint Solid(TColor32 colour);
// From `from` at p0 to `to` at p1, constant across the line between them.
TPaint LinearGradient(TPointF p0, TColor32 from, TPointF p1, TColor32 to);
// From `a` at y = top to `b` at y = bottom.
TPaint Vertical(double top, TColor32 a, double bottom, TColor32 b);
// From `inner` at the centre to `outer` at the radius and beyond.
TPaint RadialGradient(TPointF centre, double radius, TColor32 inner, TColor32 outer);

TColor32 Mix(TColor32 a, TColor32 b, double t);
TColor32 WithAlpha(TColor32 colour, int alpha);
// Multiplies the colour channels (not alpha); factor above 1 lightens.
TColor32 Shade(TColor32 colour, double factor);

// One or more closed outlines; the inside follows the non-zero winding rule.
class TPath {
public:
    TPath& MoveTo(double x, double y);
    TPath& LineTo(double x, double y);
    TPath& CurveTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
    // Points along an elliptic arc around (cx, cy) from angle `from` to `to` (radians,
    // y downwards), both ends included.
    TPath& ArcTo(double cx, double cy, double rx, double ry, double from, double to);
    TPath& Close();
    const std::vector<std::vector<TPointF>>& Outlines() const { return Outlines_; }

private:
    std::vector<std::vector<TPointF>> Outlines_;
};

// The same outlines moved by (dx, dy).
TPath Shifted(const TPath& path, double dx, double dy);

TPath Ellipse(double cx, double cy, double rx, double ry);
TPath RoundRect(double left, double top, double right, double bottom, double radius);
TPath Polygon(std::initializer_list<TPointF> points);
// An upright rectangle.
TPath Box(double left, double top, double right, double bottom);
// A star with `points` tips between the two radii, the first tip straight up.
TPath Star(double cx, double cy, double outer, double inner, int points);

class TCanvas {
public:
    explicit TCanvas(TBitmap32& target) : Target_(target) {}
    // A canvas on the same surface whose point (0, 0) lies at `origin` of this one and
    // whose unit is `scale` of this one's: a sprite drawn once in its own coordinates
    // lands in its picture, in a frame of a sheet or, smaller, on a button. Shapes,
    // lines and paints follow it; Text and Blend keep to the surface's pixels.
    TCanvas At(TPointF origin, double scale = 1) const;

    void Fill(const TPath& path, const TPaint& paint);
    void Fill(const TPath& path, TColor32 colour) { Fill(path, Solid(colour)); }
    // Every pixel of the surface, as a background is painted.
    void FillAll(const TPaint& paint);
    // A stroke of the given width along a polyline, as a filled band.
    void Line(TPointF from, TPointF to, double width, TColor32 colour);
    // The shape spread by `width` all round in the colour: drawn before the shape
    // itself, it outlines it.
    void Outline(const TPath& path, TColor32 colour, double width = 1);
    // Text through the game's own renderer, with a soft dark outline for legibility.
    void Text(int x, int y, std::string_view text, const TFont& font, TColor32 colour, TColor32 outline);
    int TextWidth(std::string_view text, const TFont& font);
    // Composites one pixel over the surface with the coverage (0-1) applied to alpha.
    void Blend(int x, int y, TColor32 colour, double coverage);

private:
    TCanvas(TBitmap32& target, TPointF origin, double scale) : Target_(target), Origin_(origin), Scale_(scale) {}

    TBitmap32& Target_;
    TPointF Origin_;
    double Scale_ = 1;
};

// A soft round light fading out at the radius.
void Glow(TCanvas& canvas, double x, double y, double radius, TColor32 colour);
// A soft elliptic patch fading out towards its rim, as fog lies.
void Haze(TCanvas& canvas, double x, double y, double rx, double ry, TColor32 colour);
// The left edge that centres the text across the width.
int Centred(TCanvas& canvas, std::string_view text, const TFont& font, int width);

// A small fixed-seed generator: the same picture every run.
class TRandom {
public:
    explicit TRandom(uint32_t seed) : State_(seed) {}
    double Next();  // 0 <= value < 1
    double Range(double low, double high) { return low + (high - low) * Next(); }

private:
    uint32_t State_;
};

}  // namespace vandor::demo
