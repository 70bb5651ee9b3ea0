#pragma once

#include <array>
#include <cassert>

namespace ventaro {

// Twelve monthly values indexed by the month number, January = 1. The only place where the
// 1-based month becomes a 0-based index.
template <typename T>
class Mensal {
  public:
    T& operator[](int mes) {
        assert(mes >= 1 && mes <= 12);
        return valores_[static_cast<std::size_t>(mes - 1)];
    }
    const T& operator[](int mes) const {
        assert(mes >= 1 && mes <= 12);
        return valores_[static_cast<std::size_t>(mes - 1)];
    }
    bool operator==(const Mensal&) const = default;

  private:
    std::array<T, 12> valores_{};
};

}  // namespace ventaro
