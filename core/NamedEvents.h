#pragma once
// Telling another program through its named event (the names are in NamedObjects.h).
#include <windows.h>

// Opens the event by name with the one right setting it needs (EVENT_MODIFY_STATE), sets it and
// closes it again. False when no such event exists, which means that the program that makes it
// does not run, or when it cannot be opened or set.
bool SignalNamedEvent(const wchar_t* name);
