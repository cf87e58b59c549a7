// SPDX-License-Identifier: MIT
#include "platform/web/audio_device.h"

#include <emscripten.h>

#include <vector>

// clang-format off
EM_JS(void, zt_audio_start, (), { Module.zt.audio.start(); });
EM_JS(void, zt_audio_stop, (), { Module.zt.audio.stop(); });
// clang-format on

namespace platform::web {
namespace {

class Device final : public detail::AudioDevice {
 public:
  bool Acquire() override {
    if (!playing_) zt_audio_start();
    playing_ = true;
    return true;
  }
  bool Failed() override { return false; }
  void Release() override {
    if (playing_) zt_audio_stop();
    playing_ = false;
  }
  void Chosen() override {}

 private:
  bool playing_ = false;
};

std::vector<float> mixed;

}  // namespace

detail::AudioDevice& WebAudioDevice() {
  static Device device;
  return device;
}

}  // namespace platform::web

// The page's pull: frames of the mix as interleaved stereo, in a buffer that stays valid
// until the next pull.
extern "C" EMSCRIPTEN_KEEPALIVE float* zt_mix(int frames) {
  using namespace platform;
  web::mixed.resize(std::size_t(frames) * wave_out_mixer::kOutputChannels);
  detail::MixDeviceVoices(web::mixed.data(), frames);
  return web::mixed.data();
}
