#pragma once
// Resources of the start-up floors.
#define IDD_FLOOR 100
