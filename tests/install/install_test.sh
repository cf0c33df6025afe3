#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR, checks what landed there,
# builds docs/template against it with find_package(drawkit) and with
# pkg-config (and the guide's pictures with pkg-config), and runs them
# through the capture tool: each must end with status 0 and show the
# stages of its reference log.
# Usage: install_test.sh BUILD SOURCE PREFIX LIBDIR CXX FLAGS "PROGRAMS"
set -uo pipefail
build=$1 source=$2 prefix=$3 libdir=$4 cxx=$5 flags=$6 programs=$7
[[ $libdir = /* ]] || libdir="$prefix/$libdir"

work=$(mktemp -d /tmp/drawkit-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
root="$work/root"
fail() { echo "install test: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

tree="$root$prefix"
for f in $programs; do
  [[ -x "$tree/bin/$f" ]] || fail "program $f not installed in $tree/bin"
done
for f in "$tree/include/drawkit/drawkit.h" "$root$libdir/libdrawkit.a" "$root$libdir/libdrawkit_entry.a" \
         "$root$libdir/cmake/drawkit/drawkit-config.cmake" "$root$libdir/pkgconfig/drawkit.pc"; do
  [[ -f "$f" ]] || fail "missing ${f#"$root"}"
done
internal=$(grep -l "Internal to drawkit" "$tree/include/drawkit/"*.h)
[[ -z "$internal" ]] || fail "drawkit's internal headers were installed: $internal"

# find_package(drawkit) from a separate project.
if ! { cmake -S "$source/docs/template" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$tree" \
          -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" &&
        cmake --build "$work/cmake"; } >"$work/cmake.log" 2>&1; then
  cat "$work/cmake.log" >&2
  fail "building the template with find_package(drawkit) failed"
fi

# Plain compiler and pkg-config; drawkit.pc finds the tree from where it lies.
mkdir -p "$work/pkgconfig"
pc_flags=$(PKG_CONFIG_PATH="$root$libdir/pkgconfig${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}" \
           pkg-config --cflags --libs drawkit) ||
  fail "pkg-config cannot read drawkit.pc"
# shellcheck disable=SC2086
"$cxx" -std=c++20 -O2 -ffp-contract=off $flags "$source/docs/template/main.cpp" $pc_flags \
       -o "$work/pkgconfig/my_picture" || fail "building the template with pkg-config failed"
# shellcheck disable=SC2086
"$cxx" -std=c++20 -O2 -ffp-contract=off $flags "$source/docs/guide/pictures.cpp" $pc_flags \
       -o "$work/pkgconfig/guide_pictures" || fail "building the guide's pictures with pkg-config failed"

# run BINARY REFERENCE: status 0 and every stage as the reference log.
run() {
  local out
  out="$work/out-$(basename "$(dirname "$1")")-$(basename "$1")"
  "$build/bin/capture" --out "$out" "$1" >/dev/null || fail "$1 ended with status $?"
  diff -u "$2" "$out/log.txt" || fail "$1: stages differ from $2"
}
run "$work/cmake/my_picture" "$source/tests/install/my_picture.log"
run "$work/pkgconfig/my_picture" "$source/tests/install/my_picture.log"
# The pictures of docs/guide.md are those drawkit draws now (docs/guide/regenerate).
run "$work/pkgconfig/guide_pictures" "$source/docs/guide/pictures.log"
echo "install test: installed, built both ways, every picture as its reference"
