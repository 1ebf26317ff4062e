#!/usr/bin/env bash
# scripts/deps on this release: ./run must not bring the test bench onto a user's desktop, every
# name must be one apt knows here (a misspelt or renamed package breaks ./run on a fresh
# machine), and a purpose no list has must fail rather than install nothing.
set -uo pipefail
deps=$(dirname "$0")/../../scripts/deps
release=$(. /etc/os-release && echo "$VERSION_ID")
fail=0
problem() { echo "$*"; fail=1; }

run=$("$deps" --list "$release" run) || problem "no run list"
for p in sway kwin-wayland gnome-shell mutter weston postgresql chromium workrave syncthing \
  mmdebstrap xvfb wrk faketime lintian; do
  ! grep -qx "$p" <<<"$run" || problem "./run would install $p"
done

unknown=$(comm -23 <("$deps" --list "$release") <(apt-cache pkgnames | sort -u))
[ -z "$unknown" ] || problem "Debian $release has no package" $unknown

! "$deps" --list "$release" tests >/dev/null 2>&1 || problem "an unknown purpose was accepted"
exit $fail
