#include "AppletGlobals.h"

namespace {
// Built at load time: its collection reads the product key and every device key.
CAppletContext applet;
}

CAppletContext& Applet() { return applet; }
