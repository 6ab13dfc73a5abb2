# Shared by the benchmark scripts; source it from the repository's root with `build` set.
CXX=x86_64-w64-mingw32-g++-posix
command -v "$CXX" >/dev/null || CXX=x86_64-w64-mingw32-g++

# Configures and builds the program's core library and its stage folder.
build_core() {
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null 2>&1
  cmake --build "$build" --target pellmaris_core stage >/dev/null
}

# build_driver BIN NAME: bench/NAME.cpp, linked with the core and its resources, as BIN/NAME.exe.
build_driver() {
  local bin=$1 name=$2 resources=$PWD/$1/resources.o
  [[ -f $resources ]] || (cd resources && x86_64-w64-mingw32-windres pellmaris.rc -O coff -o "$resources")
  "$CXX" -std=c++20 -O2 -static -DNOMINMAX -DWIN32_LEAN_AND_MEAN -DWINVER=0x0A00 -D_WIN32_WINNT=0x0A00 -I. \
    -o "$bin/$name.exe" "bench/$name.cpp" "$resources" "$build/libpellmaris_core.a" \
    $(sed -n 's/^set(WIN32_LIBS \(.*\))$/\1/p' CMakeLists.txt | sed 's/\([a-z0-9_]*\)/-l\1/g') -mwindows
}

# make_tree DIR FOLDERS [FILES_PER_FOLDER] makes, with host tools, a tree of FOLDERS folders
# (a tenth of them at the top, the rest one level below), each holding FILES_PER_FOLDER
# (default 10) files of 100 bytes.
make_tree() {
  local dir=$1 count=$2 per=${3:-10} top=$(( $2 / 10 )) made=0 t s f payload
  payload=$(printf '%0100d' 0)
  mkdir -p "$dir"
  for (( t = 0; t < top; t++ )); do
    mkdir "$dir/top$t"
    for (( f = 0; f < per; f++ )); do printf '%s' "$payload" > "$dir/top$t/file$f.tmp"; done
    made=$(( made + 1 ))
    for (( s = 0; s < 9 && made < count; s++ )); do
      mkdir "$dir/top$t/sub$s"
      for (( f = 0; f < per; f++ )); do printf '%s' "$payload" > "$dir/top$t/sub$s/file$f.tmp"; done
      made=$(( made + 1 ))
    done
  done
}
