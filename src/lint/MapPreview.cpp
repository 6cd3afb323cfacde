#include "lint/MapPreview.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <utility>

#include "battle/BattleFile.h"
#include "battle/BattleTables.h"
#include "battle/DistanceField.h"
#include "battle/QTDGame.h"
#include "campaign/GameDat.h"
#include "resources/FileCache.h"
#include "util/Format.h"

namespace vandor {
namespace {

constexpr int kDrawn = TQTDGame::kDrawn;
constexpr int kCell = 28;  // pixels a cell
constexpr int kFieldLeft = 40;
constexpr int kFieldTop = 56;
constexpr int kFieldSide = (2 * kDrawn + 1) * kCell;
constexpr int kSummaryLeft = kFieldLeft + kFieldSide + 32;
constexpr int kWidth = kSummaryLeft + 560;
constexpr int kLine = 18;

constexpr TColor32 kBackground = 0xFF202020;
constexpr TColor32 kText = 0xFFFFFFFF;
constexpr TColor32 kDim = 0xFFA0A0A0;
constexpr TColor32 kObstacle = 0xFF805020;
constexpr TColor32 kBase = 0xFF3050FF;
constexpr TColor32 kUnreached = 0xFF505050;
constexpr TColor32 kEntry = 0xFFFF2020;
constexpr TColor32 kGridLine = 0xFF101010;

// Near cells light green, far ones dark.
TColor32 DistanceColour(int32_t distance, int32_t farthest) {
    const int32_t shade = 200 - 150 * std::min(distance, farthest) / std::max(farthest, 1);
    return 0xFF000000 | static_cast<TColor32>(shade / 3) << 16 | static_cast<TColor32>(shade) << 8 |
           static_cast<TColor32>(shade / 3);
}

void Write(TBitmap32& picture, int x, int y, const std::string& text, TColor32 colour = kText) {
    picture.DrawText(x, y, text, 0, colour);
}

void WriteCentred(TBitmap32& picture, const TRect& rect, const std::string& text, TColor32 colour) {
    const TSize size = picture.TextExtent(text);
    Write(picture, (rect.Left + rect.Right - size.Width) / 2, (rect.Top + rect.Bottom - size.Height) / 2, text, colour);
}

struct TWaveSummary {
    int Enemies = 0;
    int32_t HpLow = 0, HpHigh = 0, HpSum = 0;
    int32_t PaceLow = 0, PaceHigh = 0;
    int32_t Reward = 0;
};

std::string Span(int32_t low, int32_t high) {
    return low == high ? std::to_string(low) : std::to_string(low) + ".." + std::to_string(high);
}

}  // namespace

TRect MapPreviewCell(int x, int y) {
    const int left = kFieldLeft + (x + kDrawn) * kCell;
    const int top = kFieldTop + (kDrawn - y) * kCell;
    return {left, top, left + kCell, top + kCell};
}

std::string FirstBattleWaveTable(TFileCache& files, int area) {
    std::vector<std::string> names;
    // A new game's strength decides, as the battle command's does.
    if (TQTDGameDat::InitialStrength[static_cast<std::size_t>(area)] >= 1)
        names.push_back(Format("bt%.2d-01.txt", area));
    names.push_back(Format("bt%.2d-00.txt", area));
    names.push_back("bt00-00.txt");
    for (const std::string& name : names) {
        if (files.Exists(name)) return name;
    }
    return {};
}

TBitmap32 DrawMapPreview(TFileCache& files, int area) {
    if (area < 1 || area > TQTDGameDat::kAreas) {
        throw std::invalid_argument("areas are 1.." + std::to_string(TQTDGameDat::kAreas) + ", not " +
                                    std::to_string(area));
    }
    const std::string mapName = Format("st%.2d.txt", area);
    TBattleFile map;
    const bool mapFound = map.Load(files, mapName);
    const std::string tableName = FirstBattleWaveTable(files, area);
    TBattleFile waves;
    if (!tableName.empty()) waves.Load(files, tableName);

    // The field as the battle builds it: an obstacle on every cell with a chip.
    TDistanceField::TOccupied occupied{};
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            const int chip = map.ReadInt(Format("MAP_%d_%d", x + TQTDGame::kGrid, y + TQTDGame::kGrid), -1);
            if (chip >= 0 && !TDistanceField::InBaseSquare(x, y)) occupied[TDistanceField::Index(x, y)] = 1;
        }
    }
    TDistanceField distances;
    distances.Compute(occupied, 0, 0);

    // Each wave as its enemies spawn, and every cell they enter the field on.
    const int waveCount = waves.ReadClamped("WC", 2, 1, TQTDGame::kMaxWaves);
    std::vector<TWaveSummary> summaries;
    std::map<std::pair<int, int>, int> entries;
    for (int w = 0; w < waveCount; ++w) {
        TWaveSummary summary;
        summary.Enemies = waves.ReadClamped(Format("WEC_%.2d", w), 10, kWaveSizeRange.Lo, kWaveSizeRange.Hi);
        for (int i = 0; i < summary.Enemies; ++i) {
            const auto read = [&](const char* field, int32_t fallback, TValueRange range) {
                return waves.ReadClamped(Format("E_%.2d_%.2d_%s", w, i, field), fallback, range.Lo, range.Hi);
            };
            const int32_t hp = read("HP", 1, kEnemyHpRange);
            const int32_t pace = read("SP", 1, kEnemyPaceRange);
            summary.HpLow = i == 0 ? hp : std::min(summary.HpLow, hp);
            summary.HpHigh = std::max(summary.HpHigh, hp);
            summary.HpSum += hp;
            summary.PaceLow = i == 0 ? pace : std::min(summary.PaceLow, pace);
            summary.PaceHigh = std::max(summary.PaceHigh, pace);
            summary.Reward += read("MN", 1, kEnemyRewardRange);
            ++entries[{read("PX", 9, {-kDrawn, kDrawn}), read("PY", 9, {-kDrawn, kDrawn})}];
        }
        summaries.push_back(summary);
    }

    const int summaryLines = waveCount + static_cast<int>(entries.size()) + 4;
    const int height = std::max(kFieldTop + kFieldSide + 5 * kLine, kFieldTop + summaryLines * kLine + 8);
    TBitmap32 picture(kWidth, height);
    picture.Clear(kBackground);
    picture.Font.Name = "ＭＳ ゴシック";
    picture.Font.Height = -14;
    Write(picture, kFieldLeft, 12,
          "area " + std::to_string(area) + ": " + (mapFound ? mapName : mapName + " (missing: no obstacles)"));

    int32_t farthest = 0;
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            const int32_t d = distances.Dist(x, y);
            if (d < TDistanceField::kNotReached) farthest = std::max(farthest, d);
        }
    }
    picture.Font.Height = -10;
    for (int y = -kDrawn; y <= kDrawn; ++y) {
        for (int x = -kDrawn; x <= kDrawn; ++x) {
            const TRect rect = MapPreviewCell(x, y);
            const int32_t d = distances.Dist(x, y);
            TColor32 fill = DistanceColour(d, farthest);
            std::string label = std::to_string(d);
            if (TDistanceField::InBaseSquare(x, y)) {
                fill = kBase;
                label = x == 0 && y == 0 ? "base" : "";
            } else if (occupied[TDistanceField::Index(x, y)]) {
                fill = kObstacle;
                label.clear();
            } else if (d >= TDistanceField::kNotReached) {
                fill = kUnreached;
                label = "-";
            }
            picture.FillRect(rect, fill);
            picture.FrameRect(rect, kGridLine);
            if (!label.empty()) WriteCentred(picture, rect, label, kText);
        }
    }
    for (const auto& [cell, count] : entries) {
        const TRect rect = MapPreviewCell(cell.first, cell.second);
        for (int inset = 0; inset < 3; ++inset) {
            picture.FrameRect({rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset}, kEntry);
        }
    }
    for (int i = -kDrawn; i <= kDrawn; i += kDrawn) {
        const TRect column = MapPreviewCell(i, -kDrawn);
        WriteCentred(picture, {column.Left, column.Bottom, column.Right, column.Bottom + kLine}, std::to_string(i),
                     kDim);
        const TRect row = MapPreviewCell(-kDrawn, i);
        WriteCentred(picture, {row.Left - 30, row.Top, row.Left, row.Bottom}, std::to_string(i), kDim);
    }

    picture.Font.Height = -14;
    int y = kFieldTop + kFieldSide + kLine + 4;
    for (const char* legend :
         {"x grows to the right, y upwards (on the battle's screen +x runs down-right, +y up-right)",
          "numbers: walking distance to the base, 10 a straight step and 14 a diagonal one",
          "blue: the base, brown: obstacles, grey: no way to the base, red: entry points"}) {
        Write(picture, kFieldLeft, y, legend, kDim);
        y += kLine;
    }

    y = kFieldTop;
    Write(picture, kSummaryLeft, y,
          tableName.empty() ? "no wave table: every wave takes the defaults"
                            : tableName + ": " + std::to_string(waveCount) + " waves");
    y += kLine + 4;
    Write(picture, kSummaryLeft, y, "wave  enemies  durability (total)   pace    reward", kDim);
    y += kLine;
    for (std::size_t w = 0; w < summaries.size(); ++w) {
        const TWaveSummary& s = summaries[w];
        Write(picture, kSummaryLeft, y,
              Format("%4d  %7d  %-20s %-7s %6d", static_cast<int>(w + 1), s.Enemies,
                     (Span(s.HpLow, s.HpHigh) + " (" + std::to_string(s.HpSum) + ")").c_str(),
                     Span(s.PaceLow, s.PaceHigh).c_str(), s.Reward));
        y += kLine;
    }
    y += kLine;
    for (const auto& [cell, count] : entries) {
        Write(picture, kSummaryLeft, y,
              "entry (" + std::to_string(cell.first) + ", " + std::to_string(cell.second) +
                  "): " + std::to_string(count) + (count == 1 ? " enemy" : " enemies"));
        y += kLine;
    }
    return picture;
}

}  // namespace vandor
