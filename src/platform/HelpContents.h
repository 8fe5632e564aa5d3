// The help contents file (".cnt"): one entry per line, the nesting level
// (1 .. 9) first, a blank, the title and, for a topic, "=" and the topic id
// with an optional ">window" suffix. Lines of other kinds (":Base ...",
// ":Title ...") are no entries. The help menu and the help window's
// contents tree are both built from this parse.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tessaro {

// Caption of the book put where an entry's parent level has no item yet.
inline const QString UnknownTopicCaption = QStringLiteral("<Unbekanntes Thema>");

struct THelpContentsItem {
  QString Title;
  // The text after the last "=" as written (window suffix included).
  QString TopicId;
  // A topic line (with "="); books have none.
  bool IsTopic = false;
  // A "<Unbekanntes Thema>" book standing in for a missing level.
  bool Placeholder = false;
  std::vector<THelpContentsItem> Items;

  // The topic id without its window suffix.
  QString Topic() const;
};

struct THelpContents {
  std::vector<THelpContentsItem> Items;
  // A line's second character was a digit (a level above 9): such lines
  // are placed by their first digit.
  bool MoreThanNineLevels = false;
  // Entry lines read.
  int EntryCount = 0;
};

// Files larger than this are refused (no contents file comes near it).
constexpr qint64 MaxHelpContentsBytes = qint64(64) << 20;

// The lines of a contents file: UTF-8 (with or without byte-order mark)
// or, where the bytes are no UTF-8, Windows-1252; lines end with CR LF, LF
// or CR. False with a German reason in *error when it cannot be read.
bool ReadHelpContentsLines(const QString &fileName, QStringList &lines, QString *error = nullptr);
// The same for bytes already read.
QStringList HelpContentsLines(const QByteArray &bytes);

// True for a line longer than one character starting with "1" .. "9".
bool IsHelpContentsEntry(const QString &line);
// The title: the text after the first blank (from the first character when
// there is none) up to the last "=" (to the end when there is none).
QString HelpContentsTitle(const QString &line);
// The topic id: the text after the last "=" (empty when there is none),
// cut before its last ">" and trimmed.
QString HelpContentsTopic(const QString &line);

// Builds the tree: a level-L entry becomes the last child of the last item
// of level L - 1, found by following the last item of each level from the
// top; a level on that path without items gets a placeholder book.
THelpContents ParseHelpContents(const QStringList &lines);

} // namespace tessaro
