#pragma once

class MacWorkStore;

// The one store of the process, for code that cannot be handed it (QML singletons, the crew
// tasks). main builds the store and sets it here; the store itself does not know.
MacWorkStore *sharedStore();
void setSharedStore(MacWorkStore *store);
