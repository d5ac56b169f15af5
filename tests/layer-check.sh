#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layering, read from the sources and the built surface test: the
# second line behind the per-library include roots of the build, which
# already make an include of an unlinked layer fail to compile.
#
#   layer-check.sh SOURCE_DIR SURFACE_TEST_BINARY MODEL_TEST_BINARY
#
# - every quoted include names a header of the file's own layer or of one
#   below it (the table below), and none climbs with "../";
# - Qt headers are included only under platform/ (and by tests), never by
#   a platform header outside a qt/ folder, and no qt/ internals are
#   included outside platform/ and tests/;
# - the model includes nothing of the framework but in its document
#   (KestrinDoc), which is a library of its own;
# - a header in a detail/ folder of a model concern (model/route/detail/)
#   is private to that concern: nothing outside model/<concern>/ includes
#   it but the tests;
# - the map (model/map/) is the ground the other model concerns stand on:
#   it includes none of them, so that what is built from the map (the
#   planet index, suggestions, routes, the check) is built beside it;
# - the surface's and the model's tests link neither QtWidgets nor
#   QtPrintSupport.
set -uo pipefail

src=${1:?source folder}
surface_test=${2:?surface test program}
model_test=${3:?model test program}
cd "$src" || exit 1
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The layer of a path, or nothing for tests, benchmarks and unknown places.
layer_of() {
  case $1 in
    platform/surface/*) echo surface ;;
    platform/framework/*) echo framework ;;
    platform/print/*) echo print ;;
    platform/icons/*) echo platform-icons ;;
    res/*) echo res ;;
    model/KestrinDoc.*) echo document ;;
    model/*) echo model ;;
    view/*) echo view ;;
    app/*) echo app ;;
    tools/*) echo tools ;;
  esac
}

# What each layer may include, besides itself.
declare -A below=(
  [surface]=""
  [framework]="surface"
  [print]="surface framework"
  [platform-icons]=""
  [res]="surface framework"
  [model]="surface"
  [document]="surface framework model"
  [view]="surface framework print res model document"
  [app]="surface framework print res model document view"
  [tools]="surface framework print res model document view"
)

# The repository file an include names: beside the including file first,
# then from the source root; nothing for a header the build generates.
resolve() {
  local dir=$1 name=$2
  if [ -f "$dir/$name" ]; then
    realpath --relative-to=. "$dir/$name"
  elif [ -f "$name" ]; then
    echo "$name"
  fi
}

# The concern whose private header target is, when file lies outside it:
# model/route/detail/Detour.h is private to model/route/.
private_to_other() {
  local file=$1 target=$2 concern
  case $target in
    model/*/detail/*) concern=${target%%/detail/*} ;;
    *) return 1 ;;
  esac
  case $file in
    "$concern"/*|tests/*) return 1 ;;
  esac
  echo "$concern"
}
# The other concern of the model that a file of the map includes from.
map_includes_concern() {
  local file=$1 target=$2
  case $file in model/map/*) ;; *) return 1 ;; esac
  case $target in
    model/map/*) return 1 ;;
    model/*/*) target=${target#model/}; echo "model/${target%%/*}" ;;
    *) return 1 ;;
  esac
}
map_includes_concern model/map/StarMap.cpp model/find/PlanetIndex.h >/dev/null ||
  fail "the map rule lets model/map/ include the planet index"
! map_includes_concern model/map/StarMap.cpp model/map/PlanetList.h >/dev/null ||
  fail "the map rule refuses the map its own headers"
! map_includes_concern model/route/RouteFinder.cpp model/find/PlanetIndex.h >/dev/null ||
  fail "the map rule refuses another concern the planet index"

# The rule must bite: an include across concerns into detail/ is refused,
# one within the concern and one of a public header are not.
private_to_other model/find/PlanetIndex.cpp model/route/detail/Detour.h >/dev/null ||
  fail "the privacy rule lets model/find/ include model/route/detail/"
! private_to_other model/route/RouteFinder.cpp model/route/detail/Detour.h >/dev/null ||
  fail "the privacy rule refuses a concern its own detail/"
! private_to_other view/PlanetHover.cpp model/find/PlanetIndex.h >/dev/null ||
  fail "the privacy rule refuses a public header"

checked=0
while IFS= read -r file; do
  layer=$(layer_of "$file")
  while IFS= read -r name; do
    checked=$((checked + 1))
    case $name in
      ../*|*/../*) fail "$file climbs with \"$name\"" ;;
    esac
    target=$(resolve "$(dirname "$file")" "$name")
    [ -n "$target" ] || continue
    if concern=$(private_to_other "$file" "$target"); then
      fail "$file includes $target, private to $concern/"
    fi
    if concern=$(map_includes_concern "$file" "$target"); then
      fail "$file includes $target: the map includes nothing of $concern/"
    fi
    [ -n "$layer" ] || continue
    other=$(layer_of "$target")
    [ -n "$other" ] && [ "$other" != "$layer" ] || continue
    case " ${below[$layer]} " in
      *" $other "*) ;;
      *) fail "$file ($layer) includes $target ($other)" ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files -- '*.h' '*.cpp' 2>/dev/null || find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||')
[ "$checked" -gt 100 ] || fail "only $checked includes found: is $src the source tree?"
echo "ok: $checked includes stay within their layers and none climbs with ../"

# The benchmarks' bare Qt window is an anchor to measure against, a program
# outside the layers, so it alone may use Qt directly.
qt_outside=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' --include='*.h' --include='*.cpp' \
               model view app tools res bench 2>/dev/null | grep -vx 'bench/BareWindow.cpp')
[ -z "$qt_outside" ] || fail "Qt included outside platform/: $qt_outside"
qt_public=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' --include='*.h' platform |
              grep -v '/qt/' | grep -v '^platform/icons/')
[ -z "$qt_public" ] || fail "a platform header outside qt/ includes Qt: $qt_public"
internals=$(grep -rlE '#[[:space:]]*include[[:space:]]*"platform/[a-z]+/qt/' --include='*.h' --include='*.cpp' \
              model view app tools res bench 2>/dev/null)
[ -z "$internals" ] || fail "platform internals included outside platform/: $internals"
echo "ok: Qt stays in platform/ and out of its public headers"

# The libraries a test program needs, from its dynamic section: the
# build's own link graph, whatever the sources say.
links_below_widgets() {
  local program=$1 what=$2 needed
  if ! needed=$(readelf -d "$program" 2>/dev/null | grep NEEDED); then
    fail "cannot read the libraries $program needs"
  elif echo "$needed" | grep -qE 'Qt6(Widgets|PrintSupport)'; then
    fail "the $what tests link $(echo "$needed" | grep -oE 'libQt6(Widgets|PrintSupport)[^]]*' | tr '\n' ' ')"
  elif ! echo "$needed" | grep -q 'Qt6Gui'; then
    fail "the $what tests do not link QtGui: is $program the $what test program?"
  else
    echo "ok: the $what tests link QtGui without QtWidgets or QtPrintSupport"
  fi
}
links_below_widgets "$surface_test" surface
links_below_widgets "$model_test" model

[ "$failures" -eq 0 ] || exit 1
