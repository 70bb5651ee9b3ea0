#pragma once

#include <QGuiApplication>

namespace ventaro {

// The busy cursor for the life of a scope, restored also when the scope is left by an error.
class CursorOcupado {
  public:
    CursorOcupado() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QGuiApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado&) = delete;
    CursorOcupado& operator=(const CursorOcupado&) = delete;
};

}  // namespace ventaro
