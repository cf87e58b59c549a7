// SPDX-License-Identifier: MIT
// Keyboard play: a cursor on an inner cell that the arrow keys move, and keys that act as
// the presses and buttons of the game screen.
#include <algorithm>

#include "audio/frm_music.h"
#include "game/frm_main.h"
#include "gfx/raster.h"

namespace game {
namespace {

constexpr int kFirstInner = 1;
constexpr int kLastInner = kColumns - 2;
constexpr int kCursorLine = 2;  // pixels per line of the frame

// Black outside, white inside: one of the two stands out on any ball and on white.
gfx::Surface CursorPicture() {
  gfx::Surface picture(kCell, kCell, gfx::kBlack);
  for (int y = kCursorLine; y < kCell - kCursorLine; ++y)
    for (int x = kCursorLine; x < kCell - kCursorLine; ++x) picture.row(y)[x] = gfx::kWhite;
  return picture;
}

}  // namespace

void FrmMain::SetUpCursor() {
  picCursor.Move(0, 0, kCell, kCell);
  picCursor.Hide();
  picCursor.SetPicture(CursorPicture());
}

// The frame's four sides, copied from the cursor picture: the inside of the cell keeps
// its ball.
void FrmMain::DrawCursor() {
  if (!cursorShown_) return;
  const int x = kCell * CursorCol, y = kBoardTop + kCell * CursorRow;
  const int side = 2 * kCursorLine;
  const gfx::Surface& frame = picCursor.Image();
  gfx::fxBitBlt(Image(), x, y, kCell, side, frame, 0, 0, gfx::SRCCOPY);
  gfx::fxBitBlt(Image(), x, y + kCell - side, kCell, side, frame, 0, kCell - side, gfx::SRCCOPY);
  gfx::fxBitBlt(Image(), x, y, side, kCell, frame, 0, 0, gfx::SRCCOPY);
  gfx::fxBitBlt(Image(), x + kCell - side, y, side, kCell, frame, kCell - side, 0, gfx::SRCCOPY);
  Refresh();
}

// Between moves the board stands still, so the cell is drawn again from Board.
void FrmMain::HideCursor() {
  if (!cursorShown_) return;
  cursorShown_ = false;
  const int x = kCell * CursorCol, y = kBoardTop + kCell * CursorRow;
  EraseArea(x, y, kCell, kCell);
  DrawBall(Board[CursorCol][CursorRow], x, y);
  Refresh();
}

void FrmMain::MoveCursor(int dc, int dr) {
  const bool wasShown = cursorShown_;
  HideCursor();
  if (wasShown) {
    CursorCol = static_cast<std::int16_t>(std::clamp(CursorCol + dc, kFirstInner, kLastInner));
    CursorRow = static_cast<std::int16_t>(std::clamp(CursorRow + dr, kFirstInner, kLastInner));
  }
  cursorShown_ = true;
  DrawCursor();
}

// A key turn is a press in the middle of the cursor's cell: Space or Enter as the right
// button (clockwise), with Shift as the left.
void FrmMain::TurnAtCursor(int shift) {
  if (!cursorShown_) return;
  const int button = (shift & platform::kShiftMask) ? 1 : 2;
  PressBoard(button, float(kCell * CursorCol + kCell / 2),
             float(kBoardTop + kCell * CursorRow + kCell / 2));
}

void FrmMain::KeyDown(platform::Key key, int shift) {
  using platform::Key;
  if (key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down) {
    HideFocusRing();  // Space and Enter act on the board again
    MoveCursor(key == Key::Left    ? -1
               : key == Key::Right ? 1
                                   : 0,
               key == Key::Up     ? -1
               : key == Key::Down ? 1
                                  : 0);
  } else if (key == Key::Space || key == Key::Enter) {
    TurnAtCursor(shift);
  } else if (key == Key::Escape) {
    imgExit.OnClick();
  } else if (key == Key::M && shift == 0) {
    imgMusic.OnClick();
  }
}

}  // namespace game
