// SPDX-License-Identifier: MIT
#include "app/frm_how_to_play.h"

#include "app/frm_door.h"
#include "app/frm_splash.h"
#include "game/game_state.h"
#include "game/ring.h"
#include "gfx/raster.h"
#include "platform/loop/system.h"
#include "resources/picture_names.h"

namespace app {

namespace {

constexpr int kCell = 75;
constexpr int kBlock = 3 * kCell;
constexpr int kLastOffset = 70;  // a slide draws offsets 0 to 70; beyond that it is complete
constexpr int kOffsetStep = 5;

constexpr const char* kRightText = "Click mouse Right Button to turn clockwise";
constexpr const char* kLeftText = "Click mouse Left Button to turn counterclockwise";

using enum game::RingPlace;

// One ball of a slide frame: the destination cell and where it is drawn at offset t,
// as x = x0 + dx * t, y = y0 + dy * t.
struct SlidingBall {
  game::RingPlace cell;
  int x0, dx, y0, dy;
};
constexpr SlidingBall kClockwiseFrame[] = {
    {N, 0, 1, 0, 0},      {NE, 75, 1, 0, 0},    {E, 150, 0, 0, 1},  {SE, 150, 0, 75, 1},
    {S, 150, -1, 150, 0}, {SW, 75, -1, 150, 0}, {W, 0, 0, 150, -1}, {NW, 0, 0, 75, -1}};
constexpr SlidingBall kCounterclockwiseFrame[] = {
    {W, 0, 0, 0, 1},      {NW, 75, -1, 0, 0},  {N, 150, -1, 0, 0}, {NE, 150, 0, 75, -1},
    {E, 150, 0, 150, -1}, {SE, 75, 1, 150, 0}, {S, 0, 1, 150, 0},  {SW, 0, 0, 75, 1}};

constexpr int kClockwiseRestOrder[] = {N, NE, E, SE, S, SW, W, NW};
constexpr int kCounterclockwiseRestOrder[] = {W, NW, N, NE, E, SE, S, SW};

}  // namespace

FrmHowToPlay::FrmHowToPlay()
    : Shape1(*this),
      Picture1(*this),
      Picture2(*this),
      lblText(*this, &Picture2),
      imgMouse(*this, &Picture2),
      imgMouseL(*this, &Picture2),
      imgMouseR(*this, &Picture2),
      lblBack(*this, &Picture2),
      lblFirst(*this, &Picture2),
      PicBall(*this),
      picEmpty(*this),
      Timer1(*this, 20, true) {
  SetCaption("How To Play");
  SetClientSize(229, 375);
  SetBackColor(gfx::kWhite);
  Shape1.Move(0, 0, 229, 375);
  Picture1.Move(76, 76, 75, 75);
  Picture1.SetPicture(platform::LoadPicture(res::kHowToBall));
  Picture2.Move(2, 246, 225, 127);

  lblText.Move(42, 0, 154, 33);
  lblText.SetBackColor(gfx::kWhite);
  lblText.SetFont("Arial", 8.25);
  lblText.SetWordWrap(true);
  lblText.SetCaption(kRightText);
  imgMouse.Move(0, 40, 91, 87);
  imgMouse.SetPicture(platform::LoadPicture(res::kMouse));
  imgMouseL.Move(0, 40, 91, 87);
  imgMouseL.SetPicture(platform::LoadPicture(res::kMouseLeft));
  imgMouseR.Move(0, 40, 91, 87);
  imgMouseR.SetPicture(platform::LoadPicture(res::kMouseRight));
  lblBack.Move(132, 70, 59, 35);
  lblBack.SetCaption("Play Now!");
  lblBack.SetFont("Arial", 9, true, true);
  lblBack.SetMousePointer(platform::MousePointer::Hand);
  lblBack.OnClick = [this] { BackClick(); };
  lblFirst.Move(108, 114, 131, 15);
  lblFirst.SetCaption("How To Play on 1st Run");
  lblFirst.SetFont("Arial", 8.25);

  for (int kind = 0; kind < PicBall.Count(); ++kind) {
    PicBall(kind).Move(0, 0, kCell, kCell);
    PicBall(kind).SetPicture(platform::LoadPicture(res::kBall[kind]));
    PicBall(kind).Hide();
  }
  picEmpty.Move(0, 0, 962, 716);
  picEmpty.SetPicture(platform::LoadPicture(res::kEmpty));
  picEmpty.Hide();
  Timer1.OnTick = [this] { Timer1Tick(); };
}

void FrmHowToPlay::Load() {
  SetSizeTwips(3435, 5625);
  DemoState = kFirstPause;
  // Every showing gets its full first pause, even after an early leave in a pause.
  DemoWait = 0;
  ShowMouse(imgMouse);
  DemoOffset = 0;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      DrawBall(j, kCell * i, kCell * j);
      DemoBoard[i][j] = static_cast<std::int16_t>(j);
    }
  }
  Refresh();
  DemoCol = 1;
  DemoRow = 1;
}

