# The checks both package tests make, sourced by them.

# An input data file of one row, the worked case: penetration 80, softening point 50, loading
# time 1 s, temperature 0 °C, asphalt volume 12 %, voids 4 %.
sample_input() {
  # The two header lines in CP932.
  printf '\x81\x40No \x81\x40 pen   soft   loadtime\x81\x40temp \x81\x40asvol\x81\x40 void\r\n' >"$1"
  printf '  \x81\x40\x81\x40 0.1mm   \x81\x8e  \x81\x40   \x95\x62      \x81\x8e   \x81\x40%% \x81\x40    %%\r\n' >>"$1"
  printf '  1    80.0   50.0      1.000    0.0   12.0    4.0\r\n' >>"$1"
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The batch command BATCH: its version, and the worked case computed in FOLDER, from a file
# with its PDF listing (drawn by the module the package holds) and through a pipe.
check_batch() {
  local batch=$1 folder=$2 version=$3
  local said
  said=$("$batch" --version) || fail "$batch --version"
  [ "$said" = "talveno-batch $version" ] || fail "$batch --version said: $said"
  sample_input "$folder/cases.dat"
  "$batch" --quiet --listing "$folder/cases.pdf" "$folder/cases.dat" ||
    fail "$batch cases.dat"
  local expected=$'  1    80.0   50.0   0.00     1.000    0.0   87.5 2.151E+0001 5.002E+0003\r'
  local line
  line=$(sed -n 3p "$folder/cases.mpa")
  [ "$line" = "$expected" ] || fail "the worked case gave: $line"
  [ "$(head -c 5 "$folder/cases.pdf")" = "%PDF-" ] || fail "no PDF listing"
  line=$("$batch" --quiet - <"$folder/cases.dat" | sed -n 3p)
  [ "$line" = "$expected" ] || fail "the worked case through a pipe gave: $line"
  echo "talveno-batch $version computed the worked case, its PDF listing and through a pipe"
}

# The MIME type of an input data file, as the shared-mime-info database MIME_TYPE reads gives
# it: the program's type only where the header line says so.
check_mime() {
  local mime_type=$1 folder=$2
  sample_input "$folder/cases.dat"
  printf 'some other data\r\n' >"$folder/other.dat"
  local types
  types=$("$mime_type" "$folder/cases.dat" "$folder/other.dat" | tr '\n' ' ')
  [ "$types" = "application/x-talveno-input text/plain " ] || fail "MIME types: $types"
  echo "MIME types: $types"
}
