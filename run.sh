#!/usr/bin/env bash
# Installs what is missing, builds, and starts TORVEX with the data folder of the build.
# With arguments, runs torvex-cli instead: ./run.sh analisar ARQUIVO
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
if (($#)); then
  exec build/bin/torvex-cli "$@"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  cat >&2 <<'MSG'
Não há tela disponível (DISPLAY vazio), por isso o TORVEX não pode abrir suas janelas.
Para usar sem tela:
  xvfb-run -a ./run.sh                 # janelas numa tela virtual
  QT_QPA_PLATFORM=offscreen ./run.sh   # sem tela nenhuma
  ./run.sh --help                      # o programa de linha de comando (torvex-cli)
MSG
  exit 2
fi
exec build/bin/torvex
