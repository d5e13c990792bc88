# Sourced by the timed benchmark scripts, which set $work to their scratch
# folder. best_time RUNS COMMAND... runs the command RUNS times and prints
# the best wall-clock time in microseconds; the last run's output is left in
# $work/out and its errors in $work/err. A failed run fails it.
best_time() {
  local runs=$1 best=0 k start took
  shift
  for (( k = 0; k < runs; k++ )); do
    start=$(date +%s%N)
    "$@" >"$work/out" 2>"$work/err" || { echo "failed: $*" >&2; cat "$work/err" >&2; return 1; }
    took=$(( ($(date +%s%N) - start) / 1000 ))
    if [ $best = 0 ] || [ $took -lt $best ]; then best=$took; fi
  done
  echo $best
}
