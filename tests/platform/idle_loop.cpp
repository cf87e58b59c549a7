// SPDX-License-Identifier: MIT
// A program that idles in the real event loop with one window and one 20 ms timer for a
// given number of seconds (default 10): run it under /usr/bin/time to see what idling costs.
// With a second argument every tick also refreshes the window: the cost of presenting.
#include <cstdio>
#include <cstdlib>

#include "platform/loop/system.h"
#include "platform/ui/form.h"

namespace {

class Idle : public platform::Form {
 public:
  Idle() {
    SetCaption("Zentorra idle");
    SetClientSize(1024, 768);
    music.OnTick = [this] { ++ticks; };
  }
  platform::Timer music{*this, 20, true};
  platform::Timer end{*this, 10000, true};
  int ticks = 0;
};

}  // namespace

int main(int argc, char** argv) {
  platform::InitDesktop();
  Idle& idle = platform::Instance<Idle>();
  if (argc > 1) idle.end.SetInterval(std::atoi(argv[1]) * 1000);
  if (argc > 2)
    idle.music.OnTick = [&idle] {
      ++idle.ticks;
      idle.Refresh();
    };
  idle.end.OnTick = [&idle] {
    std::printf("%d ticks of the 20 ms timer\n", idle.ticks);
    platform::EndProgram();
  };
  idle.Show();
  const int status = platform::Run();
  platform::Shutdown();
  return status;
}
