#pragma once
// The applet-wide state every page shares (label store, device collection, current device,
// product-key paths). One instance is built when Tunora is loaded, before the Control Panel
// opens it, and lives until the library is unloaded.
#include "AppletContext.h"

CAppletContext& Applet();
