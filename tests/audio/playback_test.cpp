// SPDX-License-Identifier: MIT
// Playback: the slot states around start, stop, the device's done message, freeing and
// the listener, on the test wave-output backend where a test decides when a buffer ends.
#include "platform/winmm/wave_out.h"
#include "platform/winmm/wave_out_mixer.h"
#include "tests/audio/sound_fixture.h"

namespace audiotest {
namespace {

using namespace audio;
using platform::wave_test::FinishBuffer;
using Calls = std::vector<std::string>;

TEST_F(SoundTest, PlaysUntilTheDoneMessageIsHandled) {
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  EXPECT_EQ(GetSoundState(2), SlotReady);
  EXPECT_EQ(StartSound(2), kSoundTrue);
  EXPECT_EQ(GetSoundState(2), SlotPlaying);
  EXPECT_EQ(platform::wave_test::QueuedBuffers(DeviceOf(2)), 1u);

  std::int32_t stateDuringEnd = 0;
  listener.onEnd = [&](std::int32_t slot) {
    stateDuringEnd = GetSoundState(slot);
    EXPECT_EQ(StartSound(slot), kSoundFalse);  // still playing: a restart is refused
  };
  ASSERT_TRUE(FinishBuffer(DeviceOf(2)));
  EXPECT_EQ(GetSoundState(2), SlotPlaying);  // the message is not handled yet
  Pump();
  EXPECT_EQ(stateDuringEnd, SlotPlaying);
  EXPECT_EQ(GetSoundState(2), SlotReady);
  EXPECT_EQ(listener.calls, (Calls{"loaded 2", "start 2", "end 2"}));
  EXPECT_EQ(StartSound(2), kSoundTrue);  // and again from the beginning
}

TEST_F(SoundTest, StartingAPlayingSlotCutsItOffWithoutRestart) {
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  platform::wave_test::ClearCalls();
  EXPECT_EQ(StartSound(2), kSoundFalse);
  EXPECT_EQ(DeviceCalls(), Calls{"waveOutReset"});
  EXPECT_EQ(platform::wave_test::QueuedBuffers(DeviceOf(2)), 0u);  // silent now
  EXPECT_EQ(GetSoundState(2), SlotPlaying);
  EXPECT_EQ(StartSound(2), kSoundFalse);
  Pump();
  EXPECT_EQ(GetSoundState(2), SlotReady);
  EXPECT_EQ(StartSound(2), kSoundTrue);
}

TEST_F(SoundTest, StopLeavesTheSlotPlayingUntilTheDoneMessage) {
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(3, Good()), kSoundTrue);
  platform::wave_test::ClearCalls();
  StopSound(3);  // ready, not playing: nothing happens
  StopSound(-1);
  EXPECT_TRUE(DeviceCalls().empty());
  EXPECT_EQ(GetSoundState(3), SlotReady);

