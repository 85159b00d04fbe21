#include "ui/controls/byte_text_field.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <vector>

#include "core/controls/edit_rules.h"
#include "platform/app/codepage.h"
#include "ui/protocol/result_message.h"

namespace trennic::ui {

namespace {

qsizetype charSize(const QString& s, qsizetype i) {
  return s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate() ? 2 : 1;
}

}  // namespace

// Judges every edit of the field against the text it showed before it.
class ByteTextLimit : public QValidator {
 public:
  ByteTextLimit(QLineEdit* field, std::size_t maxBytes) : QValidator(field), maxBytes_(maxBytes) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
  }

  // The program's own texts are the field's to show, never an edit to judge.
  void settingText(bool on, const QString& text) {
    programmatic_ = on;
    if (on) shown_ = text;
  }
  void opening(const QString& text) { opened_ = text; }
  // The character that made the last refused edit unstorable; empty when
  // it was refused for its length.
  QString refusedCharacter() const { return refused_; }

  State validate(QString& input, int& pos) const override {
    refused_.clear();
    if (programmatic_) return Acceptable;
    ByteTextAfterEdit after;
    after.asOpened = input == opened_;
    const QString bad = after.asOpened ? QString() : platform::firstUnstorable(input);
    after.storable = bad.isEmpty();
    after.bytes = platform::encodedLength(input);
    const std::size_t before = platform::encodedLength(shown_);
    switch (judgeByteTextEdit(maxBytes_, before, after)) {
      case ByteTextEdit::Taken:
        return Acceptable;
      case ByteTextEdit::Unstorable:
        refused_ = bad;
        return Invalid;
      case ByteTextEdit::TooLong:
        break;
    }
    // What came in lies between the text kept before and after it.
    const qsizetype common = std::min(input.size(), shown_.size());
    qsizetype prefix = 0;
    while (prefix < common && input.at(prefix) == shown_.at(prefix)) ++prefix;
    if (prefix > 0 && input.at(prefix - 1).isHighSurrogate()) --prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix && input.at(input.size() - 1 - suffix) == shown_.at(shown_.size() - 1 - suffix))
      ++suffix;
    if (suffix > 0 && input.at(input.size() - suffix).isLowSurrogate()) --suffix;
    const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    std::vector<std::size_t> charBytes;
    std::vector<qsizetype> charUnits;
    for (qsizetype i = 0; i < inserted.size();) {
      const qsizetype n = charSize(inserted, i);
      charBytes.push_back(platform::encodedLength(inserted.mid(i, n)));
      charUnits.push_back(n);
      i += n;
    }
    const QString head = input.left(prefix), tail = input.right(suffix);
    const std::size_t kept =
        byteTextCharsThatFit(maxBytes_, before, platform::encodedLength(head + tail), charBytes);
    if (kept == 0) return Invalid;
    qsizetype units = 0;
    for (std::size_t k = 0; k < kept; ++k) units += charUnits[k];
    input = head + inserted.left(units) + tail;
    pos = static_cast<int>(prefix + units);
    return Acceptable;
  }

 private:
  std::size_t maxBytes_;
  QString shown_;
  QString opened_;
  bool programmatic_ = false;
  mutable QString refused_;
};

CByteTextField::CByteTextField(QLineEdit* field, std::size_t maxBytes, const QString& fieldName)
    : QObject(field), field_(field), limit_(new ByteTextLimit(field, maxBytes)), maxBytes_(maxBytes),
      fieldName_(fieldName) {
  // No character takes less than a byte, so the limit in characters never
  // stops what the byte limit would take.
  field_->setMaxLength(static_cast<int>(maxBytes_));
  field_->setValidator(limit_);
  connect(field_, &QLineEdit::inputRejected, this, [this] {
    const QString c = limit_->refusedCharacter();
    if (!c.isEmpty()) tellUnstorable(c);
  });
}

void CByteTextField::show(const std::string& bytes) {
  openedBytes_ = bytes;
  openedText_ = platform::decodeText(bytes);
  limit_->opening(openedText_);
  limit_->settingText(true, openedText_);
  fitWhole(openedText_);
  field_->setText(openedText_);
  limit_->settingText(false, openedText_);
}

std::string CByteTextField::bytes() const {
  const QString text = field_->text();
  const bool asOpened = text == openedText_;
  if (asOpened) return byteTextToStore(openedBytes_, true, {});
  // The field takes no text the code page cannot store; should the code
  // page have changed under it, the bytes it opened with are all it has.
  const auto typed = platform::encodeText(text);
  return typed ? byteTextToStore(openedBytes_, false, *typed) : openedBytes_;
}

bool CByteTextField::offer(const QString& text) {
  const QString bad = platform::firstUnstorable(text);
  if (!bad.isEmpty()) {
    tellUnstorable(bad);
    return false;
  }
  limit_->settingText(true, text);
  fitWhole(text);
  field_->setText(text);
  limit_->settingText(false, text);
  return true;
}

// A longer text than the field takes is shown whole, and its length is then
// the field's own; typing cannot make it longer in bytes either way.
void CByteTextField::fitWhole(const QString& text) {
  field_->setMaxLength(static_cast<int>(std::max<qsizetype>(static_cast<qsizetype>(maxBytes_), text.size())));
}

void CByteTextField::tellUnstorable(const QString& character) {
  const QString codePage = platform::userCodePage();
  const QString why = field_->echoMode() == QLineEdit::Normal
                          ? tr("%1: the character \"%2\" cannot be stored in the code page %3.")
                                .arg(fieldName_, character, codePage)
                          : tr("%1: the text cannot be stored in the code page %2.").arg(fieldName_, codePage);
  showErrorMessage(field_->window(), tr("Invalid parameter.") + QLatin1Char('\n') + why);
}

}  // namespace trennic::ui
