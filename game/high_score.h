// SPDX-License-Identifier: MIT
// The result of a game in the table of the eight best.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace game {

// Score x 100, the points every display and comparison uses; empty when it does not fit
// 32 bits (only a hand-edited save file can get there).
std::optional<std::int32_t> ScorePoints();

// Puts the result into the first place whose value it beats strictly, moving that entry
// and the ones below it down one place; the last entry drops out. Ties go below, and one
// player may hold several places.
void EnterHighScore(std::int32_t points, const std::string& name);

// Enters the current Score for PlayerName into the table as its file holds it now, and
// writes the whole table back; a failed write is reported in a message box.
void RecordResult();

}  // namespace game
