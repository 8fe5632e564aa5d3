#include "platform/HelpContents.h"

#include <QFile>
#include <QStringDecoder>

namespace tessaro {

namespace {

// Windows-1252 characters 0x80 .. 0x9F (0 where the code page has none;
// those bytes are taken as the C1 control of the same number).
constexpr char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString DecodeCp1252(const QByteArray &bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar *out = text.data();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    char16_t u = b;
    if (b >= 0x80 && b < 0xA0 && Cp1252High[b - 0x80] != 0)
      u = Cp1252High[b - 0x80];
    *out++ = QChar(u);
  }
  return text;
}

QString DecodeContents(const QByteArray &bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes);
  if (!utf8.hasError()) {
    if (text.startsWith(QChar(0xFEFF)))
      text.remove(0, 1);
    return text;
  }
  return DecodeCp1252(bytes);
}

bool IsAsciiDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString THelpContentsItem::Topic() const {
  const qsizetype window = TopicId.lastIndexOf(QLatin1Char('>'));
  return (window >= 0 ? TopicId.left(window) : TopicId).trimmed();
}

QStringList HelpContentsLines(const QByteArray &bytes) {
  const QString text = DecodeContents(bytes);
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
      continue;
    lines << text.mid(start, i - start);
    if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
      ++i;
    start = i + 1;
  }
  if (start < n)
    lines << text.mid(start);
  return lines;
}

bool ReadHelpContentsLines(const QString &fileName, QStringList &lines, QString *error) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(fileName);
    return false;
  }
  if (file.size() > MaxHelpContentsBytes) {
    if (error)
      *error = QStringLiteral("Die Datei \"%1\" ist zu groß für eine Hilfeinhaltsdatei.").arg(fileName);
    return false;
  }
  lines = HelpContentsLines(file.readAll());
  return true;
}

bool IsHelpContentsEntry(const QString &line) {
  return line.size() > 1 && line.at(0) >= QLatin1Char('1') && line.at(0) <= QLatin1Char('9');
}

QString HelpContentsTitle(const QString &line) {
  const qsizetype blank = line.indexOf(QLatin1Char(' '));
  const qsizetype start = blank >= 0 ? blank + 1 : 0;
  const qsizetype equal = line.lastIndexOf(QLatin1Char('='));
  const qsizetype end = equal >= 0 ? equal : line.size();
  return end > start ? line.mid(start, end - start) : QString();
}

QString HelpContentsTopic(const QString &line) {
  const qsizetype equal = line.lastIndexOf(QLatin1Char('='));
  if (equal < 0)
    return QString();
  THelpContentsItem item;
  item.TopicId = line.mid(equal + 1);
  return item.Topic();
}

THelpContents ParseHelpContents(const QStringList &lines) {
  THelpContents contents;
  for (const QString &line : lines) {
    if (line.size() <= 1)
      continue;
    if (IsAsciiDigit(line.at(1)))
      contents.MoreThanNineLevels = true;
    if (!IsHelpContentsEntry(line))
      continue;
    ++contents.EntryCount;
    const int level = line.at(0).unicode() - '0';
    THelpContentsItem item;
    item.Title = HelpContentsTitle(line);
    const qsizetype equal = line.lastIndexOf(QLatin1Char('='));
    item.IsTopic = equal >= 0;
    if (item.IsTopic)
      item.TopicId = line.mid(equal + 1);
    std::vector<THelpContentsItem> *container = &contents.Items;
    for (int k = 1; k < level; ++k) {
      if (container->empty()) {
        THelpContentsItem placeholder;
        placeholder.Title = UnknownTopicCaption;
        placeholder.Placeholder = true;
        container->push_back(std::move(placeholder));
      }
      container = &container->back().Items;
    }
    container->push_back(std::move(item));
  }
  return contents;
}

} // namespace tessaro
