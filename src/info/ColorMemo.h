// A read-only memo that paints listed keywords in colours; the rest of the
// text stays black. Keywords match whole (not inside longer words).
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QString>

#include <vector>

namespace tessaro {

class TColorMemo : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit TColorMemo(QWidget *parent = nullptr);

  struct TColorRule {
    QStringList Keywords;
    QColor Color;
  };
  void SetRules(std::vector<TColorRule> rules);
  const std::vector<TColorRule> &Rules() const { return FRules; }

  // The colour the memo paints a character of the text in (black where no
  // keyword covers it).
  QColor ColorAt(int position) const;

private:
  std::vector<TColorRule> FRules;
  class THighlighter;
  THighlighter *FHighlighter;
};

} // namespace tessaro