  ASSERT_EQ(StartSound(3), kSoundTrue);
  StopSound(3);
  EXPECT_EQ(GetSoundState(3), SlotPlaying);
  Pump();
  EXPECT_EQ(GetSoundState(3), SlotReady);
  EXPECT_EQ(listener.calls, (Calls{"loaded 3", "start 3", "end 3"}));
}

TEST_F(SoundTest, StopAllStopsEveryPlayingSlot) {
  for (std::int32_t slot : {1, 4, 32}) ASSERT_EQ(Load(slot, Good()), kSoundTrue);
  ASSERT_EQ(Load(5, Good()), kSoundTrue);
  for (std::int32_t slot : {1, 4, 32}) ASSERT_EQ(StartSound(slot), kSoundTrue);
  platform::wave_test::ClearCalls();
  StopSound(-1);
  EXPECT_EQ(DeviceCalls(), (Calls{"waveOutReset", "waveOutReset", "waveOutReset"}));
  Pump();
  for (std::int32_t slot : {1, 4, 5, 32}) EXPECT_EQ(GetSoundState(slot), SlotReady);
}

TEST_F(SoundTest, FreeWhenDoneEmptiesTheSlotAfterItsEnd) {
  Recorder listener;
  SoundNotifier = &listener;
  const std::int32_t flags = FreeWhenDone;
  ASSERT_EQ(Load(4, Good(), flags), kSoundTrue);
  ASSERT_EQ(StartSound(4), kSoundTrue);
  FinishBuffer(DeviceOf(4));
  Pump();
  EXPECT_EQ(GetSoundState(4), SlotEmpty);
  EXPECT_EQ(SoundSlots[3].Flags, FreeWhenDone);  // kept when freed
  EXPECT_EQ(listener.calls, (Calls{"loaded 4", "start 4", "end 4", "unloaded 4"}));

  ASSERT_EQ(Load(4, Good(), flags), kSoundTrue);  // and after a stop
  ASSERT_EQ(StartSound(4), kSoundTrue);
  StopSound(4);
  EXPECT_EQ(GetSoundState(4), SlotPlaying);
  Pump();
  EXPECT_EQ(GetSoundState(4), SlotEmpty);
  EXPECT_EQ(platform::wave_test::OpenDevices(), 0);
}

TEST_F(SoundTest, PlayOnLoadStartsAtOnceAndNoNotifyKeepsTheListenerQuiet) {
  Recorder listener;
  SoundNotifier = &listener;
  const std::int32_t play = PlayOnLoad;
  ASSERT_EQ(Load(1, Good(), play), kSoundTrue);
  EXPECT_EQ(GetSoundState(1), SlotPlaying);
  EXPECT_EQ(listener.calls, (Calls{"loaded 1", "start 1"}));

  const std::int32_t quiet = PlayOnLoad | NoNotify | 8;  // unknown bits are ignored
  ASSERT_EQ(Load(2, Good(), quiet), kSoundTrue);
  FinishBuffer(DeviceOf(2));
  Pump();
  UnloadSound(2);
  EXPECT_EQ(listener.calls, (Calls{"loaded 1", "start 1"}));
}

TEST_F(SoundTest, UnloadingAPlayingSlotClosesItsDeviceAtOnce) {
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  ASSERT_EQ(Load(3, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  ASSERT_EQ(StartSound(3), kSoundTrue);
  const platform::HWAVEOUT closed = DeviceOf(2);
  platform::wave_test::ClearCalls();
  listener.calls.clear();

  UnloadSound(2);
  EXPECT_EQ(DeviceCalls(), (Calls{"waveOutReset", "waveOutUnprepareHeader", "waveOutClose"}));
  EXPECT_EQ(GetSoundState(2), SlotEmpty);
  EXPECT_EQ(DeviceOf(2), 0u);
  EXPECT_TRUE(SoundSlots[1].Samples.empty());
  EXPECT_EQ(SoundSlots[1].Header.lpData, nullptr);
  EXPECT_EQ(listener.calls, Calls{"unloaded 2"});

  // A new sound in the same slot gets a new handle: the late done message of the closed
  // device matches no slot and changes nothing.
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  EXPECT_NE(DeviceOf(2), closed);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  Pump();
  EXPECT_EQ(GetSoundState(2), SlotPlaying);
  EXPECT_EQ(GetSoundState(3), SlotPlaying);
  EXPECT_EQ(listener.calls, (Calls{"unloaded 2", "loaded 2", "start 2"}));
}

TEST_F(SoundTest, LoadingIntoAPlayingSlotStopsAndFreesTheOldSoundFirst) {
  Recorder listener;
  SoundNotifier = &listener;
  ASSERT_EQ(Load(5, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(5), kSoundTrue);
  platform::wave_test::ClearCalls();
  ASSERT_EQ(Load(5, Good("other.wav")), kSoundTrue);
  EXPECT_EQ(DeviceCalls(), (Calls{"waveOutReset", "waveOutUnprepareHeader", "waveOutClose",
                                  "waveOutOpen", "waveOutPrepareHeader"}));
  EXPECT_EQ(GetSoundState(5), SlotReady);
  Pump();
  EXPECT_EQ(GetSoundState(5), SlotReady);
  EXPECT_EQ(listener.calls, (Calls{"loaded 5", "start 5", "unloaded 5", "loaded 5"}));
  EXPECT_EQ(platform::wave_test::OpenDevices(), 1);
}

TEST_F(SoundTest, UnloadAllTellsTheListenerInSlotOrder) {
  Recorder listener;
  SoundNotifier = &listener;
  for (std::int32_t slot : {7, 2, 30, 5}) ASSERT_EQ(Load(slot, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(30), kSoundTrue);
  listener.calls.clear();
  UnloadSound(-1);
  EXPECT_EQ(listener.calls, (Calls{"unloaded 2", "unloaded 5", "unloaded 7", "unloaded 30"}));
  for (std::int32_t slot = 1; slot <= 32; ++slot) EXPECT_EQ(GetSoundState(slot), SlotEmpty);
  EXPECT_EQ(platform::wave_test::OpenDevices(), 0);
  UnloadSound(-1);  // nothing left: no call at all
  EXPECT_EQ(listener.calls.size(), 4u);
}

TEST_F(SoundTest, WithoutAListenerEverythingWorks) {
  const std::int32_t flags = FreeWhenDone;
  ASSERT_EQ(Load(1, Good(), flags), kSoundTrue);
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(1), kSoundTrue);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  FinishBuffer(DeviceOf(1));
  StopSound(2);
  Pump();
  EXPECT_EQ(GetSoundState(1), SlotEmpty);
  EXPECT_EQ(GetSoundState(2), SlotReady);
  UnloadSound(-1);
  EXPECT_EQ(GetSoundState(2), SlotEmpty);
}

TEST_F(SoundTest, TheNotificationWindowIsMadeOnceAndPassesMessagesOn) {
  EXPECT_EQ(NotifyWindow(), 0u);
  ASSERT_EQ(Load(1, Good()), kSoundTrue);
  const platform::HWND window = NotifyWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(CreateNotifyWindow(), kSoundFalse);
  ASSERT_EQ(Load(2, Good()), kSoundTrue);
  EXPECT_EQ(NotifyWindow(), window);
  EXPECT_EQ(FindSoundByDevice(DeviceOf(2)), 2);
  EXPECT_EQ(FindSoundByDevice(12345), 0);

  // Done messages for no device, or for one no slot owns, leave every slot alone.
  ASSERT_EQ(StartSound(1), kSoundTrue);
  NotifyWindowProc(window, platform::MM_WOM_DONE, 0, 0);
  NotifyWindowProc(window, platform::MM_WOM_DONE, 12345, 0);
  NotifyWindowProc(window, platform::MM_WOM_OPEN, DeviceOf(1), 0);
  EXPECT_EQ(GetSoundState(1), SlotPlaying);
  for (std::int32_t slot = 3; slot <= 32; ++slot) EXPECT_EQ(GetSoundState(slot), SlotEmpty);

  ShutdownSounds();
  EXPECT_EQ(NotifyWindow(), 0u);
  EXPECT_EQ(GetSoundState(1), SlotEmpty);
  EXPECT_FALSE(platform::PostMessageA(window, platform::MM_WOM_DONE, 0, 0));  // destroyed
}

TEST_F(SoundTest, TheListenerMayFreeTheSlotWhileHearingItsEnd) {
  Recorder listener;
  SoundNotifier = &listener;
  listener.onEnd = [](std::int32_t slot) { UnloadSound(slot); };
  ASSERT_EQ(Load(6, Good()), kSoundTrue);
  ASSERT_EQ(StartSound(6), kSoundTrue);
  FinishBuffer(DeviceOf(6));
  Pump();
  EXPECT_EQ(GetSoundState(6), SlotEmpty);  // not marked ready again
  EXPECT_EQ(DeviceOf(6), 0u);
}

// The mixer of the test devices.
TEST_F(SoundTest, SlotsMixTogetherAndAResetCutsOneOff) {
  using namespace wavtest;
  const auto dc = [&](const char* name, double level) {
    return Write(name,
                 Wav(FormatBody(kFloat, 1, 44100, 32), Square(44100, 1, level, 44100, kFloat, 32)));
  };
  ASSERT_EQ(Load(1, dc("a.wav", 0.25)), kSoundTrue);
  ASSERT_EQ(Load(2, dc("b.wav", 0.5)), kSoundTrue);
  ASSERT_EQ(Load(3, dc("c.wav", 0.75)), kSoundTrue);
  std::vector<float> out(2 * 128);
  ASSERT_EQ(StartSound(1), kSoundTrue);
  ASSERT_EQ(StartSound(2), kSoundTrue);
  platform::wave_test::Mix(out.data(), 128);
  EXPECT_FLOAT_EQ(out[100], 0.75f);
  ASSERT_EQ(StartSound(3), kSoundTrue);
  platform::wave_test::Mix(out.data(), 128);
  EXPECT_FLOAT_EQ(out[100], 1.0f);  // 1.5 clipped
  StopSound(2);
  StopSound(3);
  platform::wave_test::Mix(out.data(), 128);
  EXPECT_FLOAT_EQ(out[100], 0.25f);
}

// The mixer gives a buffer back a little before its end and plays the rest itself, so
// that a restart on the done message follows the last sample at once.
TEST_F(SoundTest, ABufferIsGivenBackBeforeItsEndAndARestartFollowsItSeamlessly) {
  using platform::wave_out_mixer::kLeadFrames;
  const int frames = kLeadFrames + 200;  // 16-bit mono at 44.1 kHz: one output frame each
  ASSERT_EQ(Load(1, Good("music.wav", frames)), kSoundTrue);
  ASSERT_EQ(StartSound(1), kSoundTrue);
  std::vector<float> out(2 * 128), heard;
  const auto pull = [&] {
    platform::wave_test::Mix(out.data(), 128);
    for (std::size_t i = 0; i < out.size(); i += 2) heard.push_back(out[i]);
    Pump();
  };
  pull();  // 128 frames in: more than kLeadFrames left
  EXPECT_EQ(GetSoundState(1), SlotPlaying);
  pull();
  EXPECT_EQ(GetSoundState(1), SlotReady);  // the rest is the mixer's now
  EXPECT_TRUE(SoundSlots[0].Header.dwFlags & platform::WHDR_DONE);
  pull();
  ASSERT_EQ(StartSound(1), kSoundTrue);  // as the music timer does
  while (heard.size() < 2u * frames + 300) pull();
  // The square wave of Good, twice in a row, without a frame missing or silent between.
  for (std::size_t i = 0; i < heard.size(); ++i) {
    const float expected = i >= 2u * frames ? 0.0f : ((i % frames) / 50) % 2 == 0 ? 0.5f : -0.5f;
    ASSERT_NEAR(heard[i], expected, 1e-4) << i;
  }
}

TEST_F(SoundTest, AResetAlsoSilencesTheRestAlreadyGivenBack) {
  ASSERT_EQ(Load(1, Good("short.wav", 1000)), kSoundTrue);
  ASSERT_EQ(StartSound(1), kSoundTrue);
  std::vector<float> out(2 * 128);
  platform::wave_test::Mix(out.data(), 128);
  Pump();
  ASSERT_EQ(GetSoundState(1), SlotReady);
  ASSERT_EQ(StartSound(1), kSoundTrue);  // queued behind the rest
  StopSound(1);
  platform::wave_test::Mix(out.data(), 128);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float s) { return s == 0; }));
}

}  // namespace
}  // namespace audiotest
