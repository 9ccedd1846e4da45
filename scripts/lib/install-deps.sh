# Runs a command with its output held back; when it fails, shows that output
# and what failed, and stops.
scrivlet_quietly() {
    local what=$1 out status=0
    shift
    out=$("$@" 2>&1) || status=$?
    if [ "$status" -ne 0 ]; then
        printf '%s\n' "$out" >&2
        echo "error: $what failed (exit status $status): $*" >&2
        exit "$status"
    fi
}

# Installs what the builds and tests need on Debian, quietly, and only what is
# missing; the arguments name packages that only the calling script needs.
scrivlet_install_deps() {
    local packages=(cmake make g++ googletest libbenchmark-dev
        g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
        wine wine64 xvfb xauth locales x11-apps imagemagick zip tidy nsis
        clang libclang-rt-14-dev "$@")
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        echo "Installing: ${missing[*]}"
        scrivlet_quietly "updating the package lists" $sudo apt-get update -qq
        scrivlet_quietly "installing ${missing[*]}" $sudo env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq "${missing[@]}"
    fi
    # German date and time formats under Wine come from the host locale.
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo=sudo
        $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
        scrivlet_quietly "generating the locale de_DE.UTF-8" $sudo locale-gen
    fi
}
