// SPDX-License-Identifier: MIT
// The high-score screen: the eight best results with names, scores and the insignia of
// the rank each score reaches.
#pragma once

#include "app/control_array.h"
#include "game/game_state.h"
#include "gfx/surface.h"
#include "platform/ui/form.h"

namespace app {

class FrmScore : public platform::Form {
 public:
  FrmScore();

  static constexpr int kEntries = game::kHighScoreCount;
  ControlArray<platform::PictureBox, game::kRankCount> picMR;  // hidden insignia sources
  ControlArray<platform::PictureBox, kEntries> picScore;       // each entry's insignia
  ControlArray<platform::Label, kEntries> lblNo;               // "No.1" .. "No.8"
  ControlArray<platform::Label, kEntries> lblUser;             // "Player:   " + name
  ControlArray<platform::Label, kEntries> lblScorename;        // "Score:"
  ControlArray<platform::Label, kEntries> lblScore;            // the grouped score
  platform::Image imgBack;                                     // over the painted Back arrow

  void BackClick();

  // The highest rank whose threshold the score exceeds, or -1 when it exceeds none.
  static int InsigniaFor(std::int32_t points);

 protected:
  void Load() override;
  void QueryUnload() override { BackClick(); }  // the window's close acts as Back
  void KeyDown(platform::Key key, int /*shift*/) override {
    if (key == platform::Key::Escape) BackClick();
  }

 private:
  void LayOutEntry(int i);

  gfx::Surface pointer_;
};

inline FrmScore& frmScore() {
  return platform::Instance<FrmScore>();
}

}  // namespace app
