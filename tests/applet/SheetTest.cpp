#include "SheetTest.h"

#include "Equipment.h"
#include "StandinClient.h"

namespace applettest {

void SheetTest::SetUp() { ASSERT_EQUIPMENT(standin::Reset(), "the stand-in drivers"); }

void SheetTest::OpenSheet(int pageControlId, const char* file, int line, UINT openMessage)
{
    ::testing::ScopedTrace trace(file, line, "opening the sheet");
    if (!session)
        session = std::make_unique<AppletSession>();
    ASSERT_TRUE(session->Loaded()) << "Tunora.cpl did not load";
    session->OpenAsync(openMessage);
    sheet = session->WaitSheet();
    ASSERT_NE(sheet, nullptr) << "the sheet did not open";
    page = SelectPageWithControl(sheet, pageControlId);
    ASSERT_NE(page, nullptr) << "no page has control " << pageControlId;
}

}  // namespace applettest
