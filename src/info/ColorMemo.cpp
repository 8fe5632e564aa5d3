#include "info/ColorMemo.h"

#include <QFontDatabase>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextLayout>

namespace tessaro {

namespace {

bool IsWordChar(QChar c) {
  return c.isLetterOrNumber();
}

// Whole-keyword matches in a line: no letter or digit may touch a keyword
// on a side where the keyword itself ends in one.
template <class F> void ForEachMatch(const QString &text, const QString &keyword, F &&found) {
  qsizetype from = 0;
  while (true) {
    const qsizetype at = text.indexOf(keyword, from);
    if (at < 0 || keyword.isEmpty())
      return;
    const qsizetype end = at + keyword.size();
    const bool leftOk = at == 0 || !IsWordChar(keyword.front()) || !IsWordChar(text.at(at - 1));
    const bool rightOk = end >= text.size() || !IsWordChar(keyword.back()) || !IsWordChar(text.at(end));
    if (leftOk && rightOk)
      found(int(at), int(keyword.size()));
    from = at + 1;
  }
}

} // namespace

class TColorMemo::THighlighter : public QSyntaxHighlighter {
public:
  THighlighter(TColorMemo &memo) : QSyntaxHighlighter(memo.document()), FMemo(memo) {}

protected:
  void highlightBlock(const QString &text) override {
    for (const TColorRule &rule : FMemo.Rules()) {
      QTextCharFormat format;
      format.setForeground(rule.Color);
      for (const QString &keyword : rule.Keywords)
        ForEachMatch(text, keyword, [&](int start, int length) { setFormat(start, length, format); });
    }
  }

private:
  TColorMemo &FMemo;
};

TColorMemo::TColorMemo(QWidget *parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QPalette pal = palette();
  pal.setColor(QPalette::Text, Qt::black);
  setPalette(pal);
  FHighlighter = new THighlighter(*this);
}

void TColorMemo::SetRules(std::vector<TColorRule> rules) {
  FRules = std::move(rules);
  FHighlighter->rehighlight();
}

QColor TColorMemo::ColorAt(int position) const {
  const QTextBlock block = document()->findBlock(position);
  if (!block.isValid())
    return Qt::black;
  const int offset = position - block.position();
  QColor color = Qt::black;
  for (const QTextLayout::FormatRange &range : block.layout()->formats())
    if (offset >= range.start && offset < range.start + range.length &&
        range.format.hasProperty(QTextFormat::ForegroundBrush))
      color = range.format.foreground().color();
  return color;
}

} // namespace tessaro
