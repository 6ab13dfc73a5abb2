# Shared by the benchmark scripts (source it): make_tree DIR FOLDERS [FILES_PER_FOLDER]
# makes, with host tools, a tree of FOLDERS folders (a tenth of them at the top, the rest
# one level below), each holding FILES_PER_FOLDER (default 10) files of 100 bytes.
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
