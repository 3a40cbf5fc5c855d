# The checks the package tests make, sourced by them.

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The batch command BATCH: its version, and the example input data file of EXAMPLES computed
# in FOLDER into the example result file, from a file with its PDF listing (drawn by the module
# the package holds) and through a pipe.
check_batch() {
  local batch=$1 examples=$2 folder=$3 version=$4
  local said
  said=$("$batch" --version) || fail "$batch --version"
  [ "$said" = "talveno-batch $version" ] || fail "$batch --version said: $said"
  cp "$examples/cases.dat" "$folder/cases.dat"
  "$batch" --quiet --listing "$folder/cases.pdf" "$folder/cases.dat" ||
    fail "$batch cases.dat"
  cmp "$folder/cases.mpa" "$examples/cases.mpa" || fail "the example computed anew differs"
  [ "$(head -c 5 "$folder/cases.pdf")" = "%PDF-" ] || fail "no PDF listing"
  "$batch" --quiet - <"$folder/cases.dat" | cmp - "$examples/cases.mpa" ||
    fail "the example through a pipe differs"
  echo "talveno-batch $version computed the example, its PDF listing and through a pipe"
}

# The window program TALVENO: its version, without a display.
check_window_version() {
  local talveno=$1 version=$2
  local said
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$talveno" --version) ||
    fail "$talveno --version"
  [ "$said" = "talveno $version" ] || fail "$talveno --version said: $said"
  echo "talveno --version: $said"
}

# The MIME types of the example files of EXAMPLES, copies of them with LF line ends under
# other names, and a *.dat and a *.mpa file of other data, in FOLDER: as Qt's database
# (MIME_TYPE) and xdg-mime give them from the shared-mime-info database (XDG_DATA_DIRS).
check_mime() {
  local mime_type=$1 examples=$2 folder=$3
  mkdir -p "$folder/mime"
  cp "$examples/cases.dat" "$examples/cases.mpa" "$folder/mime/"
  tr -d '\r' <"$examples/cases.dat" >"$folder/mime/lf.input"
  tr -d '\r' <"$examples/cases.mpa" >"$folder/mime/lf.out"
  printf 'some other data\r\n' >"$folder/mime/other.dat"
  printf 'some other data\r\n' >"$folder/mime/other.mpa"
  local files=(cases.dat cases.mpa lf.input lf.out other.dat other.mpa)
  local expected="application/x-talveno-input application/x-talveno-result"
  expected+=" application/x-talveno-input application/x-talveno-result text/plain text/plain"
  local types file
  types=$(cd "$folder/mime" && "$mime_type" "${files[@]}" | tr '\n' ' ')
  [ "$types" = "$expected " ] || fail "MIME types (Qt): $types"
  types=
  for file in "${files[@]}"; do types+="$(xdg-mime query filetype "$folder/mime/$file") "; done
  [ "$types" = "$expected " ] || fail "MIME types (xdg-mime): $types"
  echo "MIME types: $types"
}

# The software centres' entry: valid, without a single remark, also a pedantic one.
check_metainfo() {
  local file=$1
  local said
  said=$(appstreamcli validate --pedantic --no-net --explain "$file") ||
    fail "appstreamcli validate: $said"
  [ "$said" = "✔ Validation was successful." ] || fail "appstreamcli validate: $said"
  echo "metainfo: $said"
}

# Debian's hardening in each binary the package holds below ROOT: full RELRO (a read-only
# relocation segment, all symbols bound at start), the stack protector, and fortified calls
# (in the binaries that make calls glibc fortifies).
check_hardening() {
  local root=$1
  local binary elf segments dynamic symbols fortified=0
  for elf in "$root"/usr/bin/talveno "$root"/usr/bin/talveno-batch \
    "$root"/usr/lib/*/talveno/talveno-pdf.so; do
    binary=${elf#"$root"/}
    [ -f "$elf" ] || fail "no $binary"
    segments=$(readelf -lW "$elf") dynamic=$(readelf -dW "$elf") symbols=$(readelf --dyn-syms -W "$elf")
    grep -q GNU_RELRO <<<"$segments" || fail "$binary: no RELRO"
    grep -Eq '\((FLAGS|FLAGS_1)\).*\bNOW\b' <<<"$dynamic" || fail "$binary: no BIND_NOW"
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$binary: no stack protector"
    if grep -Eq ' __[a-z0-9_]+_chk(@|$)' <<<"$symbols"; then fortified=$((fortified + 1)); fi
  done
  [ "$fortified" -gt 0 ] || fail "no binary makes fortified calls"
  echo "hardening: full RELRO, BIND_NOW and the stack protector in all, fortified calls in $fortified"
}
