# Sourced by the CI scripts: apt_install PKG... installs the named Debian packages (after one
# `apt-get update`); with no arguments it does nothing.
apt_install() {
  [ $# -gt 0 ] || return 0
  echo "== installing: $*"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}
