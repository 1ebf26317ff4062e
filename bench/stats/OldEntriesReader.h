#pragma once

#include "WorkEntry.h"

std::optional<QList<WorkEntry>> oldDecodeEntries(QByteArrayView json);
