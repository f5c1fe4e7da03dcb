// Threads of the plugin's own, run as real threads: each waits in its
// message loop, where the low-level hooks it installed are called, as on
// Windows. So that tests stay deterministic, whoever starts a thread, posts
// to it or hands it a keystroke waits until it is idle in its loop again (or
// has ended): the fake's threads are never behind. The test's own thread
// waits meanwhile, so the desktop's state is never touched by two at once.
#include "tests/fake/fake_desktop.h"

#include "tests/fake/fake_state.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace fake {
namespace {

constexpr platform::ThreadId kFirstThread = 1000;

struct FakeThread {
  std::thread thread;
  bool hasQueue = false;
  std::deque<std::uint32_t> posted;
  std::function<void()> hookCall;
  bool idle = false;  // waiting in its loop with nothing to do
  bool ended = false;
};

struct Threads {
  std::mutex mutex;
  std::condition_variable changed;
  std::map<platform::ThreadId, std::unique_ptr<FakeThread>> threads;
  platform::ThreadId next = kFirstThread;
  std::map<platform::ModuleHandle, int> moduleReferences;
  int exitsReleasingModule = 0;
};

// Never destroyed: a run that ends with a thread of the plugin's still in
// its loop (a fuzz run's last session) must not destroy a joinable thread.
Threads& threads() {
  static Threads& instance = *new Threads();
  return instance;
}

thread_local platform::ThreadId thisThread = 0;

// Wakes `thread` and waits until it is idle again or has ended.
void WakeAndWait(std::unique_lock<std::mutex>& lock, FakeThread& thread) {
  thread.idle = false;
  threads().changed.notify_all();
  threads().changed.wait(lock, [&] { return thread.idle || thread.ended; });
}

FakeThread* Find(platform::ThreadId id) {
  const auto it = threads().threads.find(id);
  return it == threads().threads.end() ? nullptr : it->second.get();
}

}  // namespace

platform::ThreadId callingThread() { return thisThread; }

platform::LongResult callOnOwnerThread(const Hook& hook, platform::WordParam wParam,
                                       platform::LongParam lParam) {
  const UncountedAllocations bookkeeping;
  std::unique_lock<std::mutex> lock(threads().mutex);
  FakeThread* const owner = Find(hook.owner);
  if (owner == nullptr || owner->ended || hook.owner == thisThread) {
    lock.unlock();
    return hook.proc(0, wParam, lParam);
  }
  platform::LongResult result = 0;
  owner->hookCall = [&] {
    const CountedAllocations hookProcedure;
    result = hook.proc(0, wParam, lParam);
  };
  WakeAndWait(lock, *owner);
  return result;
}

int liveThreads() {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  int live = 0;
  for (const auto& entry : threads().threads) live += entry.second->ended ? 0 : 1;
  return live;
}

int moduleReferences(platform::ModuleHandle module) {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  const auto it = threads().moduleReferences.find(module);
  return it == threads().moduleReferences.end() ? 0 : it->second;
}

int exitsReleasingModule() {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  return threads().exitsReleasingModule;
}

void endThreads() {
  std::unique_lock<std::mutex> lock(threads().mutex);
  for (auto& entry : threads().threads) {
    FakeThread& thread = *entry.second;
    if (thread.ended) continue;
    thread.posted.push_back(platform::kMessageQuit);
    WakeAndWait(lock, thread);
  }
  auto ending = std::move(threads().threads);
  threads().threads.clear();
  threads().moduleReferences.clear();
  threads().exitsReleasingModule = 0;
  lock.unlock();
  for (auto& entry : ending) entry.second->thread.join();
}

}  // namespace fake

namespace platform {

using fake::threads;

ThreadId startThread(ThreadProc proc, void* parameter) {
  const fake::UncountedAllocations bookkeeping;
  std::unique_lock<std::mutex> lock(threads().mutex);
  const ThreadId id = threads().next++;
  auto owned = std::make_unique<fake::FakeThread>();
  fake::FakeThread& thread = *owned;
  threads().threads[id] = std::move(owned);
  thread.thread = std::thread([proc, parameter, id, &thread] {
    fake::thisThread = id;
    {
      const fake::CountedAllocations ours;
      proc(parameter);
    }
    const std::lock_guard<std::mutex> ended(threads().mutex);
    thread.ended = true;
    threads().changed.notify_all();
  });
  threads().changed.wait(lock, [&] { return thread.idle || thread.ended; });
  return id;
}

ThreadId currentThreadId() { return fake::thisThread != 0 ? fake::thisThread : fake::kGuiThread; }

void createMessageQueue() {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  if (fake::FakeThread* const thread = fake::Find(fake::thisThread)) thread->hasQueue = true;
}

bool waitForThreadMessage(std::uint32_t& message) {
  std::unique_lock<std::mutex> lock(threads().mutex);
  fake::FakeThread* const thread = fake::Find(fake::thisThread);
  if (thread == nullptr || !thread->hasQueue) return false;
  for (;;) {
    if (thread->hookCall) {
      const std::function<void()> call = std::move(thread->hookCall);
      thread->hookCall = nullptr;
      lock.unlock();
      call();
      lock.lock();
      continue;
    }
    if (!thread->posted.empty()) {
      message = thread->posted.front();
      thread->posted.pop_front();
      return message != kMessageQuit;
    }
    thread->idle = true;
    threads().changed.notify_all();
    threads().changed.wait(lock, [&] { return !thread->idle; });
  }
}

bool postThreadMessage(ThreadId id, std::uint32_t message) {
  const fake::UncountedAllocations bookkeeping;
  std::unique_lock<std::mutex> lock(threads().mutex);
  fake::FakeThread* const thread = fake::Find(id);
  if (thread == nullptr || !thread->hasQueue || thread->ended) return false;
  thread->posted.push_back(message);
  if (id != fake::thisThread) fake::WakeAndWait(lock, *thread);
  return true;
}

bool referenceModule(ModuleHandle module) {
  const fake::UncountedAllocations bookkeeping;
  const std::lock_guard<std::mutex> lock(threads().mutex);
  ++threads().moduleReferences[module];
  return true;
}

void releaseModule(ModuleHandle module) {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  --threads().moduleReferences[module];
}

void exitThreadReleasingModule(ModuleHandle module) {
  const std::lock_guard<std::mutex> lock(threads().mutex);
  --threads().moduleReferences[module];
  ++threads().exitsReleasingModule;
}

}  // namespace platform
