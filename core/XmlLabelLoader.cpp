#include "XmlLabelLoader.h"

#include "LabelStore.h"
#include "ModuleName.h"

#include <string>

namespace {
// The DOM document class and its interface; not every SDK's uuid library carries them.
constexpr CLSID kClsidDomDocument = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kIidXmlDomDocument = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

std::wstring ComErrorText(HRESULT hr)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result;
    if (text) {
        result = text;
        LocalFree(text);
    } else {
        wchar_t code[32];
        wsprintfW(code, L"Unknown error 0x%08lX", static_cast<unsigned long>(hr));
        result = code;
    }
    return result;
}

std::wstring NodeText(IXMLDOMNode* node)
{
    BSTR text = nullptr;
    std::wstring result;
    if (SUCCEEDED(node->get_text(&text)) && text)
        result.assign(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

// Calls `visit` for each child node of `parent` in document order.
template <typename Visit>
void ForEachChild(IXMLDOMNode* parent, Visit visit)
{
    ComPtr<IXMLDOMNodeList> children;
    if (FAILED(parent->get_childNodes(children.Out())) || !children)
        return;
    long count = 0;
    children->get_length(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IXMLDOMNode> child;
        if (SUCCEEDED(children->get_item(i, child.Out())) && child)
            visit(child.Get());
    }
}
}  // namespace

CXmlLabelLoader::~CXmlLabelLoader()
{
    root_.Reset();
    document_.Reset();
    if (comInitialised_)
        CoUninitialize();
}

bool CXmlLabelLoader::Load(const wchar_t* path)
{
    if (!path || !*path)
        return true;
    if (!comInitialised_)
        comInitialised_ = SUCCEEDED(CoInitialize(nullptr));

    HRESULT hr = CoCreateInstance(kClsidDomDocument, nullptr, CLSCTX_INPROC_SERVER, kIidXmlDomDocument,
                                  reinterpret_cast<void**>(document_.Out()));
    if (FAILED(hr) || !document_) {
        Fail(ComErrorText(hr));
        return false;
    }
    // Loading waits for the whole file, so the document element is there when load returns.
    document_->put_async(VARIANT_FALSE);

    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(path);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    hr = document_->load(source, &loaded);
    VariantClear(&source);
    if (FAILED(hr) || loaded != VARIANT_TRUE || FAILED(document_->get_documentElement(root_.Out())) || !root_) {
        root_.Reset();
        Fail(L"Document FAILED to load!");
        return false;
    }
    return true;
}

void CXmlLabelLoader::Fail(const std::wstring& text)
{
    lastError_ = text;
    if (report_ == Report::Box)
        MessageBoxW(nullptr, text.c_str(), ModuleBaseName(nullptr).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CXmlLabelLoader::FillStore(CLabelStore& store)
{
    if (!root_)
        return;
    ForEachChild(root_.Get(), [&](IXMLDOMNode* group) {
        ForEachChild(group, [&](IXMLDOMNode* entry) {
            ComPtr<IXMLDOMNode> key;
            ComPtr<IXMLDOMNode> text;
            if (entry->get_firstChild(key.Out()) != S_OK || !key)
                return;
            if (key->get_nextSibling(text.Out()) != S_OK || !text)
                return;
            store.Insert(NodeText(key.Get()).c_str(), NodeText(text.Get()).c_str());
        });
    });
}
