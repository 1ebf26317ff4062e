#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# scripts/deps on this release: ./run must not bring the test bench onto a user's desktop, every
# name must be one apt can install here (a misspelt or renamed package breaks ./run on a fresh
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

# apt resolves them all together, as it would on a fresh machine (a virtual name included).
mapfile -t all < <("$deps" --list "$release")
out=$(apt-get install -s --no-install-recommends "${all[@]}" 2>&1) ||
  problem "apt cannot install the lists on Debian $release: $(grep '^E:' <<<"$out")"

! "$deps" --list "$release" tests >/dev/null 2>&1 || problem "an unknown purpose was accepted"
exit $fail
