#include "NamedEvents.h"

#include "Handle.h"

bool SignalNamedEvent(const wchar_t* name)
{
    CHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
    return event && ::SetEvent(event.Get()) != FALSE;
}
