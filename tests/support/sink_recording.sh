# Recording what the test PulseAudio's null sink plays, for the music tests;
# sourced. The recording is raw signed 16-bit little-endian mono at 44100 Hz,
# what analyse_recording.py reads.
#   start_recording FILE    returns once the recorder delivers data
#   stop_recording          also safe in an EXIT trap, and twice

start_recording() {
  pactl set-default-sink velkaro_null
  # An idle null sink renders in blocks of two seconds, and its monitor then
  # hands out late and cut-short data. A stream of silence keeps the sink at
  # a low latency, so that the recording follows the clock.
  pacat --raw --format=s16le --rate=44100 --channels=2 --latency-msec=30 </dev/zero &
  sink_keep_alive=$!
  parec -d velkaro_null.monitor --format=s16le --rate=44100 --channels=1 --raw \
    --latency-msec=50 >"$1" &
  sink_recorder=$!
  # The recorder may take a second or two to deliver its first data; the
  # music must not start before it does.
  for _ in $(seq 100); do
    [ -s "$1" ] && break
    sleep 0.05
  done
  sleep 0.3
}

stop_recording() {
  [ -n "${sink_recorder:-}" ] || return 0
  kill "$sink_recorder" "$sink_keep_alive" 2>/dev/null || true
  wait "$sink_recorder" "$sink_keep_alive" 2>/dev/null || true
  sink_recorder='' sink_keep_alive=''
}
