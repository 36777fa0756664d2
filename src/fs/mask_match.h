#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fs {

// A file-name mask as the directory search understands it: letter case is ignored, "*" matches any run of
// characters (none included), "?" matches one character, or none when it stands at the end of the mask or
// just before a ".", and a mask ending in ".*" (so "*.*" too) also matches names without a dot.
//
// Only the long name is matched. The system's own search also tries each file's 8.3 alias, which makes
// "*.tmp" list "report.tmpl"; that is never what a junk mask means, so the alias is not consulted.
class Mask {
  public:
    explicit Mask(std::string_view mask);

    bool Matches(std::string_view name) const;
    const std::string& Text() const { return text_; }

  private:
    struct Token {
        enum Kind { Literal, Star, Question, OptionalQuestion, DotOrEnd } kind;
        char32_t c = 0;  // folded, for Literal
    };

    std::string text_;
    std::vector<Token> tokens_;
    bool matchesAll_ = false;
    bool noDotOnly_ = false;  // the mask ended with a bare "."
};

// One-off form of Mask(mask).Matches(name).
bool MatchesMask(std::string_view name, std::string_view mask);

// Any of the masks; false when there is none.
bool MatchesAnyMask(std::string_view name, const std::vector<Mask>& masks);

}  // namespace fs
