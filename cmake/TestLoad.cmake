# SPDX-FileCopyrightText: 2026 The Tockly developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Most tests keep a core busy; a few spend minutes waiting on real time (typing, syncing, a
# scripted half hour). scripts/test-release runs ctest with three jobs per core and two more: a
# test that computes weighs three, one that waits weighs one. So no more computing tests run at
# once than there are cores, and the waiting ones run beside them instead of holding a core each.
# A plain `ctest -jN` gives a computing test three of its N jobs, or all of them when N is smaller.
function(tockly_test_computes)
  set_tests_properties(${ARGN} PROPERTIES PROCESSORS 3)
endfunction()

# Started first: they set the suite's length.
function(tockly_test_waits)
  set_tests_properties(${ARGN} PROPERTIES COST 1000)
endfunction()
