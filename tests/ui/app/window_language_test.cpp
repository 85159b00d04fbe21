// Every text of every window reads in the user's language. The windows are
// opened twice, once in English and once in Japanese, and every caption,
// title, tab, list header, choice and screen reader name is compared: one
// that comes out the same in both is a text the translation misses,
// unless the translation keeps it on purpose (a product or protocol name
// such as "SNMP" or "RSSI"). The translation source itself must be
// finished, keep the access keys and the placeholders of every text.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include "platform/app/language.h"
#include "support/every_window.h"

using namespace trennic;

namespace {

struct Shown {
  QString where;
  QString text;
};

// What each control of the window shows, in the order the window made them.
QList<Shown> textsOf(QWidget* window, const QString& name) {
  QList<Shown> out;
  auto add = [&](const QObject* w, const char* what, const QString& text) {
    if (!text.trimmed().isEmpty())
      out.push_back({QStringLiteral("%1: %2 %3 %4").arg(name, w->metaObject()->className(), w->objectName(), what), text});
  };
  add(window, "title", window->windowTitle());
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (auto* l = qobject_cast<QLabel*>(w)) add(w, "text", l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) add(w, "text", b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) add(w, "title", g->title());
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) add(w, "tab", t->tabText(i));
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) add(w, "choice", c->itemText(i));
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
      for (int i = 0; i < v->model()->columnCount(); ++i)
        add(w, "column", v->model()->headerData(i, Qt::Horizontal).toString());
    add(w, "name", w->accessibleName());
    add(w, "description", w->accessibleDescription());
    add(w, "tip", w->toolTip());
  }
  return out;
}

// A text with less room than it needs is cut: a caption, a button, a
// group's title, a tab, a list's column title. Each page of a tab strip is
// looked at while it is shown, as the user sees it.
QStringList cutTexts(QWidget* window, const QString& name) {
  QStringList faults;
  auto look = [&](const QString& where) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      const char* kind = w->metaObject()->className();
      QString text;
      if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap()) text = l->text();
      if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
      if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
      if (!text.isEmpty() && w->width() < w->minimumSizeHint().width())
        faults << QStringLiteral("%1: %2 \"%3\" has %4 of the %5 pixels it needs")
                      .arg(where, kind, text).arg(w->width()).arg(w->minimumSizeHint().width());
      if (auto* h = qobject_cast<QHeaderView*>(w); h && h->orientation() == Qt::Horizontal && h->model())
        for (int i = 0; i < h->count(); ++i) {
          if (h->isSectionHidden(i)) continue;
          const QString title = h->model()->headerData(i, Qt::Horizontal).toString();
          const int need = h->fontMetrics().horizontalAdvance(title) + 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin);
          if (h->sectionSize(i) < need)
            faults << QStringLiteral("%1: column \"%2\" has %3 of the %4 pixels it needs")
                          .arg(where, title).arg(h->sectionSize(i)).arg(need);
        }
    }
  };
  const QList<QTabWidget*> strips = window->findChildren<QTabWidget*>();
  if (strips.isEmpty()) look(name);
  for (QTabWidget* strip : strips)
    for (int i = 0; i < strip->count(); ++i) {
      strip->setCurrentIndex(i);
      QCoreApplication::processEvents();
      look(QStringLiteral("%1 / %2").arg(name, strip->tabText(i)));
    }
  faults.removeDuplicates();
  return faults;
}

QList<Shown> walkAll(testing::EveryWindow& every, QStringList* cut = nullptr) {
  QList<Shown> all;
  for (const auto& [name, open] : every.windows())
    open([&, name = name](QWidget* w) {
      all << textsOf(w, name);
      if (cut) *cut << cutTexts(w, name);
    });
  return all;
}

struct Message {
  QString context, source, translation, type;
};

QList<Message> translationSource() {
  QFile f(QStringLiteral(TRENNIC_SOURCE_DIR "/translations/trennic_ja.ts"));
  if (!f.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&f);
  QList<Message> out;
  QString context;
  Message m;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() == QLatin1String("message")) m = Message{context, {}, {}, {}};
    if (xml.name() == QLatin1String("source")) m.source = xml.readElementText();
    if (xml.name() == QLatin1String("translation")) {
      m.type = xml.attributes().value(QLatin1String("type")).toString();
      m.translation = xml.readElementText();
      out << m;
    }
  }
  return xml.hasError() ? QList<Message>{} : out;
}

// The words the translation keeps as they are: those of every text it
// translates as itself.
QSet<QString> keptWords(const QList<Message>& messages) {
  QSet<QString> words;
  static const QRegularExpression letters(QStringLiteral("[A-Za-z]+"));
  for (const Message& m : messages)
    if (m.translation == m.source)
      for (auto it = letters.globalMatch(m.source); it.hasNext();) words << it.next().captured();
  return words;
}

// The letter after a single & (never "&&", never "& " of "Read & Write").
QString accessKey(const QString& text) {
  static const QRegularExpression key(QStringLiteral("(?<!&)&([A-Za-z0-9])"));
  const auto m = key.match(QString(text).remove(QStringLiteral("&&")));
  return m.hasMatch() ? m.captured(1).toUpper() : QString();
}

