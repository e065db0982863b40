#pragma once
// Fills a label store from a label XML file through the system's XML DOM document.
//
// A label file is a document element holding groups, each holding entries; the first child of
// an entry holds the key, that child's next sibling holds the text. Element names are not
// looked at.
#include <windows.h>
#include <msxml.h>

#include <string>

#include "ComPtr.h"

class CLabelStore;

class CXmlLabelLoader {
public:
    // Box: a failure is shown in a message box (the programs with windows). Quiet: nothing is
    // shown and the caller reports LastError() its own way (an unattended setup).
    enum class Report { Box, Quiet };

    explicit CXmlLabelLoader(Report report = Report::Box) : report_(report) {}
    virtual ~CXmlLabelLoader();
    CXmlLabelLoader(const CXmlLabelLoader&) = delete;
    CXmlLabelLoader& operator=(const CXmlLabelLoader&) = delete;

    // An empty path loads nothing and succeeds. A document that cannot be created or loaded is
    // reported in a message box and gives false.
    bool Load(const wchar_t* path);
    // Inserts every (key, text) entry of the loaded document, in document order.
    void FillStore(CLabelStore& store);
    // The text of the last failure ("Document FAILED to load!" or the COM error), else empty.
    const std::wstring& LastError() const { return lastError_; }

private:
    void Fail(const std::wstring& text);

    ComPtr<IXMLDOMDocument> document_;
    ComPtr<IXMLDOMElement> root_;
    bool comInitialised_ = false;
    Report report_;
    std::wstring lastError_;
};
