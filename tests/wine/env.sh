# Where the Wine fixture of one build tree lives and the environment every
# Wine command of a test run gets.  Sourced by fixture.sh and harness.sh;
# needs BUILD_DIR.  Everything is per build tree, so two test runs in two
# build trees never share a prefix, a wineserver or a display.

WINE_STATE_DIR="$BUILD_DIR/wine"
WINE_STATE_FILE="$WINE_STATE_DIR/fixture.env"

export WINEPREFIX="$WINE_STATE_DIR/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono/Gecko download prompts while booting, and no menu entries on the
# host when a test creates Program Manager groups.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Programs that Wine starts by itself and keeps running beside a test's own.
WINE_SERVICES="services.exe winedevice.exe plugplay.exe svchost.exe rpcss.exe explorer.exe winemenubuilder.exe"

# Prints "pid command line" of each Windows program running in this prefix,
# Wine's own services left out.  Few processes per call: it runs between
# every step of a test.
wine_programs() {
  local environs dir exe name line
  local -a argv
  # grep also fails for processes that end while it reads.
  environs=$(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null || true)
  [[ -n $environs ]] || return 0
  while read -r dir exe; do
    case ${exe##*/} in wine | wine64 | wine-preloader | wine64-preloader) ;; *) continue ;; esac
    mapfile -d '' -t argv <"$dir/cmdline" 2>/dev/null || continue
    ((${#argv[@]})) || continue
    name=${argv[0]##*\\}
    [[ " $WINE_SERVICES " == *" ${name,,} "* ]] && continue
    line="${dir#/proc/} ${argv[*]}"
    echo "${line%"${line##*[! ]}"}"
  done < <(find ${environs//environ/exe} -maxdepth 0 -printf '%h %l\n' 2>/dev/null)
}

# The start time of a process (clock ticks since boot), which tells a live
# process from a later one that reuses its pid.
process_start_time() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  set -- $stat
  echo "${20}"
}
