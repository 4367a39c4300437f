#pragma once
// TKvQtWildcard: a file-name wildcard searched for anywhere in a path, case
// insensitively, with the rules of QRegExp's Wildcard syntax: "*" any run of
// characters, "?" any one character, "[...]" one character of a set
// ("[^...]" not of it, ranges "a-z", a "]" right after the opening bracket
// is a member), a backslash a backslash that also makes a following
// "*", "?", "[" or "]" literal. A pattern with an unclosed set or an
// unescaped "]" outside a set is found nowhere, as QRegExp finds such an
// invalid expression nowhere.
//
// Unlike QRegExp's backtracking search, which takes exponential time on
// patterns such as "*a*a*a*a*a*b", the search is a left-to-right scan for
// the pieces between the stars: at most (path length x pattern length)
// steps, and about the path length for ordinary patterns.

#include <QString>
#include <QStringList>

#include <vector>

class TKvQtWildcard {
public:
  explicit TKvQtWildcard(const QString& pattern);

  // Whether the pattern matches some part of `text` (what
  // QRegExp::indexIn(text, 0) >= 0 would say).
  bool foundIn(const QString& text) const;

private:
  struct TSet {
    bool negated = false;
    std::vector<std::pair<ushort, ushort>> ranges;
    bool contains(ushort c) const;
  };
  // One character position of a piece: a character (case-folded), any
  // character (-1), or the set of that number (-2 - number).
  using TToken = int;
  // The star-free pieces, in pattern order.
  std::vector<std::vector<TToken>> FPieces;
  std::vector<TSet> FSets;
  bool FValid = true;

  bool matchesAt(const std::vector<TToken>& piece, const QChar* text) const;
};

// The index of the first of `patterns` found in `path`, -1 for none.
int KvQtFirstWildcardIn(const QStringList& patterns, const QString& path);
