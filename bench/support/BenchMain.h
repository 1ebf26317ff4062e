// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs the registered benchmarks. ctest runs every benchmark once with "--quick", which shrinks
// the record to `quickDays` so that the run is brief and the benchmark never rots.
int runBenchmarks(int argc, char **argv, int &days, int quickDays = 30);
