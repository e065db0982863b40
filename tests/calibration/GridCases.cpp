#include "GridCases.h"

#include <cstring>

const std::vector<GridCase>& GridCases()
{
    static const std::vector<GridCase> cases = {
#include "GridCalibrationCases.inc"
    };
    return cases;
}

const GridCase* FindGridCase(const char* name, int points)
{
    for (const GridCase& c : GridCases())
        if (c.points == points && strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}
