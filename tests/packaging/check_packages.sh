#!/usr/bin/env bash
# Makes the Debian packages of one or two builds (a Qt 5 and a Qt 6 one) with cpack,
# unpacks them into a scratch root per build and checks what a user installing them
# with apt would rely on:
#   - each kind of file (headers, the unversioned .so link, .qm files, the Designer plugin,
#     the HTML reference) is in its own package only, and the runtime package is named
#     after the library's SONAME;
#   - no two packages, of one build or of the two, ship the same file, so that every
#     package installs beside every other;
#   - the development package depends on the runtime of the same version and every
#     binary finds the libraries it needs;
#   - the example application (find_package) and a pkg-config consumer build against the
#     unpacked development and runtime packages and run;
#   - lintian reports no errors (its warnings are listed in <scratch>/lintian.txt).
# Each build is reconfigured for /usr first, as packages install there.
#
#   tests/packaging/check_packages.sh <scratch folder> <build> [<other build>]
set -euo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD

work=$(realpath -m "$1")
shift
rm -rf "$work"
mkdir -p "$work"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
failures=0

fail() {
    echo "packages: $*" >&2
    failures=$((failures + 1))
}

# The value of a variable that cmake wrote into <build>/CPackConfig.cmake.
cpack_value() {
    sed -n "s/^set($2 \"\(.*\)\")$/\1/p" "$1/CPackConfig.cmake"
}

# Files (and links) of one unpacked package, relative to its root.
package_files() {
    (cd "$1" && find . ! -type d -printf '%P\n' | sort)
}

