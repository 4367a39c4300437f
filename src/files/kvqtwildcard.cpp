#include "files/kvqtwildcard_p.h"

#include <algorithm>

namespace {

constexpr int kAnyChar = -1;

// Characters are compared case-folded ("ς", "σ" and "Σ" are one letter);
// sets list characters as written and test the lower and upper case.
inline ushort folded(QChar c) { return c.toCaseFolded().unicode(); }

} // namespace

bool TKvQtWildcard::TSet::contains(ushort c) const {
  const auto listed = [this](ushort x) {
    return std::any_of(ranges.cbegin(), ranges.cend(), [x](const auto& r) { return x >= r.first && x <= r.second; });
  };
  const QChar ch(c);
  const ushort lo = ch.toLower().unicode(), up = ch.toUpper().unicode();
  // A case-insensitive set takes a character when either case is listed,
  // and its complement when neither is.
  return negated ? !listed(lo) && !listed(up) : listed(lo) || listed(up);
}

TKvQtWildcard::TKvQtWildcard(const QString& pattern) {
  std::vector<TToken> piece;
  const auto push = [&piece](QChar c) { piece.push_back(folded(c)); };
  const int n = pattern.size();
  bool escaping = false; // the previous character was a backslash
  for (int i = 0; i < n;) {
    const QChar c = pattern.at(i++);
    switch (c.unicode()) {
    case '\\':
      push(c);
      escaping = true;
      break;
    case '*':
    case '?':
      if (escaping)
        push(c);
      else if (c == QLatin1Char('?'))
        piece.push_back(kAnyChar);
      else {
        FPieces.push_back(std::move(piece));
        piece.clear();
      }
      escaping = false;
      break;
    case '[': {
      if (escaping) {
        push(c);
        escaping = false;
        break;
      }
      TSet set;
      if (i < n && pattern.at(i) == QLatin1Char('^')) {
        set.negated = true;
        ++i;
      }
      const int start = i;
      if (i < n && pattern.at(i) == QLatin1Char(']'))
        ++i; // a member, not the end
      while (i < n && pattern.at(i) != QLatin1Char(']'))
        ++i;
      if (i >= n) {
        FValid = false;
        return;
      }
      // Members and ranges; a "-" first, last or right after a range is a member.
      bool charPending = false, rangePending = false;
      ushort pending = 0;
      for (int k = start; k < i; ++k) {
        const ushort m = pattern.at(k).unicode();
        if (m == '-' && charPending && !rangePending) {
          rangePending = true;
          continue;
        }
        if (charPending && !rangePending) {
          set.ranges.emplace_back(pending, pending);
          charPending = false;
        }
        if (rangePending) {
          set.ranges.emplace_back(std::min(pending, m), std::max(pending, m));
          rangePending = charPending = false;
        } else {
          pending = m;
          charPending = true;
        }
      }
      if (rangePending)
        set.ranges.emplace_back('-', '-');
      if (charPending)
        set.ranges.emplace_back(pending, pending);
      ++i; // the closing bracket
      piece.push_back(-2 - static_cast<int>(FSets.size()));
      FSets.push_back(std::move(set));
      break;
    }
    case ']':
      // Outside a set only an escaped one is a character.
      if (!escaping) {
        FValid = false;
        return;
      }
      push(c);
      escaping = false;
      break;
    default:
      // An escaped ordinary character stands after a second backslash.
      if (escaping)
        push(QLatin1Char('\\'));
      push(c);
      escaping = false;
      break;
    }
  }
  FPieces.push_back(std::move(piece));
}

bool TKvQtWildcard::matchesAt(const std::vector<TToken>& piece, const QChar* text) const {
  for (size_t k = 0; k < piece.size(); ++k) {
    const TToken t = piece[k];
    if (t >= 0) {
      if (folded(text[k]) != t)
        return false;
    } else if (t != kAnyChar && !FSets[static_cast<size_t>(-2 - t)].contains(text[k].unicode())) {
      return false;
    }
  }
  return true;
}

bool TKvQtWildcard::foundIn(const QString& text) const {
  if (!FValid)
    return false;
  // Each piece at its leftmost place after the one before: the stars
  // between them take whatever lies in between.
  const int n = text.size();
  int pos = 0;
  for (const std::vector<TToken>& piece : FPieces) {
    const int len = static_cast<int>(piece.size());
    if (len == 0)
      continue;
    int at = pos;
    while (at + len <= n && !matchesAt(piece, text.constData() + at))
      ++at;
    if (at + len > n)
      return false;
    pos = at + len;
  }
  return true;
}

int KvQtFirstWildcardIn(const QStringList& patterns, const QString& path) {
  for (int i = 0; i < patterns.size(); ++i)
    if (TKvQtWildcard(patterns.at(i)).foundIn(path))
      return i;
  return -1;
}
