# Sourced by the scripts: `need TOOL PACKAGE` fails at once, naming the tool
# and the Debian package that scripts/setup installs it from, when TOOL is not
# on the PATH (or, given as a path, not executable).
need() {
  local tool=$1 package=$2
  if [[ "$tool" == */* ]]; then
    [ -x "$tool" ] && return 0
  else
    command -v "$tool" >/dev/null 2>&1 && return 0
  fi
  echo "${0##*/}: $tool is missing (package $package); run scripts/setup as root" >&2
  exit 2
}