void FrmHowToPlay::Timer1Tick() {
  if (DemoState == kFirstPause && PauseEnds()) {
    lblText.SetCaption(kRightText);
    TurnClockwise();
    DemoState = kClockwiseSlide;
  }
  if (DemoState == kSecondPause && PauseEnds()) {
    lblText.SetCaption(kLeftText);
    TurnCounterclockwise();
    DemoState = kCounterclockwiseSlide;
  }
  if (DemoState == kLastPause && PauseEnds()) {
    Leave();
    return;
  }
  if (DemoState == kClockwiseSlide) {
    ShowMouse(imgMouseR);
    if (DemoOffset > kLastOffset) {
      CompleteClockwiseSlide();
      return;
    }
    DrawFrame(1, DemoOffset);
    DemoOffset += kOffsetStep;
    Refresh();
  }
  if (DemoState == kCounterclockwiseSlide) {
    ShowMouse(imgMouseL);
    if (DemoOffset > kLastOffset) {
      CompleteCounterclockwiseSlide();
      return;
    }
    DrawFrame(2, DemoOffset);
    DemoOffset += kOffsetStep;
    Refresh();
  }
}

bool FrmHowToPlay::PauseEnds() {
  ++DemoWait;
  if (DemoWait < kPauseTicks) return false;
  DemoWait = 0;
  return true;
}

void FrmHowToPlay::ShowMouse(const platform::Image& mouse) {
  imgMouseR.SetVisible(&mouse == &imgMouseR);
  imgMouse.SetVisible(&mouse == &imgMouse);
  imgMouseL.SetVisible(&mouse == &imgMouseL);
}

std::int16_t& FrmHowToPlay::DemoCell(int place) {
  const game::CellOffset o = game::kRingOffsets[place];
  return DemoBoard[DemoCol + o.dc][DemoRow + o.dr];
}

void FrmHowToPlay::TurnClockwise() {
  game::RotateRingClockwise([this](int place) -> std::int16_t& { return DemoCell(place); });
}

void FrmHowToPlay::TurnCounterclockwise() {
  game::RotateRingCounterclockwise([this](int place) -> std::int16_t& { return DemoCell(place); });
}

void FrmHowToPlay::DrawFrame(int direction, int offset) {
  EraseBlock();
  DrawCentreBall();
  const auto& balls = direction == 1 ? kClockwiseFrame : kCounterclockwiseFrame;
  for (const SlidingBall& ball : balls) {
    DrawBall(DemoCell(ball.cell), ball.x0 + ball.dx * offset, ball.y0 + ball.dy * offset);
  }
}

void FrmHowToPlay::CompleteClockwiseSlide() {
  DemoOffset = 0;
  EraseBlock();
  DrawRingAtRest(kClockwiseRestOrder);  // the centre stays erased until the next slide
  Refresh();
  DemoState = kSecondPause;
  lblText.SetCaption(kLeftText);
}

void FrmHowToPlay::CompleteCounterclockwiseSlide() {
  DemoOffset = 0;
  EraseBlock();
  DrawCentreBall();
  DrawRingAtRest(kCounterclockwiseRestOrder);
  Refresh();
  DemoState = kLastPause;
}

void FrmHowToPlay::DrawRingAtRest(const int (&order)[8]) {
  for (int r : order) {
    const int column = DemoCol + game::kRingOffsets[r].dc, row = DemoRow + game::kRingOffsets[r].dr;
    DrawBall(DemoCell(r), kCell * column, kCell * row);
  }
}

void FrmHowToPlay::DrawBall(int kind, int x, int y) {
  const gfx::Surface& ball = PicBall(kind).Image();
  gfx::fxBitBlt(Image(), x, y, kCell, kCell, ball, 0, 64, gfx::MERGEPAINT);
  gfx::fxBitBlt(Image(), x, y, kCell, kCell, ball, 0, 0, gfx::SRCAND);
}

void FrmHowToPlay::DrawCentreBall() {
  gfx::fxBitBlt(Image(), kCell * DemoCol, kCell * DemoRow, kCell, kCell,
                PicBall(DemoBoard[DemoCol][DemoRow]).Image(), 0, 0, gfx::SRCCOPY);
}

void FrmHowToPlay::EraseBlock() {
  gfx::fxBitBlt(Image(), 0, 0, kBlock, kBlock, picEmpty.Image(), 0, 0, gfx::SRCCOPY);
}

void FrmHowToPlay::BackClick() {
  Leave();
}

void FrmHowToPlay::Leave() {
  if (game::FirstRunDone == game::kTrue) {
    frmDoor().Show();
  } else {
    frmSplash().Show();
  }
  Close();
}

}  // namespace app
