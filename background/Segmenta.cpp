// Segmenta: keeps the touch drivers in step with the display and the power state. The
// framework's entry point (narrow build) runs the application object below.
#include "SegmentaApp.h"

namespace {
CSegmentaApp theApp;
}
