#pragma once
// A line edit's text as the byte string the core keeps, in the user's code
// page: the field takes no character the code page cannot store (it says
// "Invalid parameter." and names the character), its limit counts the code
// page's bytes, and a text it shows and nobody changes goes back as the very
// bytes it came from.
#include <QObject>
#include <QString>
#include <cstddef>
#include <string>

class QLineEdit;

namespace trennic::ui {

class ByteTextLimit;

class CByteTextField : public QObject {
  Q_OBJECT

 public:
  // The field is named in the message as fieldName (its caption without
  // the colon). A masked field's message never repeats what was typed.
  CByteTextField(QLineEdit* field, std::size_t maxBytes, const QString& fieldName);

  // Shows the bytes in the field, which from now on stores them unchanged
  // until its text changes.
  void show(const std::string& bytes);
  // The bytes the field stores.
  std::string bytes() const;
  // A text the program puts in for the user (a file chosen in a dialog): the
  // field refuses it, with the message, when the code page cannot store it.
  bool offer(const QString& text);

  QLineEdit* field() const { return field_; }
  void setFieldName(const QString& name) { fieldName_ = name; }

 private:
  void fitWhole(const QString& text);
  void tellUnstorable(const QString& character);

  QLineEdit* field_;
  ByteTextLimit* limit_;
  std::size_t maxBytes_;
  QString fieldName_;
  std::string openedBytes_;
  QString openedText_;
};

}  // namespace trennic::ui
