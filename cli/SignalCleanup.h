#pragma once

#include <signal.h>

#include <cstddef>

// The staged files (and a folder made for them) that SIGINT, SIGTERM or SIGHUP removes before
// the signal ends the program, so an interrupted run leaves nothing half-made behind.
//
// A signal may arrive at any instruction, so the handler reads only what is complete: each
// name is written into a fixed slot of memory that is never moved or freed, and only then is
// the slot marked live. The handler removes with unlinkat() relative to an open folder, which
// is async-signal-safe, and then lets the signal end the program as it would have (exit status
// 130, 143 or 129 in a shell).
class SignalCleanup {
 public:
  // Staged names are this short and of one length, so any legal target name can be staged.
  static constexpr std::size_t kNameLength = 12;

  // Catches the three signals, except one that is ignored (as under nohup).
  static void Install();

  // Marks folder/name (kNameLength bytes) for removal and returns its slot; Drop unmarks it.
  static std::size_t Add(int folder, const char* name);
  static void Drop(std::size_t slot);

  // One folder, name within parent, removed (when empty) after the files.
  static void SetFolder(int parent, const char* name);
  static void DropFolder();

  // Holds the three signals back while it lives: a signal then waits until files and names
  // agree again, for example until a batch is replaced whole or put back whole.
  class Deferred {
   public:
    Deferred();
    ~Deferred();
    Deferred(const Deferred&) = delete;
    Deferred& operator=(const Deferred&) = delete;

   private:
    sigset_t previous_;
  };
};
