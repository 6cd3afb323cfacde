#include "Isometric.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace vandor::demo {
namespace {

constexpr double kPi = std::numbers::pi;

TPaint LitFromLeft(double left, double right, TColor32 colour) {
    return LinearGradient({left, 0}, Shade(colour, 0.9), {right, 0}, Shade(colour, 0.55));
}

std::pair<double, double> HorizontalExtent(const TPath& path) {
    double left = 1e18, right = -1e18;
    for (const auto& outline : path.Outlines()) {
        for (const TPointF& p : outline) {
            left = std::min(left, p.X);
            right = std::max(right, p.X);
        }
    }
    return {left, right};
}

}  // namespace

TPath Diamond(double x, double y, double halfWidth) {
    return Polygon({{x - halfWidth, y}, {x, y - halfWidth / 2}, {x + halfWidth, y}, {x, y + halfWidth / 2}});
}

TPath GroundEllipse(double x, double y, double radius) { return Ellipse(x, y, radius, radius / 2); }

TPath GroundStar(double x, double y, double outer, double inner, int points) {
    TPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = -kPi / 2 + kPi * i / points;
        const double radius = i % 2 == 0 ? outer : inner;
        path.LineTo(x + radius * std::cos(angle), y + radius * std::sin(angle) / 2);
    }
    return path;
}

void Shadow(TCanvas& canvas, double x, double y, double radius) {
    canvas.Fill(GroundEllipse(x, y, radius), RadialGradient({x, y}, radius, 0x60000000, 0x10000000));
}

void Extrude(TCanvas& canvas, const TPath& footprint, double height, TColor32 colour) {
    const int steps = std::max(1, static_cast<int>(std::ceil(height)));
    for (int i = 0; i <= steps; ++i) canvas.Outline(Shifted(footprint, 0, -height * i / steps), kInk);
    const auto [left, right] = HorizontalExtent(footprint);
    const TPaint side = LitFromLeft(left, right, colour);
    for (int i = 0; i < steps; ++i) canvas.Fill(Shifted(footprint, 0, -height * i / steps), side);
    canvas.Fill(Shifted(footprint, 0, -height), colour);
}

void Block(TCanvas& canvas, double x, double y, double halfWidth, double height, TColor32 colour) {
    const double w = halfWidth, d = halfWidth / 2, top = y - height;
    canvas.Outline(Polygon({{x - w, y}, {x, y + d}, {x + w, y}, {x + w, top}, {x, top - d}, {x - w, top}}), kInk);
    canvas.Fill(Polygon({{x - w, y}, {x, y + d}, {x, top + d}, {x - w, top}}), Shade(colour, 0.85));
    canvas.Fill(Polygon({{x, y + d}, {x + w, y}, {x + w, top}, {x, top + d}}), Shade(colour, 0.6));
    canvas.Fill(Diamond(x, top, w), colour);
}

void Cylinder(TCanvas& canvas, double x, double y, double radius, double height, TColor32 colour) {
    Extrude(canvas, GroundEllipse(x, y, radius), height, colour);
}

void Pyramid(TCanvas& canvas, double x, double y, double halfWidth, double height, TColor32 colour) {
    const double w = halfWidth, d = halfWidth / 2;
    const TPointF apex{x, y - height};
    canvas.Outline(Polygon({{x - w, y}, {x, y + d}, {x + w, y}, apex}), kInk);
    canvas.Fill(Polygon({{x - w, y}, {x, y + d}, apex}), colour);
    canvas.Fill(Polygon({{x, y + d}, {x + w, y}, apex}), Shade(colour, 0.65));
}

void Cone(TCanvas& canvas, double x, double y, double radius, double height, TColor32 colour) {
    TPath cone;
    cone.MoveTo(x, y - height).ArcTo(x, y, radius, radius / 2, kPi, 0);
    canvas.Outline(cone, kInk);
    canvas.Fill(cone, LinearGradient({x - radius, 0}, Shade(colour, 1.1), {x + radius, 0}, Shade(colour, 0.6)));
}

void Dome(TCanvas& canvas, double x, double y, double radius, TColor32 colour) {
    TPath dome;
    dome.ArcTo(x, y, radius, radius, kPi, 2 * kPi).ArcTo(x, y, radius, radius / 2, 0, kPi);
    canvas.Outline(dome, kInk);
    canvas.Fill(
        dome, RadialGradient({x - radius / 3, y - radius / 2}, radius * 1.4, Shade(colour, 1.25), Shade(colour, 0.6)));
}

void Battlements(TCanvas& canvas, double x, double y, double halfWidth, TColor32 colour) {
    const double size = halfWidth * 0.2, r = halfWidth - size;
    // The four corners of the rim and the middles of its sides, from the back forwards.
    const TPointF merlons[] = {{0, -r / 2}, {-r / 2, -r / 4}, {r / 2, -r / 4}, {-r, 0},
                               {r, 0},      {-r / 2, r / 4},  {r / 2, r / 4},  {0, r / 2}};
    for (const TPointF& m : merlons) Block(canvas, x + m.X, y + m.Y, size, size * 1.6, colour);
}

}  // namespace vandor::demo
