#include "cli/Report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace Cli {
namespace {

QByteArray Bytes(const std::string& text) {
  return QByteArray(text.data(), qsizetype(text.size()));
}

// Text that is not UTF-8 has each bad byte as U+FFFD, and its bytes in hex beside it.
void PutText(QJsonObject& object, const QString& key, const std::string& text) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded = decoder(Bytes(text));
  object[key] = decoded;
  if (decoder.hasError()) object[key + "_hex"] = QString::fromLatin1(Bytes(text).toHex());
}

QJsonObject Place(const std::string& windowsPath) {
  QJsonObject place;
  const std::string native = NativeOf(windowsPath);
  if (!native.empty()) PutText(place, "linux", native);
  // The Windows folder's V4 log comes as "D:\WINNT\\Windows Update.log"; Windows reads the
  // doubled separator as one, and so does the report.
  std::string tidy = windowsPath;
  for (std::size_t at; (at = tidy.find("\\\\")) != std::string::npos;) tidy.erase(at, 1);
  PutText(place, "windows", tidy);
  return place;
}

// Size, modification time and SHA-256 of the saved copy, read the way it lies on disk (a
// name that is not UTF-8 has no lossless QString, so the file is opened by its bytes).
void DescribeCopy(const std::string& native, QJsonObject& entry) {
  const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  struct stat info {};
  if (fd < 0 || fstat(fd, &info) != 0) {
    if (fd >= 0) close(fd);
    entry["error"] = "the saved copy cannot be read";
    return;
  }
  QCryptographicHash hash(QCryptographicHash::Sha256);
  char buffer[1 << 16];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) hash.addData(QByteArrayView(buffer, got));
  close(fd);
  entry["size"] = double(info.st_size);
  entry["modified"] =
      QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec, Qt::UTC).toString(Qt::ISODate);
  if (got < 0)
    entry["error"] = "the saved copy cannot be read";
  else
    entry["sha256"] = QString::fromLatin1(hash.result().toHex());
}

using Entries = std::function<void(const std::function<void(const QJsonObject&)>&)>;

void Files(const Record& record, const std::function<void(const QJsonObject&)>& put) {
  for (const SavedFile& file : record.Files()) {
    QJsonObject entry{{"source", Place(file.source)}, {"saved", Place(file.destination)}};
    DescribeCopy(NativeOf(file.destination), entry);
    put(entry);
  }
}

void Failures(const Record& record, const std::function<void(const QJsonObject&)>& put) {
  for (const Failure& failure : record.Failures()) {
    QJsonObject entry{{failure.file ? "source" : "folder", Place(failure.path)}};
    PutText(entry, "reason", failure.reason);
    put(entry);
  }
}

void Told(const Outcome& outcome, const std::function<void(const QJsonObject&)>& put) {
  std::vector<std::string> texts = outcome.told;
  if (!outcome.refusal.empty()) texts.push_back(outcome.refusal);
  for (const std::string& text : texts) {
    QJsonObject entry;
    PutText(entry, "text", text);
    put(entry);
  }
}

// An object in an array that is a member of the document, in the lines Qt gives it there.
QByteArray AsElement(const QJsonObject& entry) {
  static const QByteArray head = "{\n    \"a\": [\n";
  static const QByteArray tail = "\n    ]\n}\n";
  const QByteArray text = QJsonDocument(QJsonObject{{"a", QJsonArray{entry}}}).toJson();
  return text.mid(head.size(), text.size() - head.size() - tail.size());
}

// The document as QJsonDocument writes it, its arrays put out one element at a time: a scan
// of 200,000 files never holds its report whole (that took five times the scan's memory).
bool PutDocument(std::FILE* out, const QJsonObject& skeleton,
                 const std::vector<std::pair<QByteArray, Entries>>& arrays) {
  bool ok = true;
  const auto put = [&](const QByteArray& bytes) {
    ok = ok && std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out) ==
                   std::size_t(bytes.size());
  };
  // The skeleton holds each array empty, where the elements go.
  const QByteArray text = QJsonDocument(skeleton).toJson();
  qsizetype from = 0;
  for (const auto& [key, entries] : arrays) {
    const QByteArray member = "\n    \"" + key + "\": ";
    const QByteArray empty = "[\n    ]";
    const qsizetype at = text.indexOf(member + empty, from);
    if (at < 0) return false;
    put(text.mid(from, at + member.size() - from));
    put("[");
    bool first = true;
    entries([&](const QJsonObject& entry) {
      put(first ? "\n" : ",\n");
      put(AsElement(entry));
      first = false;
    });
    put("\n    ]");
    from = at + member.size() + empty.size();
  }
  put(text.mid(from));
  return ok;
}

}  // namespace

std::string WriteReport(const ReportTarget& target, const Outcome& outcome) {
  const Machine& machine = *outcome.machine;
  const Record& record = *outcome.record;
  const QJsonObject skeleton{
      {"program", "quillfen-scan"},
      {"version", QUILLFEN_VERSION_TEXT},
      {"scan", outcome.scan},
      {"scanned", Place(machine.scanned)},
      {"save_folder", Place(machine.saveFolder)},
      {"exit_status", outcome.status},
      {"files", QJsonArray()},
      {"failures", QJsonArray()},
      {"messages", QJsonArray()},
  };
  // In the order QJsonObject writes its members: by name.
  const std::vector<std::pair<QByteArray, Entries>> arrays{
      {"failures", [&](const auto& put) { Failures(record, put); }},
      {"files", [&](const auto& put) { Files(record, put); }},
      {"messages", [&](const auto& put) { Told(outcome, put); }},
  };
  return target.Write([&](std::FILE* out) { return PutDocument(out, skeleton, arrays); });
}

}  // namespace Cli
