# Shared by the scripts that run Windows programs under Wine.
export LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# The base prefix is made once per Wine version: a prefix made by another
# version would be updated in every copy, and the copies share its code files.
wine_base_prefix() {
    local version
    version=$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')
    local base=${SCRIVLET_WINE_BASE:-${XDG_CACHE_HOME:-$HOME/.cache}/scrivlet/wineprefix-base-3-${version:-unknown}}
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

# A private copy of the base prefix, safe to make by many runs at once. On the
# same file system the code files (*.dll, *.exe: nearly all of its 700 MB) are
# hard links, since nothing writes them during a run, which spares a second of
# copying; everything else, the registry and the user's folders included, is
# always a copy of its own.
wine_fresh_prefix() {
    local base dir
    base=$(wine_base_prefix)
    dir=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-wine.XXXXXX")
    if [ "$(stat -c %d "$base")" = "$(stat -c %d "$dir")" ]; then
        cp -a --link "$base/." "$dir/"
        (cd "$base" && find . -type f ! -iname '*.dll' ! -iname '*.exe' -print0 |
            xargs -0 cp -a --parents --remove-destination -t "$dir")
    else
        cp -a "$base/." "$dir/"
    fi
    echo "$dir"
}
