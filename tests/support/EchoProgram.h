#pragma once
// A copy of the echo program (CoreArgEcho.exe, built with the tests) under another name in a new
// folder whose path has blanks, as under "Program Files". Started, it records the command-line
// text after its own name in a file named by the environment, which started programs inherit.
// Tests point a product-key path at it to see whether, and with what, a program was started.
// Test programs that use it depend on the CoreArgEcho target.
#include <string>

namespace testsupport {

class EchoProgram {
public:
    explicit EchoProgram(const std::wstring& fileName = L"Aim well.exe");
    ~EchoProgram();
    EchoProgram(const EchoProgram&) = delete;
    EchoProgram& operator=(const EchoProgram&) = delete;

    const std::wstring& Path() const { return path_; }
    bool Copied() const { return copied_; }
    // The argument the program received, once it has written it and its file can be read;
    // "<not started>" when it did not write it before the deadline.
    std::wstring Received() const;
    // True when the program has not been started: it neither runs nor has written its file.
    // A start is complete when CreateProcessW returns, and the program writes its file before it
    // ends, so after the starting code has returned this needs no waiting.
    bool NeverStarted() const;
    // Forgets an earlier run, once that copy has ended, so the next start can be told apart.
    void Clear() const;

private:
    std::wstring dir_;
    std::wstring fileName_;
    std::wstring path_;
    std::wstring output_;
    bool copied_ = false;
};

}  // namespace testsupport
