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

QJsonArray Files(const Record& record) {
  QJsonArray files;
  for (const SavedFile& file : record.Files()) {
    QJsonObject entry{{"source", Place(file.source)}, {"saved", Place(file.destination)}};
    DescribeCopy(NativeOf(file.destination), entry);
    files.append(entry);
  }
  return files;
}

QJsonArray Failures(const Record& record) {
  QJsonArray failures;
  for (const Failure& failure : record.Failures()) {
    QJsonObject entry{{failure.file ? "source" : "folder", Place(failure.path)}};
    PutText(entry, "reason", failure.reason);
    failures.append(entry);
  }
  return failures;
}

QJsonArray Told(const Outcome& outcome) {
  QJsonArray told;
  for (const std::string& text : outcome.told) {
    QJsonObject entry;
    PutText(entry, "text", text);
    told.append(entry);
  }
  if (!outcome.refusal.empty()) {
    QJsonObject entry;
    PutText(entry, "text", outcome.refusal);
    told.append(entry);
  }
  return told;
}

}  // namespace

std::string WriteReport(const ReportTarget& target, const Outcome& outcome) {
  const Machine& machine = *outcome.machine;
  QJsonObject report{
      {"program", "quillfen-scan"},
      {"version", QUILLFEN_VERSION_TEXT},
      {"scan", outcome.scan},
      {"scanned", Place(machine.scanned)},
      {"save_folder", Place(machine.saveFolder)},
      {"exit_status", outcome.status},
      {"files", Files(*outcome.record)},
      {"failures", Failures(*outcome.record)},
      {"messages", Told(outcome)},
  };
  const QByteArray bytes = QJsonDocument(report).toJson();
  return target.Write(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace Cli
