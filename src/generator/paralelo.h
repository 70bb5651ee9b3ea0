#pragma once

#include <cstddef>
#include <functional>

namespace ventaro {

// Days per piece of work when a pass over the days is split between threads.
inline constexpr std::size_t kDiasPorBloco = 2048;

// Runs tarefa(0) ... tarefa(n - 1), in any order, on the calling thread and, when the machine
// has more than one core and `com_ajudante` is set, on one helper thread. Meant for independent
// pieces of work whose results do not depend on which thread does them. An exception thrown by
// a task is rethrown here after both threads have stopped.
void ExecutarEmParalelo(std::size_t n, bool com_ajudante,
                        const std::function<void(std::size_t)>& tarefa);
inline void ExecutarEmParalelo(std::size_t n, const std::function<void(std::size_t)>& tarefa) {
    ExecutarEmParalelo(n, true, tarefa);
}

// Runs `primeira` on the calling thread and `segunda` at the same time on a helper thread (or
// after `primeira` when no thread can be started), for two independent pieces of work. An
// exception thrown by either is rethrown here, after both have stopped; the first piece's
// comes first.
void ExecutarLadoALado(const std::function<void()>& primeira, const std::function<void()>& segunda);

}  // namespace ventaro
