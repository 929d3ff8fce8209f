#pragma once
// An 8-bit text of fixed capacity, always zero-terminated within its storage.
// Every text of the model is one of these, so no field can grow past what the
// settings file and the link layouts allow.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
struct FixedText {
    static constexpr std::size_t Capacity = N;
    char Chars[N + 1] = {};

    // Stores the text cut to the capacity; the rest of the storage is zeroed so
    // two texts with the same content compare equal byte for byte.
    void Set(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        if (n) std::memcpy(Chars, text.data(), n);
        std::memset(Chars + n, 0, N + 1 - n);
    }
    void Clear() { std::memset(Chars, 0, N + 1); }
    std::size_t Size() const { return std::strlen(Chars); }
    bool Empty() const { return Chars[0] == 0; }
    std::string_view View() const { return std::string_view(Chars, Size()); }
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return Chars; }

    FixedText& operator=(std::string_view text) { Set(text); return *this; }
    bool operator==(const FixedText& o) const { return std::memcmp(Chars, o.Chars, N + 1) == 0; }
    bool operator==(std::string_view text) const { return View() == text; }
};
