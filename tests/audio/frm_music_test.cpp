// SPDX-License-Identifier: MIT
// The music screen: loading the five sounds, the music timer, the switch and the exit.
#include "audio/frm_music.h"

#include "game/game_state.h"
#include "tests/audio/sound_fixture.h"

namespace audiotest {
namespace {

using namespace audio;
using platform::wave_test::FinishBuffer;

class MusicTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    std::filesystem::create_directories(folder_ / "Sound");
    platform::SetProgramFolder(folder_);
  }
  void TearDown() override {
    game::MusicSlot = 0;
    SoundTest::TearDown();
  }
  void WriteSounds(std::initializer_list<const char*> names) {
    for (const char* name : names) Good(std::string("Sound/") + name);
  }
  static int Writes(std::int32_t slot) {
    int count = 0;
    for (const auto& call : platform::wave_test::Calls()) {
      count += call.name == "waveOutWrite" && call.device == DeviceOf(slot);
    }
    return count;
  }
};

const auto kAllFive = {"formal.wav", "shew.wav", "glass.wav", "ao.wav", "levelup.wav"};

TEST_F(MusicTest, LoadsTheFiveSoundsPlaysTheRankUpOnceAndHides) {
  WriteSounds(kAllFive);
  FrmMusic& music = frmMusic();
  EXPECT_EQ(music.Caption(), "Music");
  EXPECT_EQ(music.ClientWidth(), 6);
  EXPECT_EQ(music.ClientHeight(), 6);
  EXPECT_EQ(music.Timer1.Interval(), 20);
  EXPECT_FALSE(music.Timer1.Enabled());

  music.Show();
  EXPECT_FALSE(music.Visible());
  EXPECT_EQ(SoundNotifier, &music);
  EXPECT_TRUE(Boxes().empty());
  for (std::int32_t slot = SoundMusic; slot <= SoundRefuse; ++slot) {
    EXPECT_EQ(GetSoundState(slot), SlotReady) << slot;
    // Loaded in slot order (which orders the boxes of several bad files): each load opens
    // the test backend's next device.
    EXPECT_LT(DeviceOf(slot), DeviceOf(slot + 1)) << slot;
  }
  EXPECT_EQ(GetSoundState(SoundRankUp), SlotPlaying);
  EXPECT_EQ(GetSoundState(6), SlotEmpty);
}

TEST_F(MusicTest, AMissingMusicFileGivesOneBoxAndTheOthersStillWork) {
  WriteSounds({"shew.wav", "glass.wav", "ao.wav", "levelup.wav"});
  frmMusic().Show();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot open file"});
  game::MusicSlot = 1;
  frmMusic().Timer1.SetEnabled(true);
  platform::headless::RunTicks(frmMusic().Timer1, 3);
  EXPECT_EQ(GetSoundState(SoundMusic), SlotEmpty);
  EXPECT_EQ(StartSound(SoundTurn), kSoundTrue);
}

TEST_F(MusicTest, TheTimerRestartsTheMusicAfterItsEnd) {
  WriteSounds(kAllFive);
  FrmMusic& music = frmMusic();
  music.Show();
  music.Timer1.SetEnabled(true);
  platform::headless::RunTicks(music.Timer1, 2);  // MusicSlot 0: nothing to play
  EXPECT_EQ(GetSoundState(SoundMusic), SlotReady);

  game::MusicSlot = 1;
  platform::headless::RunTicks(music.Timer1, 1);
  EXPECT_EQ(GetSoundState(SoundMusic), SlotPlaying);
  platform::headless::RunTicks(music.Timer1, 3);
  EXPECT_EQ(Writes(SoundMusic), 1);  // playing: left alone

  FinishBuffer(DeviceOf(SoundMusic));
  platform::headless::RunTicks(music.Timer1, 1);
  EXPECT_EQ(Writes(SoundMusic), 2);  // from the beginning, at the first tick after the end
  EXPECT_EQ(GetSoundState(SoundMusic), SlotPlaying);
}

