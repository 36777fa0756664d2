# Shared by scripts/run and scripts/test. Sourced, not run.

vireo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Installs the Debian packages the build, the tests and scripts/run need, only those that are missing.
# Recommended packages are left out, so everything used is named here: the native compiler and make for
# the logic's build, Wine's own fonts (window layout is measured in them, and the caption buttons'
# glyphs come from Marlett), and xauth for xvfb-run.
vireo_ensure_packages() {
    local wanted=(cmake make g++ g++-mingw-w64-x86-64 googletest wine wine64 fonts-wine xvfb xauth)
    local missing=()
    local package
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Wine makes file names in the Unix locale's character set; in the C locale (no LANG at all, as in a
# minimal machine or under env -i) it cannot make a name outside ASCII. C.UTF-8 is always there.
vireo_ensure_utf8_locale() {
    [ "$(locale charmap 2>/dev/null)" = UTF-8 ] && return 0
    if [ -n "${LC_ALL:-}" ]; then
        export LC_ALL=C.UTF-8
    else
        export LC_CTYPE=C.UTF-8
    fi
}

# A prefix of the program's own: no Mono or Gecko prompts, no Z: drive onto the Linux root (a search of
# every fixed drive would otherwise walk, and could delete in, the Linux file system), and title bars
# drawn by Wine itself, since there may be no window manager.
vireo_make_prefix() {
    local prefix="$1"
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    if [ ! -f "$prefix/system.reg" ]; then
        mkdir -p "$prefix"
        DISPLAY= wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    rm -f "$prefix/dosdevices/z:"
    # Wine's recycle bin is the desktop Trash; it makes the Trash folder but not the folders above it, and
    # without them every deletion to the recycle bin fails with "access denied" on a new machine.
    mkdir -p "${XDG_DATA_HOME:-$HOME/.local/share}"
    # Wine draws caption buttons with Marlett; a new prefix does not always find Wine's own copy.
    local font
    for font in marlett.ttf tahoma.ttf tahomabd.ttf; do
        [ -f "/usr/share/wine/fonts/$font" ] && cp -n "/usr/share/wine/fonts/$font" "$prefix/drive_c/windows/Fonts/" 2>/dev/null
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg delete 'HKLM\Software\Wine\Drives' /v 'z:' /f >/dev/null 2>&1 || true
}

# The build folder as drive V:, so that test programs started from it know their own Windows path (Wine
# gives a program outside every drive a module path it cannot open). A CD-ROM, so that no search of
# "every fixed drive" ever walks the build.
vireo_map_build_drive() {
    ln -sfn "$vireo_root/build" "$WINEPREFIX/dosdevices/v:"
    wine reg add 'HKLM\Software\Wine\Drives' /v 'v:' /t REG_SZ /d cdrom /f >/dev/null 2>&1
    wineserver -w
}

# Copies the program and its help files into the prefix's C:\Program Files\Vireo, where it keeps its
# Options.ini and list files from run to run, and prints the Windows path of the exe.
vireo_install_into_prefix() {
    local target="$WINEPREFIX/drive_c/Program Files/Vireo"
    mkdir -p "$target"
    cp "$vireo_root/build/windows/vireo.exe" "$target/"
    local help
    for help in "$vireo_root"/build/windows/*.htm; do
        [ -f "$help" ] && cp "$help" "$target/"
    done
    echo 'C:\Program Files\Vireo\vireo.exe'
}

vireo_start_wineserver() {
    # Detached, so that it holds no pipe of ours open and the script can end.
    (setsid wineserver -p </dev/null >/dev/null 2>&1 &)
}

vireo_stop_wineserver() {
    wineserver -k >/dev/null 2>&1 || true
}
