// SPDX-License-Identifier: MIT
// SDL's audio device, which plays the mix of the wave-output voices.
#include "platform/sdl/wave_out_device.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/winmm/wave_out_mixer.h"

namespace platform::wave_out_sdl {
namespace {

enum class State { Closed, Opening, Open, Failed };

// How long closing waits for an opener. A driver may never answer (a sound server that
// accepted the connection and went silent, the disk driver's file a pipe nobody reads);
// the program must still end, so after this the opener is left to itself.
constexpr auto kOpenerWait = std::chrono::milliseconds(300);

// Opening an audio device can take a good part of a second (drivers are probed, a sound
// server is asked), so it runs on a thread of its own and the first screen does not wait
// for it. Voices opened meanwhile queue their buffers, which start to play once it is
// open. While the opener runs, the UI thread makes no SDL audio call and neither starts
// nor stops an SDL subsystem; it waits for the opener before it does.
struct Device {
  std::atomic<State> state{State::Closed};
  std::thread opener;
  std::mutex lock;
  std::condition_variable openerDone;
  bool openerRunning = false;  // under lock
  SDL_AudioDeviceID id = 0;    // set by the opener before it publishes Open
};

// Never destroyed: the opener may still run while the process exits.
Device& TheDevice() {
  static Device* device = new Device;
  return *device;
}

void SDLCALL FillBuffer(void* /*userdata*/, Uint8* stream, int length) {
  constexpr int kFrameBytes = wave_out_mixer::kOutputChannels * sizeof(float);
  detail::MixDeviceVoices(reinterpret_cast<float*>(stream), length / kFrameBytes);
}

void Fail(Device& d) {
  d.state = State::Failed;
  // Buffers queued while the device was being opened will never play.
  detail::FailDeviceBuffers();
}

void Open(Device& d) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Fail(d);
  SDL_AudioSpec wanted{};
  wanted.freq = wave_out_mixer::kOutputRate;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = wave_out_mixer::kOutputChannels;
  wanted.samples = wave_out_mixer::kBufferFrames;
  wanted.callback = FillBuffer;
  // No changes allowed: SDL converts to the device's own format, so the mixer's rate,
  // promised to voices before the device was open, holds.
  d.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (d.id == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return Fail(d);
  }
  SDL_PauseAudioDevice(d.id, 0);
  d.state = State::Open;
}

// False when the device was closed by a shutdown of SDL behind our back.
bool StillOpen(const Device& d) {
  return SDL_WasInit(SDL_INIT_AUDIO) && SDL_GetAudioDeviceStatus(d.id) != SDL_AUDIO_STOPPED;
}

// Starts opening the device unless it is open or being opened, and returns at once;
// false when no audio device can be opened (then it is not tried again until the device
// is chosen anew). If the opening fails later, the buffers queued meanwhile are marked
// done and Failed() turns true.
bool Acquire() {
  Device& d = TheDevice();
  const State state = d.state;
  if (state == State::Opening || state == State::Failed) return state == State::Opening;
  if (state == State::Open && StillOpen(d)) return true;
  FinishOpening();
  d.id = 0;
  d.state = State::Opening;
  {
    std::lock_guard guard(d.lock);
    d.openerRunning = true;
  }
  d.opener = std::thread([&d] {
    Open(d);
    SDL_TLSCleanup();  // SDL's per-thread data (its error text) of a thread it did not make
    std::lock_guard guard(d.lock);
    d.openerRunning = false;
    d.openerDone.notify_all();
  });
  return true;
}

bool Failed() {
  return TheDevice().state == State::Failed;
}

// Closes the device; called when its last voice closes. Does nothing while the opener
// is still at work.
void Release() {
  Device& d = TheDevice();
  if (!FinishOpening() || d.state != State::Open) return;
  if (StillOpen(d)) {
    SDL_CloseAudioDevice(d.id);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  d.id = 0;
  d.state = State::Closed;
}

void ForgetFailure() {
  Device& d = TheDevice();
  FinishOpening();
  if (d.state == State::Failed) d.state = State::Closed;
}

class SdlAudioDevice final : public detail::AudioDevice {
 public:
  bool Acquire() override { return wave_out_sdl::Acquire(); }
  bool Failed() override { return wave_out_sdl::Failed(); }
  void Release() override { wave_out_sdl::Release(); }
  void Chosen() override { ForgetFailure(); }
};

}  // namespace

bool FinishOpening() {
  Device& d = TheDevice();
  // An opener already left to itself is not waited for a second time.
  const auto limit = d.opener.joinable() ? kOpenerWait : std::chrono::milliseconds(0);
  std::unique_lock guard(d.lock);
  const bool finished = d.openerDone.wait_for(guard, limit, [&d] { return !d.openerRunning; });
  guard.unlock();
  if (d.opener.joinable()) finished ? d.opener.join() : d.opener.detach();
  return finished;
}

detail::AudioDevice& AudioDevice() {
  static SdlAudioDevice device;
  return device;
}

}  // namespace platform::wave_out_sdl
