#!/usr/bin/env bash
# Checks of the installation, run by ctest (tests/instalacao/CMakeLists.txt):
#   metadados BUILD               the desktop entry and the AppStream metadata validate
#   prefixo BUILD DIR             `cmake --install --prefix DIR`, then the installed programs
#                                 work on the user's copy of the installed sample
#   pacote-construir BUILD DIR    cpack makes the .deb in DIR
#   pacote-conteudo DIR           the package's fields, dependencies and files
#   pacote-instalar DIR           the package unpacked into a scratch root (dpkg -x) runs
# Every program runs with HOME and XDG_DATA_HOME in a folder of its own, so the user's real
# data is never touched.
set -euo pipefail

falhar() {
    echo "FALHA: $*" >&2
    exit 1
}

# Runs the installed programs of ROOT (prefix ROOT, binaries in ROOT/bin) as a new user would.
verificar_programas() {
    local prefixo=$1 casa=$2
    local amostra="$prefixo/share/ventaro/bd.sqlite"
    [ -f "$amostra" ] || falhar "banco de exemplo não instalado em $amostra"
    local antes
    antes=$(sha256sum "$amostra" | cut -d' ' -f1)
    rm -rf "$casa"
    mkdir -p "$casa"
    local ambiente=(env HOME="$casa" XDG_DATA_HOME="$casa/dados" XDG_DATA_DIRS="$casa/nenhum"
        XDG_CONFIG_HOME="$casa/config" LC_ALL=C.UTF-8)

    # Outputs are captured before they are searched: with pipefail, `grep -q` closing a pipe
    # early would fail the writer with SIGPIPE and the check with it.
    local saida
    saida=$("${ambiente[@]}" "$prefixo/bin/ventaro-cli" --version)
    grep -q "^ventaro-cli 2\." <<<"$saida" || falhar "ventaro-cli --version: $saida"
    saida=$("${ambiente[@]}" "$prefixo/bin/ventaro-cli" estacoes --pluviometricas)
    grep -q "CANDEIAS" <<<"$saida" || falhar "ventaro-cli estacoes não listou CANDEIAS: $saida"
    [ -f "$casa/dados/ventaro/bd.sqlite" ] ||
        falhar "a cópia do usuário não foi feita em $casa/dados/ventaro"
    # The user's copy takes writes; the installation is never written.
    "${ambiente[@]}" "$prefixo/bin/ventaro-cli" estimar-regiao --regiao 5 --minimo 2 \
        "$FONTE/data/observacoes/inmet_horaria/INMET_S_SC_A806_FLORIANOPOLIS_01-01-2018_A_31-12-2018.CSV" \
        >/dev/null || falhar "estimar-regiao na cópia do usuário"
    [ "$(sha256sum "$amostra" | cut -d' ' -f1)" = "$antes" ] || falhar "o banco instalado mudou"
    cmp -s "$amostra" "$casa/dados/ventaro/bd.sqlite" &&
        falhar "a gravação não foi para a cópia do usuário"

    if [ -x "$prefixo/bin/ventaro-relatorio" ]; then
        "${ambiente[@]}" QT_QPA_PLATFORM=offscreen "$prefixo/bin/ventaro-relatorio" \
            --pluviometrica 2045012 --climatologica 83587 --anos 1 --pasta "$casa/relatorio" \
            >/dev/null || falhar "ventaro-relatorio instalado"
        [ -s "$casa/relatorio/relatorio.html" ] || falhar "ventaro-relatorio não escreveu o relatório"
    fi
}

verificar_arquivos() {
    local prefixo=$1
    local id=org.example.Ventaro
    for f in bin/ventaro-cli share/ventaro/bd.sqlite share/applications/$id.desktop \
        share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
        share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
        share/doc/ventaro/LICENSE share/doc/ventaro/copyright share/doc/ventaro/README.md; do
        [ -f "$prefixo/$f" ] || falhar "$f não foi instalado"
    done
    # Width and height of the PNG header (big-endian, bytes 16 to 23).
    [ "$(od -An -tu1 -j16 -N8 "$prefixo/share/icons/hicolor/48x48/apps/$id.png" | tr -s ' ')" = \
        " 0 0 0 48 0 0 0 48" ] || falhar "ícone de 48x48 com outro tamanho"
}

comando=$1
shift
FONTE=$(cd "$(dirname "$0")/../.." && pwd)
case "$comando" in
metadados)
    build=$1
    appstreamcli validate --no-net "$build/packaging/org.example.Ventaro.metainfo.xml"
    desktop-file-validate "$FONTE/packaging/org.example.Ventaro.desktop"
    ;;
