#include "ui/separador_decimal.h"

#include <QLocale>

namespace ventaro {

char SeparadorDecimalDoSistema() {
    const QString ponto = QLocale::system().decimalPoint();
    if (ponto.size() == 1 && ponto.front().unicode() < 0x80) {
        return static_cast<char>(ponto.front().unicode());
    }
    return '.';
}

}  // namespace ventaro
