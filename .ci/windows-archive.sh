# Sourced by .ci/windows and .ci/release-windows, after use_runtime (see
# windows-runtime.sh): release_archive DIR makes the archive of the
# committed tree for that runtime into DIR, and removes every file it was
# made from; archive then holds the zip's path. make_archive SOURCE WORK
# DIR builds the static and the shared library and the programs of the
# tree at SOURCE, stages them under WORK as the folder a user unzips, and
# zips it into DIR; the UCRT archive also holds Visual Studio's import
# library of the DLL.
#
# The same tree gives the same bytes: no link time stamp, every file's
# time the last commit's (SOURCE_DATE_EPOCH) and the entries in one order,
# without the owner and time fields zip would add.
make_archive() { # source work dir
  local tree=$1 work=$2 kind page version name
  version=$(sed -n 's/^project(lineinput VERSION \([0-9.]*\).*/\1/p' "$tree/CMakeLists.txt")
  name=lineinput-$version-$triplet
  staged=$work/$name archive=$3/$name.zip
  rm -rf "$staged" "$archive" "$work"/{static,shared}-files
  # Each build installs into a folder of its own, and the archive takes
  # each file from one of them: a file both install must be the same
  # bytes (the headers, pages and package files), so neither build can
  # silently keep or replace a file of the other's.
  for kind in static shared; do
    local options=(-DBUILD_SHARED_LIBS=OFF)
    [ $kind = static ] || options=(-DBUILD_SHARED_LIBS=ON -DLINEINPUT_PROGRAMS=OFF)
    "$src/.ci/quiet" cmake -S "$tree" -B "$work/$kind" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DLINEINPUT_TESTS=OFF -DLINEINPUT_WERROR=ON "${options[@]}" \
      -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp \
      -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp
    "$src/.ci/quiet" cmake --build "$work/$kind"
    "$src/.ci/quiet" cmake --install "$work/$kind" --prefix "$work/$kind-files"
    # pkg-config finds the folder from its own file, wherever it is unzipped.
    sed -i 's|^prefix=.*|prefix=${pcfiledir}/../..|' "$work/$kind-files/lib/pkgconfig/lineinput.pc"
  done
  for file in $(cd "$work/static-files" && find . -type f); do
    [ ! -e "$work/shared-files/$file" ] || cmp -s "$work"/{static,shared}-files/"$file" ||
      { echo "FAIL: the static and the shared build both install $file, differently" >&2; return 1; }
  done
  mkdir -p "$staged"
  cp -a "$work/static-files/." "$work/shared-files/." "$staged"
  # Visual Studio links the UCRT DLL through an import library of its own
  # kind, made from what the DLL exports.
  if [ "$triplet" = x86_64-w64-mingw32ucrt ]; then
    printf 'LIBRARY liblineinput-1.dll\nEXPORTS\n' >"$work/lineinput.def"
    dll_exports "$staged/bin/liblineinput-1.dll" >>"$work/lineinput.def"
    llvm-dlltool-14 -m i386:x86-64 -d "$work/lineinput.def" -l "$staged/lib/lineinput.lib"
  fi
  # The pages as UTF-8 text with Windows line ends, for those without man;
  # a page that only points to another (GetDouble.3) is that one's text.
  mkdir "$staged/doc" "$staged/examples"
  for page in "$staged"/share/man/man*/*; do
    (cd "$staged/share/man" && groff -s -man -Tutf8 -P-cbou -ww "$page") | sed 's/$/\r/' \
      >"$staged/doc/$(basename "$page").txt"
  done
  for file in examples/hello.c examples/greeting.cpp; do
    sed 's/$/\r/' "$tree/$file" >"$staged/$file"
  done
  sed 's/$/\r/' "$tree/LICENSE" >"$staged/LICENSE.txt"
  sed -e 's/$/\r/' -e "s/@VERSION@/$version/g" -e "s/@TRIPLET@/$triplet/g" \
    "$tree/man/README-Windows.txt" >"$staged/README-Windows.txt"
  find "$staged" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
  chmod 755 "$staged"/bin/*
  find "$staged" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
  mkdir -p "$3"
  (cd "$work" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$archive")
}

# The names a DLL exports, one a line.
dll_exports() { # dll
  $triplet-objdump -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    awk '/^[ \t]*\[ *[0-9]+\]/ { print $NF }'
}

# A fixed path for the tree, so that no build differs by where it ran; the
# files' times are the last commit's.
release_archive() { # dir
  local work=$src/build/release-windows
  local tree=$work/source
  rm -rf "$tree" "$work/$runtime"
  mkdir -p "$tree"
  git -C "$src" archive HEAD | tar -x -C "$tree"
  SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
  make_archive "$tree" "$work/$runtime" "$1" >&2
  rm -rf "$tree" "$work/$runtime"
}
