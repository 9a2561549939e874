#pragma once
// SQLite's own rules for comparing and matching text, for lists that are
// worked out in memory and must agree with what the database would answer:
// the NOCASE and BINARY collations, the order of values of different kinds,
// and the built-in LIKE. Texts are UTF-8 bytes as SQLite stores them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace data::sqltext {

// The NOCASE collation: byte by byte with A-Z read as a-z (nothing beyond
// ASCII is folded), the shorter text first when one begins the other.
int compareNocase(std::string_view a, std::string_view b);
// The BINARY collation.
int compareBinary(std::string_view a, std::string_view b);

// The kinds of stored value in the order ORDER BY ranks them: Null first,
// then numbers by value, then texts by the column's collation, then blobs
// byte by byte.
enum class Kind : std::uint8_t { Null = 0, Number = 1, Text = 2, Blob = 3 };
int compareValues(Kind ak, double an, std::string_view at, Kind bk, double bn, std::string_view bt, bool nocase);

// `text LIKE pattern` as SQLite's built-in LIKE answers it: "%" stands for
// any run of characters, "_" for one character, ASCII letters match without
// regard to case and every other character only itself; there is no escape
// character. Null on either side never matches, so callers pass only texts.
class LikePattern {
public:
    explicit LikePattern(std::string_view pattern);
    bool matches(std::string_view text) const;

private:
    enum class Shape { General, Exact, Prefix, Contains, Segments };
    bool matchGeneral(std::string_view text) const;
    bool matchSegments(std::string_view text) const;

    std::string pattern_;
    Shape shape_ = Shape::General;
    // For patterns of ASCII literals and "%" only: the literal runs, and
    // whether the pattern starts and ends with "%".
    std::vector<std::string> segments_;
    bool openStart_ = false;
    bool openEnd_ = false;
};

inline bool like(std::string_view pattern, std::string_view text) { return LikePattern(pattern).matches(text); }

}  // namespace data::sqltext