# only_in <set> <what> <regex> <component>: files matching regex are shipped by that
# component's package and by no other; it ships at least one.
only_in() {
    local set=$1 what=$2 regex=$3 owner=${name[$4]} listing package count
    for listing in "$set"/pkg/*.files; do
        package=$(basename "${listing%.files}")
        count=$(grep -cE "$regex" "$listing" || true)
        if [ "$package" = "$owner" ]; then
            [ "$count" -gt 0 ] || fail "$owner ships no $what"
        elif [ "$count" -gt 0 ]; then
            fail "$package ships $what: $(grep -E "$regex" "$listing" | head -n 3 | tr '\n' ' ')"
        fi
    done
}

# ships_only <set> <component> <regex>: that component's package ships nothing else
# besides its documentation folder.
ships_only() {
    local extra
    extra=$(grep -vE "$3|^usr/share/doc/" "$1/pkg/${name[$2]}.files" || true)
    [ -z "$extra" ] || fail "${name[$2]} ships more than it should: $(echo "$extra" | head -n 5 | tr '\n' ' ')"
}

sets=()
for build in "$@"; do
    build=$(realpath "$build")
    set_dir=$work/$(basename "$build")
    sets+=("$set_dir")
    mkdir -p "$set_dir/pkg" "$set_dir/root"

    echo "== $build: configure for /usr, build, cpack"
    cmake -S "$source_dir" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
        -DCOMMONCTRLS_DESIGNER_PLUGIN_DIR= > "$set_dir/configure.log"
    cmake --build "$build" -j "$(nproc)" > "$set_dir/build.log"
    components=$(cpack_value "$build" CPACK_COMPONENTS_ALL)
    if [[ ";$components;" == *";doc;"* ]]; then
        cmake --build "$build" --target docs >> "$set_dir/build.log"
    fi
    rm -rf "$build/packages"
    (cd "$build" && cpack -G DEB) > "$set_dir/cpack.log"

    declare -A name=()
    for component in ${components//;/ }; do
        name[$component]=$(cpack_value "$build" "CPACK_DEBIAN_${component^^}_PACKAGE_NAME")
    done
    for deb in "$build"/packages/*.deb; do
        package=$(dpkg-deb -f "$deb" Package)
        dpkg-deb -x "$deb" "$set_dir/pkg/$package"
        dpkg-deb -x "$deb" "$set_dir/root"
        package_files "$set_dir/pkg/$package" > "$set_dir/pkg/$package.files"
        dpkg-deb -f "$deb" Depends > "$set_dir/pkg/$package.depends"
        cp "$deb" "$set_dir/"
    done
    # Every build makes these; the Python module's package comes with the bindings. The
    # other checks need them all.
    for component in runtime development translations designer doc; do
        [ -n "${name[$component]:-}" ] || name[$component]="$component package"
    done
    for component in "${!name[@]}"; do
        if [ ! -d "$set_dir/pkg/${name[$component]}" ]; then
            echo "packages: cpack made no ${name[$component]} from $build" >&2
            exit 1
        fi
    done
    version=$(dpkg-deb -f "$set_dir/${name[runtime]}"_*.deb Version)

    # The runtime package carries the SONAME: libFoo.so.0 -> libfoo0, libFoo6.so.0 -> libfoo6-0.
    library=$(grep -E '^usr/lib/[^/]+/lib[^/]+\.so\.[0-9.]+$' "$set_dir/pkg/${name[runtime]}.files" | head -n 1)
    soname=$(readelf -d "$set_dir/root/$library" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    expected=$(echo "$soname" | sed -E 's/\.so\.([0-9]+)$/ \1/; s/([0-9]) /\1-/; s/ //' | tr '[:upper:]' '[:lower:]')
    [ "${name[runtime]}" = "$expected" ] || fail "the runtime of $soname is ${name[runtime]}, not $expected"
    [[ "$library" == usr/lib/$multiarch/* ]] || fail "$library is not in the multiarch libdir"

    # Each kind of file in its own package.
    qt_major=$(grep -E '^COMMONCTRLS_QT_MAJOR:' "$build/CMakeCache.txt" | cut -d= -f2)
    qmake=qmake
    [ "$qt_major" = 6 ] && qmake=qmake6
    plugins=$("$qmake" -query QT_INSTALL_PLUGINS)
    only_in "$set_dir" "headers" '\.h$' development
    only_in "$set_dir" "the unversioned library link" "^usr/lib/$multiarch/lib[^/]*\\.so$" development
    only_in "$set_dir" "the CMake package or pkg-config file" '/(cmake|pkgconfig)/' development
    only_in "$set_dir" "a versioned library" '\.so\.[0-9]' runtime
    only_in "$set_dir" ".qm translations" '\.qm$' translations
    only_in "$set_dir" "a plugin in Qt's Designer folder (${plugins#/})" "^${plugins#/}/designer/[^/]+\.so$" designer
    only_in "$set_dir" "the HTML reference" '/html/index\.html$' doc
    if [ -n "${name[python]:-}" ]; then
        only_in "$set_dir" "the Python module" '^usr/lib/python3/dist-packages/[^/]+\.so$' python
        ships_only "$set_dir" python '^usr/lib/python3/dist-packages/[^/]+\.(so|pyi)$'
    fi
    ships_only "$set_dir" designer "^${plugins#/}/designer/[^/]+\.so$"

    # Dependencies between the packages: exact versions.
    for component in development designer python; do
        [ -n "${name[$component]:-}" ] || continue
        grep -qF "${name[runtime]} (= $version)" "$set_dir/pkg/${name[$component]}.depends" ||
            fail "${name[$component]} does not depend on ${name[runtime]} (= $version)"
    done

    # Every binary finds its libraries in the unpacked root or the system.
    while IFS= read -r -d '' binary; do
        if LD_LIBRARY_PATH=$set_dir/root/usr/lib/$multiarch ldd "$binary" | grep -q 'not found'; then
            fail "${binary#"$set_dir"/root/} misses libraries"
        fi
    done < <(find "$set_dir/root" -type f -name '*.so*' -print0)

    # The example application through find_package, from the unpacked root only.
    example=$set_dir/player-skeleton
    cmake -S examples/player-skeleton -B "$example" -DCMAKE_PREFIX_PATH="$set_dir/root/usr" \
        -DCOMMONCTRLS_QT_MAJOR="$qt_major" > "$example.log"
    package_dir=$(grep -E '^CommonCtrls6?_DIR:' "$example/CMakeCache.txt" | cut -d= -f2)
    [[ "$package_dir" == "$set_dir/root/"* ]] || fail "the example found the package at $package_dir"
    cmake --build "$example" >> "$example.log"
    LD_LIBRARY_PATH=$set_dir/root/usr/lib/$multiarch QT_QPA_PLATFORM=offscreen \
        "$example/player-skeleton" --quit-after 300

    # A consumer compiled with pkg-config's flags.
    pc_name=$(basename "$(grep -E '/pkgconfig/.*\.pc$' "$set_dir/pkg/${name[development]}.files")" .pc)
    pc_flags=$(PKG_CONFIG_PATH=$set_dir/root/usr/lib/$multiarch/pkgconfig pkg-config --cflags --libs "$pc_name")
    unpacked_headers=no
    for flag in $pc_flags; do
        [[ "$flag" == -I* && "$(realpath -m "${flag#-I}")" == "$set_dir/root/usr/include/"* ]] &&
            unpacked_headers=yes
    done
    [ "$unpacked_headers" = yes ] || fail "pkg-config's flags miss the unpacked headers: $pc_flags"
    # shellcheck disable=SC2086 # pkg-config's flags are words
    c++ -std=c++17 tests/host/main.cpp -o "$set_dir/pkg-config-consumer" $pc_flags
    LD_LIBRARY_PATH=$set_dir/root/usr/lib/$multiarch QT_QPA_PLATFORM=offscreen "$set_dir/pkg-config-consumer"

    # The Python module imports from the unpacked root into Debian's Python.
    if [ -n "${name[python]:-}" ]; then
        while IFS= read -r module; do
            module=$(basename "$module")
            PYTHONPATH=$set_dir/root/usr/lib/python3/dist-packages LD_LIBRARY_PATH=$set_dir/root/usr/lib/$multiarch \
                QT_QPA_PLATFORM=offscreen /usr/bin/python3 -c "import ${module%%.*}" || fail "${module%%.*} does not import"
        done < <(grep -oE '^usr/lib/python3/dist-packages/[^/.]+\.[^/]*so$' "$set_dir/pkg/${name[python]}.files")
    fi

    unset name
done

# No file in two packages, within one build's set or across the two.
cat "$work"/*/pkg/*.files | sort | uniq -d > "$work/shared.txt"
if [ -s "$work/shared.txt" ]; then
    fail "files in more than one package: $(head -n 5 "$work/shared.txt" | tr '\n' ' ')"
fi

# lintian: errors fail, warnings are listed.
lintian --tag-display-limit 0 "$work"/*/*.deb > "$work/lintian.txt" 2>&1 || true
if grep -q '^E: ' "$work/lintian.txt"; then
    grep '^E: ' "$work/lintian.txt" >&2
    fail "lintian reports errors"
fi
grep '^W: ' "$work/lintian.txt" || true

if [ "$failures" -gt 0 ]; then
    echo "packages: $failures checks failed" >&2
    exit 1
fi
echo "packages: $(find "$work" -maxdepth 2 -name '*.deb' | wc -l) packages of ${#sets[@]} builds unpack, install side by side and serve their hosts; lintian finds no error"