QStringList placeholders(const QString& text) {
  static const QRegularExpression arg(QStringLiteral("%\\d"));
  QStringList found;
  for (auto it = arg.globalMatch(text); it.hasNext();) found << it.next().captured();
  found.sort();
  return found;
}

bool hasJapanese(const QString& text) {
  for (QChar c : text)
    if (c.script() == QChar::Script_Han || c.script() == QChar::Script_Hiragana || c.script() == QChar::Script_Katakana)
      return true;
  return false;
}

}  // namespace

class WindowLanguageTest : public QObject {
  Q_OBJECT

 private slots:
  // Keys and placeholders, and nothing left for later.
  void theTranslationIsFinished() {
    const QList<Message> messages = translationSource();
    QVERIFY2(messages.size() > 100, "the translation source cannot be read");
    QStringList faults;
    for (const Message& m : messages) {
      const QString what = QStringLiteral("%1 \"%2\"").arg(m.context, m.source);
      if (m.type == QLatin1String("unfinished") || m.translation.isEmpty()) {
        faults << what + QStringLiteral(": unfinished");
        continue;
      }
      const QString key = accessKey(m.source);
      if (!key.isEmpty() && !m.translation.contains(QStringLiteral("(&%1)").arg(key)) && m.translation != m.source)
        faults << what + QStringLiteral(": the access key %1 is not written \"(&%1)\"").arg(key);
      if (placeholders(m.source) != placeholders(m.translation))
        faults << what + QStringLiteral(": the placeholders differ");
    }
    for (const QString& f : faults) qInfo().noquote() << f;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults in the translation").arg(faults.size())));
  }

  void everyTextOfEveryWindowReadsInJapanese() {
    testing::EveryWindow every;
    QStringList cut;
    const QList<Shown> english = walkAll(every, &cut);
    platform::installLanguage(platform::Language::Japanese);
    const QList<Shown> japanese = walkAll(every, &cut);
    QCOMPARE(japanese.size(), english.size());
    const QSet<QString> kept = keptWords(translationSource());
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]+"));
    // The list's own node and the product's name are data, not texts.
    const QSet<QString> data = {QString::fromLatin1(testing::EveryWindow::kNodeName), QStringLiteral("Trennic")};
    QStringList faults;
    int translated = 0;
    for (qsizetype i = 0; i < english.size(); ++i) {
      const QString& en = english[i].text;
      const QString& ja = japanese[i].text;
      if (hasJapanese(ja)) ++translated;
      if (en == ja) {
        bool allKept = true;
        for (auto it = letters.globalMatch(en); it.hasNext();) {
          const QString word = it.next().captured();
          allKept = allKept && (kept.contains(word) || data.contains(word));
        }
        if (!allKept) faults << QStringLiteral("%1: \"%2\" is not translated").arg(english[i].where, en);
      }
      const QString key = accessKey(en);
      if (!key.isEmpty() && accessKey(ja) != key)
        faults << QStringLiteral("%1: \"%2\" lost its access key %3").arg(english[i].where, ja, key);
    }
    faults.removeDuplicates();
    for (const QString& f : faults + cut) qInfo().noquote() << f;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 texts not in Japanese").arg(faults.size())));
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 texts cut").arg(cut.size())));
    QVERIFY2(translated > english.size() / 2, qPrintable(QStringLiteral("only %1 of %2 texts in Japanese").arg(translated).arg(english.size())));
  }

  // Qt's own buttons follow when Qt's translations are installed.
  void qtsOwnButtonsFollow() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm")))
      QSKIP("Qt's Japanese translation is not installed");
    platform::installLanguage(platform::Language::Japanese);
    QMessageBox box(QMessageBox::Warning, QString(), QStringLiteral("?"), QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(hasJapanese(box.button(QMessageBox::Yes)->text()), qPrintable(box.button(QMessageBox::Yes)->text()));
  }

  void theLanguageOptionIsTakenOut() {
    using platform::Language;
    struct Case {
      QStringList words;
      bool ok;
      std::optional<Language> chosen;
      QStringList rest;
    };
    const Case cases[] = {
        {{"trennic"}, true, std::nullopt, {"trennic"}},
        {{"trennic", "--language", "ja", "/t"}, true, Language::Japanese, {"trennic", "/t"}},
        {{"trennic", "--language=en"}, true, Language::English, {"trennic"}},
        {{"trennic", "--language", "ja", "--language", "en"}, true, Language::English, {"trennic"}},
        {{"trennic", "--language", "jp"}, false, std::nullopt, {}},
        {{"trennic", "--language"}, false, std::nullopt, {}},
        {{"trennic", "--language="}, false, std::nullopt, {}},
    };
    for (const Case& c : cases) {
      QStringList words = c.words;
      std::optional<Language> chosen;
      QString error;
      const bool ok = platform::takeLanguageOption(words, chosen, error);
      QCOMPARE(ok, c.ok);
      if (!ok) {
        QVERIFY2(error.contains(QStringLiteral("--language")), qPrintable(error));
        continue;
      }
      QCOMPARE(chosen, c.chosen);
      QCOMPARE(words, c.rest);
    }
  }
};

QTEST_MAIN(WindowLanguageTest)
#include "window_language_test.moc"
