#pragma once
// The pictures of the tower-defence battle, all for the "image" folder: a star fortress
// in a green land, its towers, and the army marching on it. The game cuts frames out of
// most of them by coordinates, so every sprite keeps to its frame; the field's sprites
// stand with their picture's bottom edge on the bottom corner of their cell, which puts
// the middle of the cell 8 pixels above it.

#include <vector>

#include "Canvas.h"
#include "Scenery.h"
#include "i18n/Catalogue.h"

namespace vandor::demo {

// One frame of an enemy's sheet, standing on its cell's point like every field sprite.
constexpr int kEnemyFrameWidth = 24, kEnemyFrameHeight = 32;
// The battle's status panel, in the picture's top right corner.
constexpr int kStatusPanelWidth = 200, kStatusPanelHeight = 130;

// The background, the ground tiles, the base's keep and walls.
std::vector<TPicture> MakeBattleField();
// The obstacle chips of the maps: trees, rocks, bushes, ruins, huts, water.
std::vector<TPicture> MakeObstacles();
// The eight towers and the shots they fire.
std::vector<TPicture> MakeTowers();
// The five kinds of enemy soldier, walking in eight directions.
std::vector<TPicture> MakeEnemies();
// Buttons, panels, the durability gauge, the captions, the area titles and the areas'
// buttons, whose first frames are the enemy banners.
std::vector<TPicture> MakeBattleInterface();
// Its pictures that carry words, in English, the areas named as `english` names them.
std::vector<TPicture> MakeEnglishBattleInterface(const TCatalogue& english);

// Tower kind 1..8 standing on the middle of its cell at the canvas's (0, 0): drawn
// into its own picture and, smaller, onto its build button.
void DrawTower(TCanvas& canvas, int kind);

}  // namespace vandor::demo
