#include "sqltext.h"

#include <algorithm>
#include <cstring>

namespace data::sqltext {

namespace {

inline unsigned fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? unsigned(c) + 32 : unsigned(c); }

// The first bits of a character from its lead byte, as SQLite's UTF-8 reader
// takes them (0xC0 and up).
inline char32_t leadBits(unsigned c)
{
    if (c < 0xE0)
        return c - 0xC0;
    if (c < 0xF0)
        return c - 0xE0;
    if (c < 0xF8)
        return c - 0xF0;
    if (c < 0xFC)
        return c - 0xF8;
    if (c < 0xFE)
        return c - 0xFC;
    return 0;
}

// One character as SQLite reads it, however the bytes are formed; `i`
// moves past it. Malformed sequences read as U+FFFD, a stray continuation
// byte as itself.
char32_t readChar(std::string_view s, std::size_t& i)
{
    char32_t c = static_cast<unsigned char>(s[i++]);
    if (c >= 0xC0) {
        c = leadBits(c);
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            c = (c << 6) + (static_cast<unsigned char>(s[i++]) & 0x3F);
        if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
            c = 0xFFFD;
    }
    return c;
}

inline bool sameChar(char32_t a, char32_t b)
{
    return a == b ||
           (a < 0x80 && b < 0x80 && fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b)));
}

// LIKE reads its operands as C strings: nothing after a NUL takes part.
inline std::string_view untilNul(std::string_view s)
{
    if (const void* z = std::memchr(s.data(), 0, s.size()))
        return s.substr(0, std::size_t(static_cast<const char*>(z) - s.data()));
    return s;
}

// Whether `lit` (ASCII) stands in `s` at `at`, letters without regard to case.
inline bool literalAt(std::string_view s, std::size_t at, std::string_view lit)
{
    if (at + lit.size() > s.size())
        return false;
    for (std::size_t k = 0; k < lit.size(); ++k)
        if (fold(static_cast<unsigned char>(s[at + k])) != fold(static_cast<unsigned char>(lit[k])))
            return false;
    return true;
}

// The first place at or after `from` where `lit` stands; npos for none.
std::size_t findLiteral(std::string_view s, std::size_t from, std::string_view lit)
{
    if (lit.empty())
        return from <= s.size() ? from : std::string_view::npos;
    if (lit.size() > s.size())
        return std::string_view::npos;
    const unsigned first = fold(static_cast<unsigned char>(lit[0]));
    for (std::size_t i = from; i + lit.size() <= s.size(); ++i)
        if (fold(static_cast<unsigned char>(s[i])) == first && literalAt(s, i, lit))
            return i;
    return std::string_view::npos;
}

}  // namespace

int compareNocase(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (const int d = int(fold(x)) - int(fold(y)); d != 0)
            return d;
        // SQLite's comparison of the bytes stops at a NUL; the lengths
        // then decide.
        if (x == 0)
            break;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int compareBinary(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    if (n > 0)
        if (const int d = std::memcmp(a.data(), b.data(), n); d != 0)
            return d;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int compareValues(Kind ak, double an, std::string_view at, Kind bk, double bn, std::string_view bt, bool nocase)
{
    if (ak != bk)
        return ak < bk ? -1 : 1;
    switch (ak) {
    case Kind::Null: return 0;
    case Kind::Number: return an < bn ? -1 : (an > bn ? 1 : 0);
    case Kind::Text: return nocase ? compareNocase(at, bt) : compareBinary(at, bt);
    case Kind::Blob: return compareBinary(at, bt);
    }
    return 0;
}

LikePattern::LikePattern(std::string_view pattern) : pattern_(untilNul(pattern))
{
    const bool plain = std::none_of(pattern_.begin(), pattern_.end(),
                                    [](char ch) { return ch == '_' || static_cast<unsigned char>(ch) >= 0x80; });
    if (!plain)
        return;
    // ASCII literals and "%" only: a run of literals can be looked for
    // byte by byte, as no byte of another character equals an ASCII one.
    std::size_t start = 0;
    while (start <= pattern_.size()) {
        const std::size_t end = std::min(pattern_.find('%', start), pattern_.size());
        if (end > start)
            segments_.emplace_back(pattern_.substr(start, end - start));
        start = end + 1;
    }
    openStart_ = !pattern_.empty() && pattern_.front() == '%';
    openEnd_ = !pattern_.empty() && pattern_.back() == '%';
    if (pattern_.find('%') == std::string::npos)
        shape_ = Shape::Exact;
    else if (segments_.empty())
        shape_ = Shape::Contains;  // "%" alone matches every text
    else if (segments_.size() == 1 && !openStart_ && openEnd_)
        shape_ = Shape::Prefix;
    else if (segments_.size() == 1 && openStart_ && openEnd_)
        shape_ = Shape::Contains;
    else
        shape_ = Shape::Segments;
}

bool LikePattern::matches(std::string_view text) const
{
    text = untilNul(text);
    switch (shape_) {
    case Shape::Exact: return text.size() == pattern_.size() && literalAt(text, 0, pattern_);
    case Shape::Prefix: return literalAt(text, 0, segments_.front());
    case Shape::Contains: return segments_.empty() || findLiteral(text, 0, segments_.front()) != std::string_view::npos;
    case Shape::Segments: return matchSegments(text);
    case Shape::General: return matchGeneral(text);
    }
    return false;
}

bool LikePattern::matchSegments(std::string_view s) const
{
    std::size_t pos = 0;
    for (std::size_t k = 0; k < segments_.size(); ++k) {
        const std::string& seg = segments_[k];
        const bool first = k == 0;
        const bool last = k + 1 == segments_.size();
        if (first && !openStart_) {
            if (!literalAt(s, 0, seg))
                return false;
            pos = seg.size();
        } else if (last && !openEnd_) {
            // The last run sits at the very end, after what came before.
            return s.size() >= pos + seg.size() && literalAt(s, s.size() - seg.size(), seg);
        } else {
            const std::size_t at = findLiteral(s, pos, seg);
            if (at == std::string_view::npos)
                return false;
            pos = at + seg.size();
        }
    }
    return openEnd_ || pos == s.size();
}

bool LikePattern::matchGeneral(std::string_view s) const
{
    // Character by character; on a mismatch the last "%" takes one more
    // character and the rest of the pattern is tried again from there.
    const std::string_view p = pattern_;
    std::size_t pi = 0, si = 0;
    std::size_t starP = std::string_view::npos, starS = 0;
    while (si < s.size()) {
        if (pi < p.size()) {
            if (p[pi] == '%') {
                starP = ++pi;
                starS = si;
                continue;
            }
            std::size_t pn = pi, sn = si;
            const char32_t pc = readChar(p, pn);
            const char32_t sc = readChar(s, sn);
            if (pc == U'_' || sameChar(pc, sc)) {
                pi = pn;
                si = sn;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        readChar(s, starS);
        si = starS;
        pi = starP;
    }
    while (pi < p.size() && p[pi] == '%')
        ++pi;
    return pi == p.size();
}

}  // namespace data::sqltext
