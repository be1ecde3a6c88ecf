#!/usr/bin/env bash
# Fails when a layer includes a header of a layer above it (base <- platform <- common <- game).
set -u
src=${1:-${RVX_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}}
layers=(base platform common game)
status=0
for i in "${!layers[@]}"; do
  higher=("${layers[@]:i+1}")
  [ ${#higher[@]} -gt 0 ] || continue
  pattern="#include \"($(IFS='|'; echo "${higher[*]}"))/"
  if hits=$(grep -rnE "$pattern" "$src/${layers[i]}" --include='*.h' --include='*.cpp'); then
    printf '%s includes a higher layer:\n%s\n' "${layers[i]}" "${hits//$src\//}"
    status=1
  fi
done
[ $status -eq 0 ] && echo "every layer includes only itself and the layers below"
exit $status
