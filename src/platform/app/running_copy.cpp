#include "platform/app/running_copy.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

namespace trennic::platform {

namespace {

// What the copies say to each other, one line each way.
constexpr char kAsk[] = "show";
constexpr char kShown[] = "shown";
constexpr char kEnding[] = "ending";

constexpr int kConnectMs = 1000;
constexpr int kRetryMs = 50;

}  // namespace

QString RunningCopy::keyFor(const std::string& settingsPath) {
  const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(settingsPath)));
  QString path = file.canonicalFilePath();
  if (path.isEmpty()) {
    // Not written yet: its folder, followed through links, and its name.
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    path = (folder.isEmpty() ? QDir::cleanPath(file.absolutePath()) : folder) + QLatin1Char('/') + file.fileName();
  }
#ifdef Q_OS_WIN
  path = path.toLower();
#endif
  // The home folder keeps users apart where local sockets share one folder.
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QDir::homePath().toUtf8());
  hash.addData(QByteArrayView("\n"));
  hash.addData(path.toUtf8());
  return QStringLiteral("trennic-") + QString::fromLatin1(hash.result().toHex().left(24));
}

RunningCopy::RunningCopy(const std::string& settingsPath, QObject* parent)
    : QObject(parent), key_(keyFor(settingsPath)), lockPath_(QDir(QDir::tempPath()).filePath(key_ + ".lock")) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
      connect(peer, &QLocalSocket::readyRead, this, [this, peer] { answer(peer); });
      if (peer->canReadLine()) answer(peer);
    }
  });
}

RunningCopy::~RunningCopy() { server_.close(); }

RunningCopy::Start RunningCopy::start(int answerMs) {
  QDeadlineTimer endingWait;
  bool waitingForEnd = false;
  for (;;) {
    // Two starts at the same moment must not both find nobody and both
    // take the name. A lock whose owner has died is stale and taken over;
    // where no lock can be made at all, the start goes on without one.
    QLockFile lock(lockPath_);
    lock.tryLock(answerMs + kConnectMs);

    QLocalSocket peer;
    peer.connectToServer(key_);
    if (peer.waitForConnected(kConnectMs)) {
      peer.write(QByteArray(kAsk) + '\n');
      peer.waitForBytesWritten(kConnectMs);
      QByteArray reply;
      const QDeadlineTimer deadline(answerMs);
      while (!reply.contains('\n') && !deadline.hasExpired() &&
             peer.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        reply += peer.readAll();
      reply += peer.readAll();
      const QByteArray said = reply.left(reply.indexOf('\n'));
      if (said == kShown) return Start::BroughtBack;
      // Closed without a word: the copy closed its name as it was asked.
      const bool closing = said.isEmpty() && peer.state() == QLocalSocket::UnconnectedState;
      if (said == kEnding || closing) {
        // It is writing its settings back; this copy reads them once it
        // has gone.
        if (!waitingForEnd) {
          waitingForEnd = true;
          endingWait.setRemainingTime(answerMs);
        }
        if (!endingWait.hasExpired()) {
          lock.unlock();
          QThread::msleep(kRetryMs);
          continue;
        }
      }
      return Start::NoAnswer;
    }

    // Nobody answers at the name: there was no copy, or one crashed and
    // left its name behind.
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // A name that cannot be taken costs only the bringing back.
    server_.listen(key_);
    state_ = State::Starting;
    return Start::Alone;
  }
}

void RunningCopy::whenAsked(std::function<void()> bringBack) {
  bringBack_ = std::move(bringBack);
  if (!bringBack_) return;
  state_ = State::Running;
  if (askedWhileStarting_) {
    askedWhileStarting_ = false;
    QTimer::singleShot(0, this, [this] {
      if (state_ == State::Running && bringBack_) bringBack_();
    });
  }
}

void RunningCopy::ending() {
  state_ = State::Ending;
  bringBack_ = nullptr;
}

void RunningCopy::answer(QLocalSocket* peer) {
  if (!peer->canReadLine()) {
    // Whatever this is, it is not a copy of the program.
    if (peer->bytesAvailable() > 64) peer->abort();
    return;
  }
  if (peer->readLine().trimmed() != kAsk) {
    peer->disconnectFromServer();
    return;
  }
  switch (state_) {
    case State::Ending:
      peer->write(QByteArray(kEnding) + '\n');
      break;
    case State::Starting:
      // Its windows are about to show anyway; once they do, they come to
      // the front for the one who asked.
      askedWhileStarting_ = true;
      peer->write(QByteArray(kShown) + '\n');
      break;
    case State::Running:
      peer->write(QByteArray(kShown) + '\n');
      // After the answer is out: bringing the windows back can run a while.
      QTimer::singleShot(0, this, [this] {
        if (state_ == State::Running && bringBack_) bringBack_();
      });
      break;
  }
  // Sends what is written first.
  peer->disconnectFromServer();
}

}  // namespace trennic::platform
