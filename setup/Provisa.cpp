#include "ProvisaApp.h"

CProvisaApp theApp;
