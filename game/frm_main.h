// SPDX-License-Identifier: MIT
// The game screen: the board, the press handling, the animation state machine driven by
// TAnim, the line check, ranks, score popups and leaving the game.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "game/game_state.h"
#include "platform/ui/form.h"

namespace game {

// AnimState: what the ticks of TAnim do. Directions 1 and 2 of a slide are the same numbers.
constexpr std::int16_t kSlideClockwise = 1;
constexpr std::int16_t kSlideCounterclockwise = 2;
constexpr std::int16_t kShrinkLine = 3;
constexpr std::int16_t kDropColumn = 4;
constexpr std::int16_t kShakeBall = 5;

class FrmMain : public platform::Form {
 public:
  FrmMain();

  // Hidden picture sources of the raster copies.
  platform::PictureBox picEmpty;  // 962 x 716 plain white: the erase source
  platform::PictureBox picBack;   // 1024 x 768 clean background: the popup restore source
  platform::PictureBox picDH, pic300, pic600, pic1000, pic1500;  // 180 x 60 popups
  platform::PictureBox picCursor;  // 75 x 75: the keyboard cursor's frame

  // The panel on the right.
  platform::PictureBox Picture1;
  platform::Label lblScore;
  platform::PictureBox Picture2;
  platform::Label lblHits;
  platform::PictureBox Picture3;  // scaled in twips
  platform::Shape sProcess;
  platform::Label lblPercent;

  platform::Timer TAnim;   // 1 ms: the board state machine
  platform::Timer TOther;  // 10 ms: the score popups

  platform::Image imgMusic;
  platform::Image imgExit;

  platform::PictureBox& PicBall(int kind) { return *picBall_[kind]; }
  platform::PictureBox& picMR(int rank) { return *picMR_[rank]; }
  // The popup picture of PopupKind 0..4.
  platform::PictureBox& PopupPicture(int popupKind);

  // Members that live while the window exists.
  std::int16_t CenterCol = 0;
  std::int16_t CenterRow = 0;
  std::int16_t AnimTick = 0;
  // The keyboard cursor's cell, an inner one; it starts on the centre-most.
  std::int16_t CursorCol = 3;
  std::int16_t CursorRow = 3;
  bool CursorShown() const { return cursorShown_; }
  float ZoomScale = 1.0f;
  std::int64_t RankFraction = 0;  // fixed point: ten-thousandths

  // Routines the screen's handlers share.
  void DrawRing(int direction, int offset);
  void CheckLines(int direction);
  void AdvanceRank();
  void ShowRankProgress();
  void ShowWinScreen();

  int TapButton(float x, float y) const override;

 protected:
  void Load() override;
  void MouseDown(int button, int shift, float x, float y) override;
  void KeyDown(platform::Key key, int shift) override;
  void QueryUnload() override;  // the window's close acts as Exit
  // Saves as Exit does, at once, even during a move: the score so far.
  void SessionEnds() override;

 private:
  void LayOutPictures();
  void LayOutPanel();
  void LoadPictures();
  void StartNewGame();
  void ContinueSavedGame(const std::filesystem::path& save);
  void DealBoard();

  void PressBoard(int button, float x, float y);
  void RotateOrRefuse(int button, float x, float y);

  void SetUpCursor();
  void DrawCursor();
  void HideCursor();
  void MoveCursor(int dc, int dr);
  void TurnAtCursor(int shift);
  bool cursorShown_ = false;

  void OnAnimTick();
  bool SlideTick(int direction);  // true when the slide completed and the tick is over
  void ShrinkStep();
  void DropStep();
  void ShakeStep();
  void EraseMatchStrip();

  bool ScoreFirstLine();
  void RotateBack(int direction);
  void EndMove();

  void OnPopupTick();
  void RestorePopupArea();

  void SaveProgress();
  void LeaveGame();
  void LeaveAfterMove();
  bool leaveAfterMove_ = false;  // a close request came during a move

  std::array<std::unique_ptr<platform::PictureBox>, 7> picBall_;
  std::array<std::unique_ptr<platform::PictureBox>, kRankCount> picMR_;
};

inline FrmMain& frmMain() {
  return platform::Instance<FrmMain>();
}

}  // namespace game
