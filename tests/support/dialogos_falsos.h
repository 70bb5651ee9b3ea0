#pragma once

#include <QString>
#include <QUrl>
#include <deque>
#include <optional>
#include <vector>

#include "ui/dialogos.h"

namespace ventaro::teste {

// Answers the window's dialogs from queues the test fills, and records what was asked.
class DialogosFalsos : public Dialogos {
  public:
    struct MensagemMostrada {
        Icone icone;
        QString titulo;
        QString texto;
        QString detalhe;
    };
    struct PedidoSalvar {
        QString titulo;
        QString filtro;
        QString sufixo;
        TipoArquivo tipo;
        QString nome_sugerido;
    };

    std::optional<QString> NomeArquivoSalvar(QWidget*, const QString& titulo, const QString& filtro,
                                             const QString& sufixo, TipoArquivo tipo,
                                             const QString& nome_sugerido) override {
        pedidos_salvar.push_back({titulo, filtro, sufixo, tipo, nome_sugerido});
        if (respostas_salvar.empty()) return std::nullopt;
        auto resposta = respostas_salvar.front();
        respostas_salvar.pop_front();
        return resposta;
    }
    std::optional<QString> NomeArquivoAbrir(QWidget*, const QString&, const QString&,
                                            TipoArquivo) override {
        if (respostas_abrir.empty()) return std::nullopt;
        auto resposta = respostas_abrir.front();
        respostas_abrir.pop_front();
        return resposta;
    }
    void Mensagem(QWidget*, Icone icone, const QString& titulo, const QString& texto,
                  const QString& detalhe) override {
        mensagens.push_back({icone, titulo, texto, detalhe});
    }
    bool Confirmar(QWidget*, const QString& titulo, const QString& texto,
                   const QString& detalhe) override {
        perguntas.push_back({Icone::Nenhum, titulo, texto, detalhe});
        if (respostas_confirmar.empty()) return false;
        const bool resposta = respostas_confirmar.front();
        respostas_confirmar.pop_front();
        return resposta;
    }
    void AbrirEndereco(const QUrl& endereco) override { enderecos.push_back(endereco); }

    std::deque<std::optional<QString>> respostas_salvar;
    std::deque<QString> respostas_abrir;
    std::deque<bool> respostas_confirmar;
    std::vector<PedidoSalvar> pedidos_salvar;
    std::vector<MensagemMostrada> mensagens;
    std::vector<MensagemMostrada> perguntas;
    std::vector<QUrl> enderecos;
};

}  // namespace ventaro::teste
