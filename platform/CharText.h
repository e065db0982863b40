#pragma once
// Fixed ASCII texts for the two builds of the same code: the wide build (UTF-16) of most
// programs and the narrow build (system code page) of the background programs.
//
//   TIVEN_TEXT(Char, "Device Name")    "Device Name" for char, L"Device Name" for wchar_t
//   NarrowText(kProductKeyPath)        the narrow copy of a wide constant, made at compile time
//                                      (.data() gives the text); a character outside ASCII
//                                      stops the build
#include <array>
#include <cstddef>

template <typename Char>
struct CharText;

template <>
struct CharText<char> {
    static constexpr const char* Pick(const char* narrow, const wchar_t*) { return narrow; }
};

template <>
struct CharText<wchar_t> {
    static constexpr const wchar_t* Pick(const char*, const wchar_t* wide) { return wide; }
};

#define TIVEN_TEXT(Char, text) (::CharText<Char>::Pick(text, L"" text))

template <size_t N>
constexpr std::array<char, N> NarrowText(const wchar_t (&wide)[N])
{
    std::array<char, N> narrow{};
    for (size_t i = 0; i < N; ++i) {
        if (wide[i] > 0x7F)
            throw "NarrowText takes ASCII texts only";
        narrow[i] = static_cast<char>(wide[i]);
    }
    return narrow;
}
