#include "fs/mask_match.h"

#include <algorithm>
#include <array>

namespace fs {
namespace {

// Simple case folding for the scripts file names are usually written in; the system's own search folds
// through its upper-case table, which agrees with this on these ranges.
char32_t Fold(char32_t c) {
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 32;
    if (c == 0x178)
        return 0xFF;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

// Decodes one UTF-8 sequence at text[pos]. A byte that does not start a valid sequence stands for itself
// in a private range, so two different broken names never compare equal.
char32_t Decode(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int length = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xDC00 + b0;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xDC00 + b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += length;
    return c;
}

// Room for the usual name without touching the heap; longer names spill into a vector.
template <typename T>
class Scratch {
  public:
    explicit Scratch(size_t size) {
        if (size > fixed_.size()) {
            spill_.resize(size);
            data_ = spill_.data();
        } else {
            data_ = fixed_.data();
        }
    }
    T& operator[](size_t i) { return data_[i]; }
    T* data() { return data_; }

  private:
    std::array<T, 512> fixed_;
    std::vector<T> spill_;
    T* data_;
};

}  // namespace

Mask::Mask(std::string_view mask) : text_(mask) {
    std::vector<char32_t> chars;
    for (size_t pos = 0; pos < mask.size();)
        chars.push_back(Decode(mask, pos));

    if (!chars.empty() && std::all_of(chars.begin(), chars.end(), [](char32_t c) { return c == '*'; })) {
        matchesAll_ = true;
        return;
    }
    if (chars.size() >= 3 && chars[chars.size() - 1] == '*' && chars[chars.size() - 2] == '.' &&
        std::all_of(chars.begin(), chars.end() - 2, [](char32_t c) { return c == '*'; })) {
        matchesAll_ = true;  // "*.*": every name, with or without a dot
        return;
    }
    // A mask ending in a bare dot asks for names without any dot ("*." lists extensionless files).
    if (!chars.empty() && chars.back() == '.') {
        noDotOnly_ = true;
        chars.pop_back();
    }

    for (size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (c == '*') {
            if (tokens_.empty() || tokens_.back().kind != Token::Star)
                tokens_.push_back({Token::Star});
        } else if (c == '?') {
            size_t end = i;
            while (end < chars.size() && chars[end] == '?')
                ++end;
            const bool optional = end == chars.size() || chars[end] == '.';
            tokens_.push_back({optional ? Token::OptionalQuestion : Token::Question});
        } else if (c == '.' &&
                   std::all_of(chars.begin() + static_cast<std::ptrdiff_t>(i) + 1, chars.end(),
                               [](char32_t d) { return d == '*'; }) &&
                   i + 1 < chars.size()) {
            tokens_.push_back({Token::DotOrEnd});
        } else {
            tokens_.push_back({Token::Literal, Fold(c)});
        }
    }
}

bool Mask::Matches(std::string_view name) const {
    if (matchesAll_)
        return true;
    Scratch<char32_t> chars(name.size());
    size_t n = 0;
    for (size_t pos = 0; pos < name.size();) {
        const char32_t c = Fold(Decode(name, pos));
        if (noDotOnly_ && c == '.')
            return false;
        chars[n++] = c;
    }

    // The set of name positions reachable after each token, as a row of flags.
    Scratch<char> reach(n + 1);
    Scratch<char> next(n + 1);
    std::fill(reach.data(), reach.data() + n + 1, 0);
    reach[0] = 1;
    for (const Token& token : tokens_) {
        std::fill(next.data(), next.data() + n + 1, 0);
        bool any = false;
        if (token.kind == Token::Star) {
            size_t first = 0;
            while (first <= n && !reach[first])
                ++first;
            for (size_t i = first; i <= n; ++i)
                next[i] = 1;
            any = first <= n;
        } else {
            for (size_t i = 0; i <= n; ++i) {
                if (!reach[i])
                    continue;
                switch (token.kind) {
                    case Token::Literal:
                        if (i < n && chars[i] == token.c)
                            next[i + 1] = 1;
                        break;
                    case Token::Question:
                        if (i < n)
                            next[i + 1] = 1;
                        break;
                    case Token::OptionalQuestion:
                        next[i] = 1;
                        if (i < n)
                            next[i + 1] = 1;
                        break;
                    case Token::DotOrEnd:
                        if (i == n)
                            next[i] = 1;
                        else if (chars[i] == '.')
                            next[i + 1] = 1;
                        break;
                    case Token::Star:
                        break;
                }
            }
            for (size_t i = 0; i <= n && !any; ++i)
                any = next[i] != 0;
        }
        if (!any)
            return false;
        std::copy(next.data(), next.data() + n + 1, reach.data());
    }
    return reach[n] != 0;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    return Mask(mask).Matches(name);
}

bool MatchesAnyMask(std::string_view name, const std::vector<Mask>& masks) {
    return std::any_of(masks.begin(), masks.end(), [&](const Mask& mask) { return mask.Matches(name); });
}

}  // namespace fs
