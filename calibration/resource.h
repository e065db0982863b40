#pragma once
#define IDI_AIMWELL 129
#define IDB_TARGET 131   // the target picture
#define IDB_COVER 136    // covers a target just left on a secondary monitor
#define IDB_CENTRE 141   // the centre picture, shown once
