#include "cli/SignalCleanup.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A slot is live while its folder is an open descriptor; the name is complete before that.
struct Slot {
  char name[SignalCleanup::kNameLength + 1] = {};
  std::atomic<int> folder{-1};
};
static_assert(std::atomic<int>::is_always_lock_free);

// Slots come in blocks that are never moved or freed; a new block is linked in only once
// made, so the handler never sees a half-made one.
constexpr std::size_t kBlockSlots = 1024;
struct Block {
  Slot slots[kBlockSlots];
  std::atomic<Block*> next{nullptr};
};
static_assert(std::atomic<Block*>::is_always_lock_free);

Block first;
std::size_t used = 0;  // slots handed out, all in blocks linked from first

struct FolderSlot {
  char name[NAME_MAX + 1] = {};
  std::atomic<int> parent{-1};
};
FolderSlot folder;

Slot& SlotAt(std::size_t index) {
  Block* block = &first;
  for (std::size_t b = index / kBlockSlots; b > 0; --b) block = block->next.load();
  return block->slots[index % kBlockSlots];
}

extern "C" void RemoveStaged(int signal) {
  const int saved = errno;
  for (Block* block = &first; block != nullptr; block = block->next.load()) {
    for (Slot& slot : block->slots) {
      const int at = slot.folder.load();
      if (at >= 0) ::unlinkat(at, slot.name, 0);
    }
  }
  const int parent = folder.parent.load();
  if (parent >= 0) ::unlinkat(parent, folder.name, AT_REMOVEDIR);
  // The default action, once the handler returns: the program ends by this signal.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  ::sigaction(signal, &action, nullptr);
  ::raise(signal);
  errno = saved;
}

sigset_t HandledSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kSignals) sigaddset(&set, signal);
  return set;
}

}  // namespace

void SignalCleanup::Install() {
  for (const int signal : kSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveStaged;
    action.sa_mask = HandledSignals();
    ::sigaction(signal, &action, nullptr);
  }
}

std::size_t SignalCleanup::Add(int at, const char* name) {
  const std::size_t index = used;
  if (index > 0 && index % kBlockSlots == 0) {
    Block* last = &first;
    while (Block* next = last->next.load()) last = next;
    last->next.store(new Block());  // lives as long as the program
  }
  Slot& slot = SlotAt(index);
  std::memcpy(slot.name, name, kNameLength);
  slot.folder.store(at);
  used = index + 1;
  return index;
}

void SignalCleanup::Drop(std::size_t index) { SlotAt(index).folder.store(-1); }

void SignalCleanup::SetFolder(int parent, const char* name) {
  folder.parent.store(-1);
  std::strncpy(folder.name, name, NAME_MAX);
  folder.parent.store(parent);
}

void SignalCleanup::DropFolder() { folder.parent.store(-1); }

SignalCleanup::Deferred::Deferred() {
  const sigset_t set = HandledSignals();
  ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

SignalCleanup::Deferred::~Deferred() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
