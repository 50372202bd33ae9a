# Sourced by the zip makers (make-zip.sh, make-web-zip.sh).
# reproducible_zip OUT FOLDER ENTRY...: zips the files ENTRY... (paths
# inside FOLDER) into OUT, in the order given, so that the same files give
# the same bytes on every run: each file stamped with the release's time
# (SOURCE_DATE_EPOCH; zip writes local time, hence UTC), no owners or extra
# times (-X), no folder entries (-D).
reproducible_zip() {
  local out=$1 folder=$2
  shift 2
  (cd "$folder" && touch -d "@${SOURCE_DATE_EPOCH:?}" -- "$@")
  mkdir -p "$(dirname "$out")"
  rm -f "$out"
  (cd "$folder" && printf '%s\n' "$@" | TZ=UTC zip -X -D -q -9 "$out" -@)
}
