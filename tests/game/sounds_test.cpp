// SPDX-License-Identifier: MIT
// The sound cues the game asks for, heard through a listener on the test wave output.
#include <algorithm>

#include "audio/frm_music.h"
#include "audio/sound_manager.h"
#include "audio/sound_slots.h"
#include "platform/headless/headless.h"
#include "platform/loop/system.h"
#include "platform/winmm/wave_out_test.h"
#include "tests/audio/wav_builder.h"
#include "tests/game/game_fixture.h"

namespace game::testing {
namespace {

class Starts : public audio::SoundManagerNotifier {
 public:
  void SoundPlayStart(std::int32_t slot) override { slots.push_back(slot); }
  std::vector<std::int32_t> slots;
};

class GameSoundTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    platform::wave_test::Reset();
    const auto wav = folder_ / "cue.wav";
    wavtest::WriteFile(wav, wavtest::Wav(wavtest::FormatBody(wavtest::kPcm, 1, 44100, 16),
                                         wavtest::Square(441, 1, 0.5, 50, wavtest::kPcm, 16)));
    for (std::int32_t slot = audio::SoundTurn; slot <= audio::SoundRankUp; ++slot) {
      ASSERT_EQ(audio::LoadSound(slot, wav.string(), 0), audio::kSoundTrue);
    }
    audio::SoundNotifier = &starts_;
    OpenGame();
    SetLineFreeBoard();
    ShowBoard();
    game_->CenterCol = game_->CenterRow = 4;
  }
  void TearDown() override {
    audio::SoundNotifier = nullptr;
    audio::ShutdownSounds();
    platform::wave_test::Reset();
    GameTest::TearDown();
  }
  static bool ResetCalled() {
    const auto calls = platform::wave_test::Calls();
    return std::any_of(calls.begin(), calls.end(),
                       [](const auto& call) { return call.name == "waveOutReset"; });
  }
  Starts starts_;
};

TEST_F(GameSoundTest, RotatingPressPlaysTheTurnAndRefusedPressTheRefusal) {
  platform::headless::Press(*game_, 2, 300, 400);
  EXPECT_EQ(starts_.slots, (std::vector<std::int32_t>{audio::SoundTurn}));
  RunMove();
  ASSERT_EQ(audio::StartSound(audio::SoundLine), audio::kSoundTrue);  // a line still sounds
  platform::wave_test::ClearCalls();
  platform::headless::Press(*game_, 1, 40, 400);
  EXPECT_EQ(starts_.slots.back(), audio::SoundRefuse);
  RunMove();
  EXPECT_TRUE(ResetCalled());  // the end of the shake stops it
}

TEST_F(GameSoundTest, LinePlaysTheLineSoundAndTheEndOfTheDropStopsIt) {
  Board[2][2] = Board[2][3] = Board[2][4] = kBonusKind;
  game_->CheckLines(1);
  EXPECT_EQ(starts_.slots, (std::vector<std::int32_t>{audio::SoundLine}));
  platform::wave_test::ClearCalls();
  while (AnimState != kSlideClockwise) {
    EXPECT_FALSE(ResetCalled());
    RunAnimTicks(1);
  }
  EXPECT_TRUE(ResetCalled());
}

TEST_F(GameSoundTest, PromotionPlaysTheRankUpSound) {
  Score = 111;
  game_->AdvanceRank();
  EXPECT_EQ(starts_.slots, (std::vector<std::int32_t>{audio::SoundRankUp}));
  platform::wave_test::FinishBuffer(audio::SoundSlots[audio::SoundRankUp - 1].Device);
  platform::DoEvents();
  RankIndex = 23;  // the promotion to the last rank sounds too
  Score = 100001;
  game_->AdvanceRank();
  EXPECT_EQ(starts_.slots, (std::vector<std::int32_t>{audio::SoundRankUp, audio::SoundRankUp}));
}

TEST_F(GameSoundTest, MusicButtonSwitchesTheMusicTimer) {
  const bool before = audio::frmMusic().Timer1.Enabled();
  platform::headless::Click(*game_, 678 + 40, 654 + 40);
  EXPECT_NE(audio::frmMusic().Timer1.Enabled(), before);
  platform::headless::Click(*game_, 678 + 40, 654 + 40);
  EXPECT_EQ(audio::frmMusic().Timer1.Enabled(), before);
  platform::headless::PressKey(platform::Key::M);  // the key is the same switch
  EXPECT_NE(audio::frmMusic().Timer1.Enabled(), before);
  platform::headless::PressKey(platform::Key::M, platform::kCtrlMask);  // not a shortcut
  EXPECT_NE(audio::frmMusic().Timer1.Enabled(), before);
}

}  // namespace
}  // namespace game::testing
