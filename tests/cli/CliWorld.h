#pragma once
// quillfen-scan as a user runs it: a process over trees of a Windows machine (c/ and d/ of
// the machine's temporary tree), with no standard input and a clean environment.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <ostream>
#include <string>

#include "support/WindowsMachine.h"
#include "support/posix/ChildProcess.h"

namespace clitest {

using testsupport::Ran;

class CliWorld : public ::testing::Test, protected testsupport::WindowsMachine {
 protected:
  // The letters a Linux user's drive table gives (C: for c/, D: for d/), as the program's own
  // mapping does, so the windows' scan code can run over the same trees for comparison.
  CliWorld();
  // An old system disk at `root`: inventories, a V4 file, the V4 log, an OfficeUpdate folder.
  void Disk(const std::string& root) const;
  // Runs quillfen-scan in the tree's root folder.
  Ran Scan(const QStringList& arguments) const;
  // The JSON report at a path relative to the tree.
  QJsonObject Report(const std::string& relative) const;
  // Every entry below `relative` with its bytes, modification time and mode, so that two
  // trees compare whole and a tree compares with itself before and after a scan.
  std::string State(const std::string& relative) const;
  QString At(const std::string& relative) const {
    return QString::fromStdString(tree.Path(relative));
  }
};

// Standard output with each line's time stamp (everything before " - ") as "<t>".
std::string MaskTimes(const std::string& out);

}  // namespace clitest

// Readable failures: JSON values and Qt text as text.
inline void PrintTo(const QJsonValue& value, std::ostream* out) {
  *out << QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }
