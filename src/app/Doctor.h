#pragma once

#include "Process.h"

#include <QTextStream>

// `tockly doctor`: which backend serves each service on this session and why, for users and bug
// reports. Reads and probes only; starts no tracking.
int runDoctor(const Process &process, QTextStream &out);
