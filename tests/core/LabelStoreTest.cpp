#include <gtest/gtest.h>

#include <string>

#include "LabelBoxes.h"
#include "LabelStore.h"
#include "MessageBoxResponder.h"
#include "TestPaths.h"
#include "XmlLabelLoader.h"

using testsupport::MessageBoxResponder;

namespace {
// A label file with two groups, a duplicate key, an entry without a text element, an empty
// entry and non-ASCII texts.
const char kUtf8Labels[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<labels>\n"
    "  <page>\n"
    "    <entry><key>LOK</key><text>OK</text></entry>\n"
    "    <entry><key>LCANCEL</key><text>Abbrechen \xC3\xBC\xC3\x9F \xE2\x82\xAC</text></entry>\n"
    "    <entry><key>LOK</key><text>second OK</text></entry>\n"
    "  </page>\n"
    "  <messages>\n"
    "    <entry><key>ALONE</key></entry>\n"
    "    <entry/>\n"
    "    <e><k>TAP_LEFT</k><t>Tippen links</t><extra>ignored</extra></e>\n"
    "  </messages>\n"
    "</labels>\n";

std::wstring WriteFixture(const std::wstring& name, const void* data, size_t size)
{
    std::wstring dir = testsupport::MakeTempDir(L"labels");
    std::wstring path = dir + L"\\" + name;
    EXPECT_TRUE(testsupport::WriteFileBytes(path, data, size));
    return path;
}

std::wstring Utf16File(const std::wstring& text)
{
    std::wstring content = L"\xFEFF" + text;
    return content;
}
}  // namespace

TEST(LabelStore, LookupFindsTheFirstEntryOfAKeyAndGivesEmptyTextOtherwise)
{
    CLabelStore store;
    EXPECT_EQ(L"", store.Lookup(L"ANY"));
    // Keys in an order that makes both sides of the tree.
    const wchar_t* keys[] = {L"M", L"C", L"X", L"A", L"E", L"Z", L"M", L"C"};
    for (int i = 0; i < 8; ++i)
        store.Insert(keys[i], std::to_wstring(i).c_str());
    struct Case { const wchar_t* key; const wchar_t* text; } cases[] = {
        {L"M", L"0"}, {L"C", L"1"}, {L"X", L"2"}, {L"A", L"3"}, {L"E", L"4"}, {L"Z", L"5"},
        {L"B", L""}, {L"m", L""}, {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, store.Lookup(c.key)) << c.key;
    EXPECT_EQ(L"fallback", store.TextOr(L"B", L"fallback"));
    EXPECT_EQ(L"0", store.TextOr(L"M", L"fallback"));
}

TEST(LabelStore, ASortedFileMakesADeepTreeThatStillFindsEveryKey)
{
    CLabelStore store;
    for (int i = 0; i < 4000; ++i) {
        wchar_t key[16];
        wsprintfW(key, L"K%06d", i);
        store.Insert(key, key);
    }
    for (const wchar_t* key : {L"K000000", L"K001999", L"K003999"})
        EXPECT_EQ(key, store.Lookup(key));
    EXPECT_EQ(L"", store.Lookup(L"K004000"));
    EXPECT_EQ(nullptr, store.Root()->left);   // keys in ascending order all go right
}

TEST(LabelStore, LoadsAUtf8File)
{
    std::wstring path = WriteFixture(L"labels-utf8.xml", kUtf8Labels, sizeof kUtf8Labels - 1);
    CXmlLabelLoader loader;
    ASSERT_TRUE(loader.Load(path.c_str()));
    CLabelStore store;
    loader.FillStore(store);
    struct Case { const wchar_t* key; const wchar_t* text; } cases[] = {
        {L"LOK", L"OK"},
        {L"LCANCEL", L"Abbrechen \u00FC\u00DF \u20AC"},
        {L"TAP_LEFT", L"Tippen links"},
        {L"ALONE", L""},        // no text element: not inserted
        {L"MISSING", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, store.Lookup(c.key)) << c.key;
}

TEST(LabelStore, LoadsAUtf16FileWithByteOrderMark)
{
    std::wstring xml = Utf16File(
        L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<root><g><i><a>RECALIBRATE_NOW</a><b>Jetzt neu "
        L"kalibrieren? \u00E4</b></i></g><g><i><a>LOK</a><b>Gut</b></i></g></root>\r\n");
    std::wstring path = WriteFixture(L"labels-utf16.xml", xml.data(), xml.size() * sizeof(wchar_t));
    CXmlLabelLoader loader;
    ASSERT_TRUE(loader.Load(path.c_str()));
    CLabelStore store;
    loader.FillStore(store);
    EXPECT_EQ(L"Jetzt neu kalibrieren? \u00E4", store.Lookup(L"RECALIBRATE_NOW"));
    EXPECT_EQ(L"Gut", store.Lookup(L"LOK"));
}

TEST(LabelStore, AnEmptyPathLoadsNothingAndSucceeds)
{
    CXmlLabelLoader loader;
    EXPECT_TRUE(loader.Load(L""));
    CLabelStore store;
    loader.FillStore(store);
    EXPECT_EQ(nullptr, store.Root());
}

TEST(LabelStore, AMissingOrMalformedFileIsReportedAndLoadsNothing)
{
    const char broken[] = "<labels><page><entry>";
    struct Case { std::wstring path; } cases[] = {
        {testsupport::MakeTempDir(L"nolabels") + L"\\absent.xml"},
        {WriteFixture(L"broken.xml", broken, sizeof broken - 1)},
    };
    for (const Case& c : cases) {
        MessageBoxResponder responder(IDOK);
        CXmlLabelLoader loader;
        EXPECT_FALSE(loader.Load(c.path.c_str()));
        const auto& box = responder.Result();
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(L"Document FAILED to load!", box.text);
        CLabelStore store;
        loader.FillStore(store);
        EXPECT_EQ(nullptr, store.Root());
    }
}

TEST(LabelBoxes, UseLabelTextsAndFallBackToTheDefaults)
{
    CLabelStore store;
    store.Insert(L"TEXT_KEY", L"Labelled text");
    store.Insert(L"CAPTION_KEY", L"Labelled caption");
    store.Insert(L"EMPTY_KEY", L"");
    struct Case {
        const wchar_t* textKey; const wchar_t* captionKey; int button;
        const wchar_t* text; const wchar_t* caption;
    } cases[] = {
        {L"TEXT_KEY", L"CAPTION_KEY", IDYES, L"Labelled text", L"Labelled caption"},
        {L"NONE", L"NONE2", IDNO, L"Default text", L"Default caption"},
        {L"EMPTY_KEY", L"CAPTION_KEY", IDYES, L"Default text", L"Labelled caption"},
    };
    for (const Case& c : cases) {
        MessageBoxResponder responder(c.button);
        int answer = LabelQuestionBox(store, nullptr, c.textKey, c.captionKey, L"Default text", L"Default caption");
        EXPECT_EQ(c.button, answer);
        EXPECT_EQ(c.text, responder.Result().text);
        EXPECT_EQ(c.caption, responder.Result().caption);
    }
    {
        MessageBoxResponder responder(IDOK);
        LabelErrorBox(store, nullptr, L"TEXT_KEY", L"NONE", L"d", L"Error caption");
        EXPECT_EQ(L"Labelled text", responder.Result().text);
        EXPECT_EQ(L"Error caption", responder.Result().caption);
    }
    {
        MessageBoxResponder responder(IDOK);
        LabelInfoBox(store, nullptr, L"NONE", L"CAPTION_KEY", L"Info text", L"c");
        EXPECT_EQ(L"Info text", responder.Result().text);
        EXPECT_EQ(L"Labelled caption", responder.Result().caption);
    }
}
