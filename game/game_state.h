// SPDX-License-Identifier: MIT
// The state the screens and the game logic share, and the small routines several
// screens call: the kind of every new ball, the board drawing steps and the score text.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "gfx/surface.h"

namespace game {

// Flags are 16-bit integers holding exactly -1 (true) or 0 (false).
using Flag = std::int16_t;
constexpr Flag kTrue = -1;
constexpr Flag kFalse = 0;

constexpr int kColumns = 8;
constexpr int kRows = 8;
constexpr int kCell = 75;       // a cell is 75 x 75 pixels
constexpr int kBoardTop = 150;  // cell (c, r) is at (75c, 150 + 75r) of the game window
constexpr int kBonusKind = 6;   // the ice crystal
constexpr int kRankCount = 25;
constexpr int kHighScoreCount = 8;

// Process-wide variables, zero at program start.
extern std::int16_t Board[kColumns][kRows];  // Board[column][row], kinds 0..6
extern std::int32_t Score;                   // units of 100 points
extern std::int32_t Hits;
extern Flag ChainActive;
extern std::int16_t MusicSlot;
extern std::int16_t PopupKind;  // 0 picDH, 1 pic300, 2 pic600, 3 pic1000, 4 pic1500, 5 none
extern float PopupScale;
extern std::int16_t PopupTick;
extern std::array<std::int32_t, kHighScoreCount> HighScoreValues;  // points
extern std::array<std::string, kHighScoreCount> HighScoreNames;
extern Flag FirstRunDone;
extern std::int16_t RankTier;
extern std::int16_t RankIndex;
extern std::array<std::int32_t, kRankCount> RankThresholds;  // points
extern std::string PlayerName;
extern std::int16_t AnimState;
extern std::int16_t MatchCol;
extern std::int16_t MatchRow;
extern std::int16_t MatchLength;
extern std::int16_t MatchDirection;  // 1 vertical, 0 horizontal
extern std::int16_t MatchKind;
extern Flag RevertPending;

// Puts every variable above, the board canvas and the screen links back as they are at
// program start, so that one test leaves nothing behind for the next.
void ResetSharedState();

// Fills RankThresholds with the 25 fixed values (the splash screen does this at start).
void FillRankThresholds();

// The kind of one new ball: 0..5, or 0..6 while fewer than RankTier kind-6 balls stand
// on the board (counted over all 64 cells as they are at this moment).
int NewBallKind();

// The one random generator behind NewBallKind, seeded once from std::random_device.
std::mt19937& RandomGenerator();
// Tests make the generator repeatable.
void SeedRandom(std::uint32_t seed);

// Where the board drawing routines draw and what they copy from: the game window's
// persistent image, its seven ball pictures and its plain white picEmpty. The game
// screen sets it when it loads; tests hand in their own surfaces.
struct BoardCanvas {
  gfx::Surface* target = nullptr;
  std::array<const gfx::Surface*, 7> balls{};
  const gfx::Surface* empty = nullptr;
};
void SetBoardCanvas(const BoardCanvas& canvas);
const BoardCanvas& CurrentBoardCanvas();

// Draws PicBall(kind) into the 75 x 75 square at (x, y): MERGEPAINT from source (0, 64),
// then SRCAND from (0, 0).
void DrawBall(int kind, int x, int y);
// Copies the top-left w x h part of picEmpty onto the rectangle.
void EraseArea(int x, int y, int w, int h);
// Erases and redraws all 64 cells from Board, column by column.
void RedrawBoard();

// "1, 234, 567": decimal digits in groups of three separated by a comma and a space.
std::string GroupDigits(std::int32_t value);

}  // namespace game