// The mix on the virtual clock, one buffer of the audio device at a time, while the music
// timer keeps the music going: no silence at a repeat.
TEST_F(MusicTest, TheMusicRepeatsWithoutASilenceBetween) {
  WriteSounds(kAllFive);
  Good("Sound/formal.wav", 22050);  // 0.5 s, never 0
  FrmMusic& music = frmMusic();
  music.Show();
  StopSound(SoundRankUp);
  game::MusicSlot = 1;
  ASSERT_EQ(StartSound(SoundMusic), kSoundTrue);  // as the menu does
  music.Timer1.SetEnabled(true);
  constexpr int kBuffer = 512;
  std::vector<float> out(2 * kBuffer), heard;
  for (int pass = 0; pass < 200; ++pass) {  // 2.3 s: four repeats
    platform::wave_test::Mix(out.data(), kBuffer);
    for (int i = 0; i < kBuffer; ++i) heard.push_back(out[2 * i]);
    platform::headless::AdvanceMs(1000.0 * kBuffer / 44100);
  }
  std::size_t longest = 0, run = 0;
  for (float sample : heard) {
    run = sample == 0 ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LT(longest, 44u) << "frames of silence: under 1 ms";
  EXPECT_GE(Writes(SoundMusic), 5);
}

TEST_F(MusicTest, TheSwitchSilencesEverythingAndTogglesTheTimer) {
  WriteSounds(kAllFive);
  FrmMusic& music = frmMusic();
  music.Show();
  game::MusicSlot = 1;
  music.Timer1.SetEnabled(true);
  platform::headless::RunTicks(music.Timer1, 1);
  ASSERT_EQ(StartSound(SoundLine), kSoundTrue);

  music.MusicSwitch();
  EXPECT_FALSE(music.Timer1.Enabled());
  EXPECT_EQ(platform::wave_test::QueuedBuffers(DeviceOf(SoundMusic)), 0u);
  EXPECT_EQ(platform::wave_test::QueuedBuffers(DeviceOf(SoundLine)), 0u);
  platform::headless::AdvanceMs(500);
  EXPECT_EQ(GetSoundState(SoundMusic), SlotReady);  // and stays off

  music.MusicSwitch();
  EXPECT_TRUE(music.Timer1.Enabled());
  platform::headless::RunTicks(music.Timer1, 1);
  EXPECT_EQ(GetSoundState(SoundMusic), SlotPlaying);
  EXPECT_EQ(Writes(SoundMusic), 2);
}

TEST_F(MusicTest, ClosingFreesTheEngineAndEndsTheProgram) {
  WriteSounds(kAllFive);
  frmMusic().Show();
  const platform::HWND window = NotifyWindow();
  frmMusic().Close();
  for (std::int32_t slot = 1; slot <= 5; ++slot) EXPECT_EQ(GetSoundState(slot), SlotEmpty);
  EXPECT_EQ(platform::wave_test::OpenDevices(), 0);
  EXPECT_EQ(NotifyWindow(), 0u);
  EXPECT_FALSE(platform::PostMessageA(window, platform::MM_WOM_DONE, 0, 0));
  EXPECT_EQ(SoundNotifier, nullptr);
  EXPECT_TRUE(platform::headless::Ended());
}

TEST_F(MusicTest, TheGamesOwnSoundsLoadWithoutAMessage) {
  const std::filesystem::path program = ZT_PROGRAM_DIR;
  for (const char* name : kAllFive) {
    if (!std::filesystem::exists(program / "Sound" / name)) GTEST_SKIP() << "sounds not built";
  }
  platform::SetProgramFolder(program);
  frmMusic().Show();
  EXPECT_TRUE(Boxes().empty());
  for (std::int32_t slot = SoundMusic; slot <= SoundRankUp; ++slot) {
    EXPECT_NE(DeviceOf(slot), 0u) << slot;
  }
  EXPECT_EQ(GetSoundState(SoundRankUp), SlotPlaying);
}

}  // namespace
}  // namespace audiotest
