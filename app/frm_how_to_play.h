// SPDX-License-Identifier: MIT
// The how-to-play screen: a 3 x 3 block of balls whose ring turns once clockwise and once
// back, with a mouse picture showing which button does which, then leaves by itself.
#pragma once

#include <cstdint>

#include "app/control_array.h"
#include "platform/ui/form.h"

namespace app {

class FrmHowToPlay : public platform::Form {
 public:
  FrmHowToPlay();

  platform::Shape Shape1;
  platform::PictureBox Picture1;  // a ball with a mouse pointer, over the centre cell
  platform::PictureBox Picture2;  // the panel below the block
  platform::Label lblText;
  platform::Image imgMouse, imgMouseL, imgMouseR;
  platform::Label lblBack;
  platform::Label lblFirst;
  ControlArray<platform::PictureBox, 7> PicBall;  // hidden ball sources, by kind
  platform::PictureBox picEmpty;                  // hidden, plain white: erase source
  platform::Timer Timer1;                         // 20 ms, drives the demonstration

  // Phases of DemoState.
  static constexpr std::int16_t kFirstPause = 0, kClockwiseSlide = 1, kSecondPause = 4,
                                kCounterclockwiseSlide = 2, kLastPause = 5;
  static constexpr std::int16_t kPauseTicks = 200;

  std::int16_t DemoBoard[3][3] = {};  // [column][row]
  std::int16_t DemoCol = 1, DemoRow = 1;
  std::int16_t DemoState = kFirstPause;
  std::int16_t DemoWait = 0;
  std::int16_t DemoOffset = 0;

  void BackClick();

 protected:
  void Load() override;
  void QueryUnload() override { Leave(); }  // the window's close acts as "Play Now!"
  void KeyDown(platform::Key key, int /*shift*/) override {
    if (key == platform::Key::Escape) BackClick();
  }

 private:
  void Timer1Tick();
  // Counts a pause tick; true on the tick that ends the pause.
  bool PauseEnds();
  void ShowMouse(const platform::Image& mouse);
  std::int16_t& DemoCell(int place);  // the block's cell at a place of the ring
  void TurnClockwise();
  void TurnCounterclockwise();
  void DrawFrame(int direction, int offset);
  void CompleteClockwiseSlide();
  void CompleteCounterclockwiseSlide();
  void DrawRingAtRest(const int (&order)[8]);
  void DrawBall(int kind, int x, int y);
  void DrawCentreBall();
  void EraseBlock();
  void Leave();
};

inline FrmHowToPlay& frmHowToPlay() {
  return platform::Instance<FrmHowToPlay>();
}

}  // namespace app
