#pragma once
// One running copy of the program per settings file. A copy hidden to the
// notification icon has no window a keyboard can reach, and two copies on
// one settings file would each write back their own view of it; so a second
// start on the same file asks the running copy to come back and ends. A
// copy on another settings file runs on its own.
//
// The copies meet at a local socket named after the settings file. A name a
// crashed copy left behind answers nobody and is taken over, so it never
// keeps the program from starting.
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalSocket;

namespace trennic::platform {

class RunningCopy : public QObject {
  Q_OBJECT
 public:
  enum class Start {
    Alone,        // no copy runs on this settings file: this one is it
    BroughtBack,  // the running copy was asked to come back; end this one
    NoAnswer,     // a copy runs on this settings file but does not answer
  };

  // The meeting name of a settings file: the same for every spelling of
  // its path (relative, through links, in another letter case where the
  // file system ignores case), and the user's own.
  static QString keyFor(const std::string& settingsPath);

  explicit RunningCopy(const std::string& settingsPath, QObject* parent = nullptr);
  ~RunningCopy() override;

  // Asks the copy that runs on this settings file to come back, waiting up
  // to answerMs for its answer. When there is none, this copy becomes the
  // one later starts ask. A copy that is just ending is waited for (up to
  // answerMs again), and this one then starts in its place.
  Start start(int answerMs = 5000);

  // What this copy does when a later start asks for it. Until it is given
  // (the program is still starting) a later start is told the copy comes
  // and ends; the asking is then answered once this is set.
  void whenAsked(std::function<void()> bringBack);
  // This copy is ending: a later start waits for it to go and then runs.
  void ending();

  QString key() const { return key_; }

 private:
  enum class State { Starting, Running, Ending };

  void answer(QLocalSocket* peer);

  QString key_;
  QString lockPath_;
  QLocalServer server_;
  State state_ = State::Starting;
  bool askedWhileStarting_ = false;
  std::function<void()> bringBack_;
};

}  // namespace trennic::platform