prefixo)
    build=$1 destino=$2
    rm -rf "$destino"
    cmake --install "$build" --prefix "$destino/usr" >/dev/null
    verificar_arquivos "$destino/usr"
    verificar_programas "$destino/usr" "$destino/casa"
    if [ -x "$destino/usr/bin/ventaro" ]; then
        appstreamcli validate --no-net \
            "$destino/usr/share/metainfo/org.example.Ventaro.metainfo.xml" >/dev/null
    fi
    echo "Instalação em $destino/usr verificada."
    ;;
pacote-construir)
    build=$1 destino=$2
    rm -rf "$destino"
    mkdir -p "$destino"
    (cd "$build" && cpack -G DEB -B "$destino" >"$destino/cpack.log" 2>&1) ||
        { cat "$destino/cpack.log" >&2; falhar "cpack"; }
    ls "$destino"/ventaro_*.deb >/dev/null
    ;;
pacote-conteudo)
    destino=$1
    deb=$(ls "$destino"/ventaro_*.deb)
    [ "$(dpkg-deb --field "$deb" Package)" = ventaro ] || falhar "nome do pacote"
    [ "$(dpkg-deb --field "$deb" Version)" = 2.0 ] || falhar "versão do pacote"
    [ "$(dpkg-deb --field "$deb" Architecture)" = "$(dpkg --print-architecture)" ] ||
        falhar "arquitetura do pacote"
    depende=$(dpkg-deb --field "$deb" Depends)
    echo "Depends: $depende"
    nomes=$(echo "$depende" | tr ',' '\n' | sed -E 's/\(.*\)//; s/\|.*//' | tr -d ' ')
    for p in libqt6widgets6 libqt6gui6 libqt6core6 libqcustomplot2.1-qt6 libqt6svg6 \
        libsqlite3-0 libmdb3 libc6 libstdc++6 qt6-qpa-plugins; do
        grep -qxF "$p" <<<"$nomes" || falhar "Depends sem $p"
    done
    # Every dependency is a Debian package this system knows.
    for p in $nomes; do
        [[ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" == *"install ok installed"* ]] ||
            apt-cache show "$p" >/dev/null 2>&1 || falhar "dependência desconhecida: $p"
    done
    if command -v apt-get >/dev/null; then
        apt-get install --simulate --no-install-recommends "$deb" >"$destino/apt.log" 2>&1 ||
            { cat "$destino/apt.log" >&2; falhar "o apt não resolve as dependências do pacote"; }
    fi
    conteudo=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
    for f in ./usr/bin/ventaro ./usr/bin/ventaro-cli ./usr/bin/ventaro-relatorio \
        ./usr/share/ventaro/bd.sqlite ./usr/share/applications/org.example.Ventaro.desktop \
        ./usr/share/metainfo/org.example.Ventaro.metainfo.xml \
        ./usr/share/icons/hicolor/scalable/apps/org.example.Ventaro.svg \
        ./usr/share/icons/hicolor/128x128/apps/org.example.Ventaro.png \
        ./usr/share/doc/ventaro/copyright; do
        grep -qx "$f" <<<"$conteudo" || falhar "$f não está no pacote"
    done
    # Nothing outside /usr, and the sample database is not writable by its users.
    fora=$(grep -v -e '^\./$' -e '^\./usr' <<<"$conteudo" || true)
    [ -z "$fora" ] || falhar "arquivos fora de /usr: $fora"
    banco=$(dpkg-deb --contents "$deb" | grep -E '\./usr/share/ventaro/bd\.sqlite$' || true)
    [[ "$banco" == -r--r--r--* ]] || falhar "bd.sqlite instalado com permissão de escrita: $banco"
    echo "Pacote $deb verificado."
    ;;
pacote-instalar)
    destino=$1
    deb=$(ls "$destino"/ventaro_*.deb)
    raiz="$destino/raiz"
    rm -rf "$raiz"
    dpkg -x "$deb" "$raiz"
    for b in ventaro ventaro-cli ventaro-relatorio; do
        bibliotecas=$(ldd "$raiz/usr/bin/$b")
        ! grep -q "not found" <<<"$bibliotecas" || falhar "$b: biblioteca não encontrada"
    done
    verificar_arquivos "$raiz/usr"
    verificar_programas "$raiz/usr" "$destino/casa"
    echo "Pacote instalado em $raiz e verificado."
    ;;
*)
    falhar "comando desconhecido: $comando"
    ;;
esac
