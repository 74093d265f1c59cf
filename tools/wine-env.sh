# Environment shared by every script that runs Windows programs: the project's
# own Wine prefix, quiet Wine, no Mono/Gecko installer prompts.
_heliodrum_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${HELIODRUM_WINEPREFIX:-$_heliodrum_root/build/wine-prefix}"
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
export WINEDEBUG=-all
export WINEARCH=win64
