#pragma once
// Named pipes where a file is expected. A reader that opened one the
// ordinary way would wait for a writer for ever (a writer for a reader):
// one that comes and goes at once wakes it, so that the test fails instead
// of hanging.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/System.h"
#include "support/MessageOf.h"

// A pipe at Path, with no writer.
inline void MakePipe(const String& Path) { ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0) << Path; }

// Opens and closes both ends of a pipe now and then, for as long as it
// lives.
class TPipeWaker {
public:
    explicit TPipeWaker(const String& Path)
        : FThread([this, Path] {
              while (!FDone) {
                  // A reader first, so that a writer waiting for one goes on.
                  const int reader = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                  const int writer = ::open(Path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (writer >= 0) ::close(writer);
                  if (reader >= 0) ::close(reader);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          })
    {
    }
    ~TPipeWaker()
    {
        FDone = true;
        FThread.join();
    }
    TPipeWaker(const TPipeWaker&) = delete;
    TPipeWaker& operator=(const TPipeWaker&) = delete;

private:
    std::atomic<bool> FDone{false};
    std::thread FThread;
};

// The message of what Load raises, given the pipe at Path: a reader that
// waited on it reads it empty once woken.
template <class... Kinds, class F>
String MessageOfPipeLoad(const String& Path, F&& Load)
{
    TPipeWaker waker(Path);
    return MessageOf<Kinds...>(Load);
}
