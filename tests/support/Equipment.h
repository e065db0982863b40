#pragma once
// Test equipment that must be there: a test whose equipment (the stand-in drivers) does not
// answer fails. Only for running one test by hand without the equipment, setting
// TIVEN_SKIP_MISSING_EQUIPMENT=1 in the environment turns that failure into a skip.
#include <gtest/gtest.h>

namespace testsupport {
bool SkipMissingEquipment();
}

// In a test or SetUp: `ready` is evaluated once; when false the test stops here.
#define ASSERT_EQUIPMENT(ready, what)                                                              \
    do {                                                                                           \
        if (!(ready)) {                                                                            \
            if (::testsupport::SkipMissingEquipment())                                             \
                GTEST_SKIP() << what << " not answering (TIVEN_SKIP_MISSING_EQUIPMENT is set)";    \
            FAIL() << what << " not answering";                                                    \
        }                                                                                          \
    } while (0)
