#include "analysis/TextKey.h"

#include "db/Utf8Text.h"

#include <QList>

namespace analysis {

QString textKey(const QString &text) {
  bool ascii = true;
  for (const QChar c : text)
    if (c.unicode() >= 0x80) {
      ascii = false;
      break;
    }
  if (ascii) {
    QString key = text;
    for (QChar &c : key)
      if (c >= u'A' && c <= u'Z')
        c = QChar(c.unicode() + 32);
    return key;
  }
  std::u32string folded;
  for (const char32_t c :
       text.normalized(QString::NormalizationForm_D).toUcs4())
    folded.push_back(db::utf8::foldCase(c));
  return QString::fromUcs4(folded.data(), qsizetype(folded.size()));
}

} // namespace analysis
