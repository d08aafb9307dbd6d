#include "system/posix/Wildcard.h"

#include <string>
#include <vector>

#include "system/posix/AsciiText.h"

namespace PosixHost {
namespace {

// The pattern in the DOS form a Windows listing turns it into before matching.
enum class Token : char {
  Literal,
  Star,     // "*": any run
  DosStar,  // "*" before ".": any run that does not take the name's last dot
  DosQm,    // "?": one character other than a dot; nothing at a dot or the end
  DosDot,   // "." before a wildcard or at the end: a dot, or nothing at the end of the name
};

struct Piece {
  Token token;
  char literal;
};

std::vector<Piece> Translate(std::string_view pattern) {
  std::vector<Piece> pieces;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c == '?') {
      pieces.push_back({Token::DosQm, 0});
    } else if (c == '*') {
      pieces.push_back({next == '.' ? Token::DosStar : Token::Star, 0});
    } else if (c == '.' && (next == '?' || next == '*' || next == '\0')) {
      pieces.push_back({Token::DosDot, 0});
    } else {
      pieces.push_back({Token::Literal, LowerAscii(c)});
    }
  }
  return pieces;
}

class Matcher {
 public:
  Matcher(std::vector<Piece> pieces, std::string_view name)
      : pieces_(std::move(pieces)),
        name_(LowerAsciiText(name)),
        lastDot_(name_.rfind('.')),
        memo_((pieces_.size() + 1) * (name_.size() + 1), kUnknown) {}

  bool Match(std::size_t p, std::size_t n) {
    char& known = memo_[p * (name_.size() + 1) + n];
    if (known == kUnknown) known = Compute(p, n) ? kYes : kNo;
    return known == kYes;
  }

 private:
  static constexpr char kUnknown = 0, kYes = 1, kNo = 2;

  bool Compute(std::size_t p, std::size_t n) {
    const bool atEnd = n == name_.size();
    if (p == pieces_.size()) return atEnd;
    const Piece& piece = pieces_[p];
    switch (piece.token) {
      case Token::Literal:
        return !atEnd && name_[n] == piece.literal && Match(p + 1, n + 1);
      case Token::Star:
        return Match(p + 1, n) || (!atEnd && Match(p, n + 1));
      case Token::DosStar:
        return Match(p + 1, n) || (!atEnd && n != lastDot_ && Match(p, n + 1));
      case Token::DosQm:
        if (atEnd || name_[n] == '.') return Match(p + 1, n);  // never takes the dot
        return Match(p + 1, n + 1);
      case Token::DosDot:
        if (atEnd) return Match(p + 1, n);
        return name_[n] == '.' && Match(p + 1, n + 1);
    }
    return false;
  }

  std::vector<Piece> pieces_;
  std::string name_;
  std::size_t lastDot_;
  std::vector<char> memo_;
};

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  return Matcher(Translate(pattern), name).Match(0, 0);
}

}  // namespace PosixHost
