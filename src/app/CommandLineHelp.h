#pragma once

#include <QString>

// What `tockly --help` and `tockly --version` print; the manual page says the same at length.
QString tocklyHelp();
QString tocklyVersion();
