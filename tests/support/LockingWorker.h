#pragma once
// A worker thread that takes a control's lock, to see whether another
// thread holds it.

#include <atomic>
#include <thread>

#include "components/foundation/kComponent.h"

// Locks from a worker; true once it holds the lock.
class TLockingWorker {
public:
    explicit TLockingWorker(TkComponent* Component)
        : FThread([this, Component] {
              Started = true;
              Component->Lock();
              Acquired = true;
              Component->Unlock();
          })
    {
    }
    ~TLockingWorker() { Join(); }
    void WaitStarted()
    {
        while (!Started) std::this_thread::yield();
    }
    void Join()
    {
        if (FThread.joinable()) FThread.join();
    }

    std::atomic<bool> Started{false};
    std::atomic<bool> Acquired{false};

private:
    std::thread FThread;
};
