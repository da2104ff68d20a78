#include "platform/work/work_meter.h"

#include <sys/resource.h>

#include <algorithm>

#include "platform/work/load_quit.h"

namespace platform {
namespace {

thread_local LoadMeter* t_Load = nullptr;

}  // namespace

std::uint64_t ThreadUserCpuNanoseconds() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return static_cast<std::uint64_t>(usage.ru_utime.tv_sec) * 1'000'000'000u +
         static_cast<std::uint64_t>(usage.ru_utime.tv_usec) * 1'000u;
}

LoadMeter::LoadMeter(std::uint64_t budgetNs) : m_Outer(t_Load) {
  const std::uint64_t now = ThreadUserCpuNanoseconds();
  m_DeadlineNs = now + budgetNs;
  if (m_Outer != nullptr) m_DeadlineNs = std::min(m_DeadlineNs, m_Outer->m_DeadlineNs);
  t_Load = this;
}

LoadMeter::~LoadMeter() { t_Load = m_Outer; }

WorkVerdict CheckLoadWork() {
  return t_Load == nullptr ? WorkVerdict::kGoOn : CheckLoadWork(ThreadUserCpuNanoseconds());
}

WorkVerdict CheckLoadWork(std::uint64_t cpuNowNs) {
  if (t_Load == nullptr) return WorkVerdict::kGoOn;
  if (LoadsMustStop()) return WorkVerdict::kQuit;
  // At the deadline already: the clock moves by ticks, and a budget of 0 is spent.
  return cpuNowNs >= t_Load->m_DeadlineNs ? WorkVerdict::kTooSlow : WorkVerdict::kGoOn;
}

RateMeter::RateMeter(std::uint64_t storeNs) : m_StoreNs(storeNs), m_BalanceNs(static_cast<std::int64_t>(storeNs)) {
  Start();
}

void RateMeter::Start() { m_LastNs = ThreadUserCpuNanoseconds(); }

void RateMeter::Earn(std::uint64_t ns) {
  const auto store = static_cast<std::int64_t>(m_StoreNs);
  m_BalanceNs = ns >= m_StoreNs ? store : std::min(store, m_BalanceNs + static_cast<std::int64_t>(ns));
}

WorkVerdict RateMeter::Check() {
  if (m_TooSlow) return WorkVerdict::kTooSlow;
  const std::uint64_t now = ThreadUserCpuNanoseconds();
  m_BalanceNs -= static_cast<std::int64_t>(now - m_LastNs);
  m_LastNs = now;
  const WorkVerdict load = CheckLoadWork(now);
  m_TooSlow = load == WorkVerdict::kTooSlow || m_BalanceNs < 0;
  return m_TooSlow ? WorkVerdict::kTooSlow : load;
}

}  // namespace platform
