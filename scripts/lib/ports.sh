# Shared by scripts/build-windows and scripts/build-web (sourced, not run).
#
# Both builds need the same three things before the game itself:
#  - the Debian packages of the target's toolchain and checks;
#  - SDL2 and FreeType, which Debian packages for Linux only: they are built from Debian's own
#    source packages into build/<target>/deps, once (reused while the sources and the
#    toolchain file are unchanged);
#  - the build-time tools (picture and sound generators), which must run on this machine:
#    a native build of them in build/host-tools.

ports_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ports_sources=$ports_root/build/debian-sources

ports_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the missing ones of the given Debian packages (and the native build's own).
ports_install() {
  "$ports_root/scripts/setup"
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  ports_sudo apt-get update -q
  ports_sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Debian's source packages of SDL2 and FreeType, unpacked in build/debian-sources. apt needs a
# deb-src entry: one is added for the very archive the machine already installs from.
ports_fetch_sources() {
  ports_sdl2_src=$(ls -d "$ports_sources"/libsdl2-*/ 2>/dev/null | head -n1 || true)
  ports_freetype_src=$(ls -d "$ports_sources"/freetype-*/ 2>/dev/null | head -n1 || true)
  if [ -n "$ports_sdl2_src" ] && [ -n "$ports_freetype_src" ]; then
    return 0
  fi
  if ! apt-get source --print-uris libsdl2 >/dev/null 2>&1; then
    local list=/etc/apt/sources.list.d/debian.sources
    if [ -f "$list" ]; then
      sed 's/^Types: deb$/Types: deb-src/' "$list" |
        ports_sudo tee /etc/apt/sources.list.d/tessarion-deb-src.sources >/dev/null
    else
      grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        ports_sudo tee /etc/apt/sources.list.d/tessarion-deb-src.list >/dev/null
    fi
    ports_sudo apt-get update -q
  fi
  mkdir -p "$ports_sources"
  (cd "$ports_sources" && apt-get source -q libsdl2 freetype)
  ports_sdl2_src=$(ls -d "$ports_sources"/libsdl2-*/ | head -n1)
  ports_freetype_src=$(ls -d "$ports_sources"/freetype-*/ | head -n1)
}

# ports_build_deps TOOLCHAIN_FILE PREFIX [cmake wrapper...]: SDL2 and FreeType, static, into
# PREFIX. A stamp records what they were built from, so a changed toolchain rebuilds them.
ports_build_deps() {
  local toolchain=$1 prefix=$2
  shift 2
  local stamp="$prefix/.built-from"
  local want
  want="$(basename "$ports_sdl2_src") $(basename "$ports_freetype_src") $(sha1sum <"$toolchain" | cut -c1-12)"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    return 0
  fi
  rm -rf "$prefix" "$prefix-build"
  local common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
                -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF)
  "$@" cmake -S "$ports_sdl2_src" -B "$prefix-build/sdl2" "${common[@]}" \
    -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF >/dev/null
  cmake --build "$prefix-build/sdl2" -j"$(nproc)"
  cmake --install "$prefix-build/sdl2" >/dev/null
  # The game's fonts are plain TrueType/OpenType: none of FreeType's optional codecs.
  "$@" cmake -S "$ports_freetype_src" -B "$prefix-build/freetype" "${common[@]}" \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
  cmake --build "$prefix-build/freetype" -j"$(nproc)"
  cmake --install "$prefix-build/freetype" >/dev/null
  rm -rf "$prefix-build"
  echo "$want" >"$stamp"
}

# The build-time tools, built natively; prints nothing, sets ports_host_tools.
ports_build_host_tools() {
  ports_host_tools=$ports_root/build/host-tools
  cmake -S "$ports_root" -B "$ports_host_tools" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSARION_TESTS=OFF >/dev/null
  cmake --build "$ports_host_tools" -j"$(nproc)" --target tessarion_host_tools
}

# The game's version, from the top CMakeLists.txt.
ports_version() {
  sed -n 's/^project(Tessarion VERSION \([0-9.]*\).*/\1/p' "$ports_root/CMakeLists.txt"
}
