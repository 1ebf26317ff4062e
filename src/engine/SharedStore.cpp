#include "SharedStore.h"

namespace {
MacWorkStore *g_store = nullptr;
}

MacWorkStore *sharedStore()
{
    return g_store;
}

void setSharedStore(MacWorkStore *store)
{
    g_store = store;
}
