# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Most tests keep a core busy; a few spend minutes waiting on real time (typing, syncing, a
# scripted half hour). scripts/test-release hands ctest as many "cpus" as the machine has and
# more jobs than that, so the waiting ones run beside the others instead of holding a job each.
# A plain ctest without that resource file ignores both settings.
function(tockly_test_computes)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_GROUPS cpus:1)
endfunction()

# Started first: they set the suite's length.
function(tockly_test_waits)
  set_tests_properties(${ARGN} PROPERTIES COST 1000)
endfunction()
