# Sourced: free_display N prints the first display number from N on that no
# X server holds.
free_display() {
  local n=$1
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
