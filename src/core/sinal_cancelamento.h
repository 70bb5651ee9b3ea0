#pragma once

#include <atomic>

namespace ventaro {

// The cancel request of one piece of long work (a run, a batch). Whoever starts the work
// creates it; any thread may cancel; the work reads it at its check points. It is never cleared:
// a request made before the work reached its first check point is not lost.
class SinalCancelamento {
  public:
    void Cancelar() { cancelado_.store(true, std::memory_order_relaxed); }
    bool Cancelado() const { return cancelado_.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> cancelado_{false};
};

}  // namespace ventaro
