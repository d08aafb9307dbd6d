#include "CliWorld.h"

#include <sys/stat.h>

#include <cstdlib>

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <sstream>

#include "system/HostSettings.h"

namespace clitest {

CliWorld::CliWorld() {
  // The machine's guards put the settings back when the case ends.
  HostSettings::Settings settings = HostSettings::Current();
  settings.drives = "C=" + tree.Path("c") + ";D=" + tree.Path("d");
  settings.windir = "C:\\WINDOWS";
  HostSettings::Use(settings);
  SetProgramFilesDir("C:\\Program Files");
}

void CliWorld::Disk(const std::string& root) const {
  tree.File(root + "/Program Files/WindowsUpdate/a.w98", "inventory", 2004);
  tree.File(root + "/Program Files/WindowsUpdate/V4/iuhist.xml", "history", 2021);
  tree.File(root + "/Program Files/WindowsUpdate/V4/iuhist_catalogadmin.xml", "admin", 2004);
  tree.File(root + "/Program Files/OfficeUpdate/cache/x.cab", "cab", 2003);
  tree.SetTime(root + "/Program Files/OfficeUpdate", 2003);
  tree.File(root + "/WINDOWS/Windows Update.log", "log", 2005);
}

Ran CliWorld::Scan(const QStringList& arguments) const {
  QProcessEnvironment environment;
  environment.insert("PATH", qEnvironmentVariable("PATH"));
  environment.insert("TZ", "UTC");
  environment.insert("LC_ALL", "C.UTF-8");
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(QString::fromStdString(tree.Root()));
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(QUILLFEN_SCAN, arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << "quillfen-scan did not end";
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "quillfen-scan crashed";
  return {process.exitCode(), process.readAllStandardOutput().toStdString(),
          process.readAllStandardError().toStdString()};
}

QJsonObject CliWorld::Report(const std::string& relative) const {
  QFile file(At(relative));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative;
  return QJsonDocument::fromJson(file.readAll()).object();
}

std::string CliWorld::State(const std::string& relative) const {
  std::istringstream listing(tree.Listing(relative));
  std::ostringstream state;
  for (std::string entry; std::getline(listing, entry);) {
    const std::string path = relative + "/" + entry;
    struct stat info {};
    lstat(tree.Path(path).c_str(), &info);
    state << entry << " " << std::oct << info.st_mode << std::dec;
    // A copy keeps its source's time; a folder's and README.TXT's are when they were written.
    const bool written = entry.ends_with("README.TXT");
    if (S_ISREG(info.st_mode) && !written) state << " " << info.st_mtim.tv_sec;
    if (S_ISREG(info.st_mode)) state << " " << tree.Read(path);
    state << "\n";
  }
  return state.str();
}

std::string MaskTimes(const std::string& out) {
  std::istringstream lines(out);
  std::string masked;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t dash = line.find(" - ");
    masked += (dash != std::string::npos && dash > 0 ? "<t>" + line.substr(dash) : line) + "\n";
  }
  return masked;
}

}  // namespace clitest
