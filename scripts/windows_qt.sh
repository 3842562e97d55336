#!/usr/bin/env bash
# Qt for the Windows builds of the window programs: Debian ships no MinGW build of Qt, but it
# ships Qt's source. Builds Core, Gui, Widgets, Test and the windows and offscreen platforms from
# Debian's qt6-base source with MinGW-w64 once, into a cache outside the tree that every later
# build on this machine reuses. Prints the cached Qt's folder last.
#   scripts/windows_qt.sh [--cached]   --cached: only print the folder, or fail if not built
#   QUORVANE_CACHE   where the cache lives (default ~/.cache/quorvane)
#   JOBS             parallel compile jobs (default 2)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-2}
cache=${QUORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane}
version=6.4.2

# Only what the programs use. wintab (tablet input) is not in Debian's source; ICU, D-Bus,
# OpenGL, networking, SQL, XML and printing are not used by any program.
features=(-release -shared -nomake examples -nomake tests -no-pkg-config -no-icu -no-dbus
    -no-opengl -no-feature-network -no-feature-sql -no-feature-xml -no-feature-printsupport
    -no-feature-concurrent -no-feature-vulkan -no-feature-direct2d -no-feature-tabletevent
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-doubleconversion)
# The cache is told apart by what shapes the build: the options, the patch, the toolchain.
patch='s/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/'
hash=$( (printf '%s\n' "${features[@]}" "$patch"; cat "$top/cmake/mingw-w64-x86_64.cmake" \
    "$top/cmake/mingw-w64-x86_64-shared.cmake") | sha256sum | cut -c1-12)
prefix="$cache/qt-$version-mingw64-$hash"
# Qt's own texts in Chinese (file dialogs), as a Qt for Windows ships them: the translation
# files are the same on every system, so Debian's (qt6-translations-l10n) serve.
translations() {
    mkdir -p "$prefix/translations"
    cp -n /usr/share/qt6/translations/qtbase_zh_CN.qm "$prefix/translations/"
}
if [ -f "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" ] && [ -f "$prefix/.complete" ]; then
    translations
    echo "$prefix"
    exit 0
fi
if [ "${1:-}" = --cached ]; then
    echo "windows_qt: no Qt for Windows in $prefix (make windows-qt builds it)" >&2
    exit 1
fi

work="$cache/qt-$version-src"
mkdir -p "$work"
cd "$work"
# Debian's source package through a source list of our own: the system's apt configuration is
# left as it is.
if [ ! -d "qt6-base-$version+dfsg" ]; then
    lists="$work/apt-lists"
    mkdir -p "$lists/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "http://deb.debian.org/debian bookworm main" >"$work/sources.list"
    apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
        -o "Dir::State::Lists=$lists" -o Debug::NoLocking=1)
    apt-get "${apt_opts[@]}" update -qq
    apt-get "${apt_opts[@]}" source -qq "qt6-base=$version+dfsg-10"
fi
src="$work/qt6-base-$version+dfsg"

# With Direct2D off, the windows platform still asks for the DirectWrite font database that is
# built only with it: Qt's own guard misses the second condition.
sed -i "$patch" "$src/src/plugins/platforms/windows/qwindowsintegration.cpp"

# A build cut short (a session ended, a machine restarted) goes on where it stopped.
build="$work/build-$hash"
mkdir -p "$build"
cd "$build"
start=$(date +%s)
if [ ! -f build.ninja ]; then
    "$src/configure" -platform win32-g++ -qt-host-path /usr -prefix "$prefix" \
        -cmake-generator Ninja "${features[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64-shared.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log
fi
# Low priority: the machine stays usable while Qt builds.
time nice -n 19 cmake --build . --parallel "$jobs"
cmake --install . >/dev/null
translations
touch "$prefix/.complete"
echo "Qt for Windows built in $(($(date +%s) - start)) s: $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
