#include "Campaign.h"

#include <string>
#include <string_view>

#include "MagicBowsPlan.h"

namespace vandor::playthrough {
namespace {

// Where the demo's screens put what the route clicks.
constexpr TPoint kText = TRoute::kNeutral;
// The title's buttons from the top: continue (shown once there is a save), start,
// how to play and end.
constexpr TPoint kContinueButton{400, 340};
constexpr TPoint kStartButton{400, 408};
constexpr TPoint kHowToButton{400, 464};
constexpr TPoint kEndButton{400, 526};
// The how-to-play's page buttons: back to the title, the previous and the next page.
constexpr TPoint kHowToTitle{120, 568};
constexpr TPoint kHowToPrevious{500, 568};
constexpr TPoint kHowToNext{680, 568};
constexpr int kHowToPages = 6;
// The prologue: the first of its three choices, the first of its four in two columns,
// the first button of the fortress tour, and the text.
const std::vector<TPoint> kProloguePoints{{260, 238}, {200, 253}, {185, 215}, kText};
// The action phase's buttons, from the top.
constexpr TPoint kWar{640, 138};
constexpr TPoint kTrain{640, 208};
constexpr TPoint kItems{640, 348};
constexpr TPoint kFirstHeroine{280, 148};
constexpr TPoint kLedgerBack{720, 562};
// The cell of item 16, the banner the commander is given on the storm night.
constexpr TPoint kBannerItem{650, 188};
// The first of two choices in the choice frame: the cross of its "十".
constexpr TPoint kFirstOfTwoChoices{262, 256};
// An area's briefing.
constexpr TPoint kSortie{400, 228};

// The area buttons' top-left corners on the map; a click lands on the pennant.
TPoint AreaButton(int area) {
    static constexpr TPoint kCorners[] = {{0, 0},     {0, 0},     {130, 300}, {290, 380}, {200, 470},
                                          {20, 430},  {20, 330},  {300, 250}, {470, 330}, {630, 420},
                                          {640, 260}, {460, 480}, {470, 150}, {640, 90},  {250, 80}};
    const TPoint corner = kCorners[area];
    return {corner.X + 24, corner.Y + 26};
}

// From the map over the area's briefing, whose buttons come once its line is shown, to
// its sortie button.
void Sortie(TRoute& route, int area, int briefing = 60, std::string_view shot = {}) {
    route.Click(AreaButton(area), 10);
    route.Pages(briefing);
    if (!shot.empty()) route.Shot(shot);
    route.Click(kSortie, 10);
}

// From the action phase over the map into the area's battle.
void War(TRoute& route, int area) {
    route.Click(kWar, 60);
    Sortie(route, area);
    route.Battle(area, kMagicBowsPlan);
}

// The how-to-play from the title, every page pictured, one page back, and the title again.
void HowToPlay(TRoute& route) {
    route.Click(kHowToButton, 60);
    for (int page = 1; page <= kHowToPages; ++page) {
        route.Shot("how-to-" + std::to_string(page));
        if (page < kHowToPages) route.Click(kHowToNext, 40);
    }
    route.Click(kHowToPrevious, 40);
    route.Click(kHowToTitle, 100);
}

}  // namespace

void PlayCampaign(TRoute& route) {
    // The title fades in for 1.2 s; its buttons take no click before.
    route.Wait(100);
    route.Shot("title");
    HowToPlay(route);
    route.Click(kStartButton, 60);
    // The prologue, then the storm night's pages up to its battle.
    route.Cycle(2700, kProloguePoints);
    route.Pages(700);
    route.Shot("opening-battle");
    route.Battle(1, kMagicBowsPlan);
    // The morning after and the first council, up to the action phase of turn 1.
    route.Pages(900);
    route.Shot("action-phase");

    // Turn 1: a heroine trained, then the map explained and a battle lost on purpose
    // (no towers: the base stands alone).
    route.Click(kTrain, 40);
    route.Click(kFirstHeroine, 20);
    route.Pages(400);
    route.Click(kWar, 40);
    route.Pages(300);
    route.Shot("area-map");
    Sortie(route, 6, 60, "briefing");
    route.LoseBattle(6, 1500);
    route.Pages(500);

    // Turn 2: the broken corner taken, and its scout joins.
    War(route, 6);
    route.Pages(1200);

    // Turn 3: saved, the ledger looked at, and the save loaded again from the map.
    route.Menu("mmSF0_0", 20);
    route.Click(kItems, 60);
    route.Click(kBannerItem, 10);
    route.Shot("items");
    route.Click(kLedgerBack, 10);
    route.Pages(60);
    route.Click(kWar, 60);
    route.Menu("mmSF1_0", 100);

    // Back to the title, where nothing can be saved (the menu's slot is refused and F5
    // writes no quick save), and on again with the title's "continue".
    route.Menu("mmTitle", 100);
    route.Menu("mmSF0_1", 10);
    route.Key("F5", 10);
    route.Shot("title-continue");
    route.Click(kContinueButton, 160);

    // The white beach (whose sorceress joins), the frost corner, then the lamp corner
    // (whose fire keeper joins) opens the mist king's castle.
    const struct { int Area, Battles; } conquests[] = {{11, 3}, {2, 4}, {4, 4}};
    for (const auto& [area, battles] : conquests) {
        for (int battle = 1; battle <= battles; ++battle) {
            // The beach's first wave comes from the north-east, past the status panel.
            if (area == 11 && battle == 1) route.ShotInNextBattle(1, 40, "north-east-entry");
            War(route, area);
            if (battle > 1) {
                route.Pages(300);
            } else if (area == 11) {
                // The sorceress asks a question on the beach: the first answer.
                route.Cycle(1400, {kFirstOfTwoChoices, kText});
            } else {
                route.Pages(1200);
            }
        }
    }

    // The mist king's castle, the ending, and the title's end button.
    route.Click(kWar, 60);
    route.Shot("area-map-late");
    Sortie(route, 14, 400, "castle-briefing");
    // The castle's seventh wave: every tower firing.
    route.ShotInNextBattle(7, 150, "many-shots");
    route.Battle(14, kMagicBowsPlan);
    route.Pages(60);
    route.Shot("ending-castle");
    route.Pages(120);
    route.Shot("ending-fortress");
    route.Pages(160);
    route.Shot("the-end");
    route.Pages(1000);
    // The farewell, then the game asks and ends: no picture follows.
    route.Click(kEndButton, 20);
    route.Pages(400);
    route.Shot("after-quit");
}

}  // namespace vandor::playthrough
