#pragma once
// Solids standing on the battle field, seen isometrically: a length on the ground is
// twice as wide as it is high on screen (a cell is a diamond 32 wide and 16 high).
// Each shape stands at a ground point (x, y), its footprint centred there, and rises
// upwards; it is outlined in one dark ink and lit from the left, flat on its top.

#include "Canvas.h"

namespace vandor::demo {

constexpr TColor32 kInk = 0xFF2A2220;

// A square, a circle and a star lying on the ground.
TPath Diamond(double x, double y, double halfWidth);
TPath GroundEllipse(double x, double y, double radius);
TPath GroundStar(double x, double y, double outer, double inner, int points);

// A soft dark patch under something standing on the ground.
void Shadow(TCanvas& canvas, double x, double y, double radius);
// Any footprint raised straight up: its sides shaded from the left, its top in the colour.
void Extrude(TCanvas& canvas, const TPath& footprint, double height, TColor32 colour);
// A box on a square footprint, its two visible sides shaded apart.
void Block(TCanvas& canvas, double x, double y, double halfWidth, double height, TColor32 colour);
void Cylinder(TCanvas& canvas, double x, double y, double radius, double height, TColor32 colour);
// Roofs on a base of the given size at (x, y).
void Pyramid(TCanvas& canvas, double x, double y, double halfWidth, double height, TColor32 colour);
void Cone(TCanvas& canvas, double x, double y, double radius, double height, TColor32 colour);
void Dome(TCanvas& canvas, double x, double y, double radius, TColor32 colour);
// Merlons along the rim of a square top at (x, y).
void Battlements(TCanvas& canvas, double x, double y, double halfWidth, TColor32 colour);

}  // namespace vandor::demo
