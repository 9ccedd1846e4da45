# Shared by the scripts that run Windows programs under Wine.
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_base_prefix() {
    local base=${SCRIVLET_WINE_BASE:-${XDG_CACHE_HOME:-$HOME/.cache}/scrivlet/wineprefix-base-2}
    if [ ! -f "$base/.complete" ]; then
        local lock="$base.lock"
        mkdir -p "$(dirname "$base")"
        (
            flock 9
            if [ ! -f "$base/.complete" ]; then
                rm -rf "$base"
                WINEPREFIX="$base" wineboot --init >/dev/null 2>&1 || true
                # Without a window manager, Wine waits two seconds for one at every
                # hide or destroy of a shown window; unmanaged windows spare that.
                WINEPREFIX="$base" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
                WINEPREFIX="$base" wineserver -w 2>/dev/null || true
                touch "$base/.complete"
            fi
        ) 9>"$lock"
    fi
    echo "$base"
}

wine_fresh_prefix() {
    local base dir
    base=$(wine_base_prefix)
    dir=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-wine.XXXXXX")
    cp -a "$base/." "$dir/"
    echo "$dir"
}
