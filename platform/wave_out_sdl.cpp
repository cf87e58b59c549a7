#include <SDL.h>

#include "platform/wave_out_mixer.h"

namespace platform::wave_out_sdl {
namespace {

// Touched only on the UI thread.
SDL_AudioDeviceID device = 0;
int deviceRate = 0;
bool failed = false;

void SDLCALL FillBuffer(void* /*userdata*/, Uint8* stream, int length) {
  constexpr int kFrameBytes = wave_out_mixer::kOutputChannels * sizeof(float);
  wave_out_mixer::Mix(WaveOutBackend::Sdl, reinterpret_cast<float*>(stream), length / kFrameBytes);
}

bool StillOpen() {
  return device != 0 && SDL_WasInit(SDL_INIT_AUDIO) &&
         SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_STOPPED;
}

}  // namespace

int Acquire() {
  if (StillOpen()) return deviceRate;
  device = 0;  // never opened, or closed by a shutdown of SDL behind our back
  if (failed) return 0;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    failed = true;
    return 0;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = 44100;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = wave_out_mixer::kOutputChannels;
  wanted.samples = kBufferFrames;
  wanted.callback = FillBuffer;
  SDL_AudioSpec obtained{};
  device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failed = true;
    return 0;
  }
  deviceRate = obtained.freq;
  SDL_PauseAudioDevice(device, 0);
  return deviceRate;
}

void Release() {
  if (device == 0) return;
  SDL_CloseAudioDevice(device);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device = 0;
}

void ForgetFailure() {
  failed = false;
}

}  // namespace platform::wave_out_sdl
