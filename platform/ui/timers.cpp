// SPDX-License-Identifier: MIT
#include <algorithm>

#include "platform/backend.h"
#include "platform/ui/form.h"

namespace platform {
namespace {
// In creation order: equal due times fire in this order. Never destroyed, as timers of
// forms still open at exit outlive static destruction.
auto& allTimers = *new std::vector<Timer*>;

bool Running(const Timer& timer) {
  const Form& form = timer.Owner();
  return timer.Enabled() && timer.Interval() > 0 && form.Loaded() && !form.Closing();
}
bool Alive(const Timer* timer) {
  return std::find(allTimers.begin(), allTimers.end(), timer) != allTimers.end();
}
}  // namespace

Timer::Timer(Form& form, int intervalMs, bool enabled)
    : form_(form), intervalMs_(std::max(intervalMs, 0)), enabled_(enabled) {
  form_.timers_.push_back(this);
  allTimers.push_back(this);
  dueMs_ = NowMs() + PeriodMs();
}

Timer::~Timer() {
  std::erase(form_.timers_, this);
  std::erase(allTimers, this);
}

void Timer::SetInterval(int ms) {
  intervalMs_ = std::max(ms, 0);
  if (enabled_) dueMs_ = NowMs() + PeriodMs();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled && !enabled_) dueMs_ = NowMs() + PeriodMs();
  enabled_ = enabled;
}

double Timer::PeriodMs() const {
  return std::max(double(intervalMs_), kMinTimerPeriodMs);
}

void Timer::Fire() {
  Fire(NowMs());
}

void Timer::Fire(double nowMs) {
  if (!enabled_) return;
  dueMs_ += PeriodMs();
  if (dueMs_ <= nowMs) dueMs_ = nowMs + PeriodMs();  // late: once, then back to the beat
  detail::HandlerScope scope;
  auto tick = OnTick;  // the handler may replace itself
  if (tick) tick();
}

namespace detail {

int FireDueTimers(double nowMs) {
  // Behind a message box the program stands still: its caller is waiting inside a handler
  // or a tick that no other tick may enter. Late timers fire once the box is closed.
  if (ModalForm()) return 0;
  std::vector<Timer*> due;
  for (Timer* timer : allTimers)
    if (Running(*timer) && timer->DueMs() <= nowMs) due.push_back(timer);
  std::stable_sort(due.begin(), due.end(),
                   [](const Timer* a, const Timer* b) { return a->DueMs() < b->DueMs(); });
  int fired = 0;
  for (Timer* timer : due) {
    // An earlier tick may have stopped, restarted or destroyed this timer.
    if (!Alive(timer) || !Running(*timer) || timer->DueMs() > nowMs) continue;
    timer->Fire(nowMs);
    ++fired;
  }
  return fired;
}

double NextTimerDueMs() {
  double next = kNoTimerDue;
  for (const Timer* timer : allTimers)
    if (Running(*timer)) next = std::min(next, timer->DueMs());
  return next;
}

void StartFormTimers(Form& form) {
  for (Timer* timer : allTimers)
    if (&timer->Owner() == &form && timer->Enabled()) timer->SetInterval(timer->Interval());
}

}  // namespace detail
}  // namespace platform
