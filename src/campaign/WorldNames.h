#pragma once
// The names of this game's world that the rules refer to by number: the heroines
// (1..10) and the areas of the campaign map (1..14). They are content, kept in one
// place so that the battle's panels, the campaign's screens and the demo campaign all
// say the same thing.

#include <string>

namespace vandor {

// The heroine's name, or "" for a number without one.
const char* HeroineName(int heroine);
// The area's name, or "" for a number outside 1..14.
const char* AreaName(int area);
// The picture of the area's button on the campaign map and of its banner in battle:
// "btn" + the area's name + ".png". Area 1 is the homeland, whose enemy is its own
// rebel army: its banner is the only one that differs from its button.
std::string AreaButtonName(int area);
std::string AreaBannerName(int area);

}  // namespace vandor
