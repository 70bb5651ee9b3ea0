#pragma once

#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace ventaro {

class Dialogos;

// What a panel library needs of the window that hosts it: a place for embedded panels, the
// menu items that show them, the status bar and the dialogs. The main window implements it;
// panels never see the window itself.
class JanelaPaineis {
  public:
    virtual ~JanelaPaineis() = default;

    // Parent of the embedded panels.
    virtual QWidget* AreaPaineis() = 0;
    virtual Dialogos& Dlg() = 0;
    // Menu item by component name ("mmiImportarDadosANA", ...); nullptr if none.
    virtual QAction* Item(const QString& nome) const = 0;
    // Adds an embedded panel, hidden. With `item`, that menu item is enabled and shows the
    // panel, after which `ao_mostrar` fills it (an error it throws is reported to the user).
    virtual void RegistrarPainel(QWidget* painel, QAction* item = nullptr,
                                 std::function<void()> ao_mostrar = {}) = 0;
    // Hides the other panels and shows this one.
    virtual void MostrarPainel(QWidget* painel) = 0;
    // Text of the status bar's first panel.
    virtual void DefinirStatus(const QString& texto) = 0;
    // Tells the user what a command did ("Série salva em ..."): the status bar's second panel
    // shows it whenever no hint is shown, until the stations or the settings change.
    virtual void Avisar(const QString& texto) = 0;
};

}  // namespace ventaro
