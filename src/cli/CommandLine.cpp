#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

#include "cli/ExitStatus.h"

namespace Cli {
namespace {

constexpr const char* kUsage =
    "Usage: quillfen-scan drive ROOT --save-to DEST [OPTION]...\n"
    "  or:  quillfen-scan folder DIR --save-to DEST [OPTION]...\n"
    "  or:  quillfen-scan computer ROOT [--save-to DEST] [OPTION]...\n";

constexpr const char* kDescription =
    "Look for the files that old versions of Windows Update and Office Update left behind, and\n"
    "copy each one last changed in 2020 or earlier into a save folder CVL_SAVE, with a\n"
    "README.TXT for the Corvalen project. Nothing under ROOT or DIR is ever changed.\n"
    "\n"
    "  drive     scan ROOT, for instance a mounted old system disk, as drive D:\n"
    "  folder    scan the files directly in DIR, as drive E:\n"
    "  computer  scan ROOT as the system drive C: of the Windows that ran on it, with the\n"
    "            Program Files folder its own registry gives (system32\\config\\SOFTWARE or\n"
    "            SYSTEM.DAT in its WINNT or WINDOWS folder), writing each step on standard\n"
    "            output; save into ROOT/CVL_SAVE, or DEST/CVL_SAVE\n"
    "\n"
    "DEST is drive F:. Messages name the drives by these letters.\n";

constexpr const char* kAfterOptions =
    "\n"
    "A summary goes to standard error: the files found, saved and not saved with the reason,\n"
    "and where; a progress line too when standard error is a terminal. The drive and folder\n"
    "scans print only the summary's last line, \"N files saved into DEST/CVL_SAVE\", on\n"
    "standard output.\n"
    "\n"
    "The JSON report lists, for each saved file, its source (Linux and Windows path), where it\n"
    "was saved, its size, modification time (UTC) and SHA-256; and each failure. Text that is\n"
    "not UTF-8 has each bad byte as U+FFFD and a \"..._hex\" field with its bytes.\n"
    "\n"
    "Exit status:\n"
    "  0  files were saved and nothing failed\n"
    "  1  nothing qualified (a computer scan that aborted, no Windows folder found)\n"
    "  2  a usage or set-up error\n"
    "  3  some files could not be saved\n"
    "\n"
    "Environment:\n"
    "  QUILLFEN_REGISTRY  the registry export when --registry is not given (without either,\n"
    "                     the registry files of ROOT's Windows)\n"
    "  TZ, LC_TIME        the time zone of file years, the format of time stamps\n";

// Latin-1 maps each byte to one character and back, so no path is changed by the parser.
QString FromBytes(const char* bytes) { return QString::fromLatin1(bytes); }
std::string ToBytes(const QString& text) { return text.toLatin1().toStdString(); }

std::optional<std::string> Value(const QCommandLineParser& parser, const QString& name) {
  if (!parser.isSet(name)) return std::nullopt;
  return ToBytes(parser.value(name));
}

std::string OptionsText(const QCommandLineParser& parser) {
  // Qt lays out the options; its usage line and argument list are replaced by the above.
  const QString all = parser.helpText();
  const qsizetype from = all.indexOf(QStringLiteral("Options:"));
  qsizetype to = all.indexOf(QStringLiteral("\nArguments:"));
  if (to < 0) to = all.size();
  return from < 0 ? std::string() : all.mid(from, to - from).trimmed().toStdString() + "\n";
}

Parsed Refuse(const std::string& text) { return {std::nullopt, {}, UsageError(text), kUsageError}; }

// Options that only one scan takes.
std::optional<std::string> MisplacedOption(const Request& request) {
  if (request.kind != ScanKind::Computer && request.registry) return "--registry";
  if (request.kind != ScanKind::Computer && request.windir) return "--windir";
  if (request.kind != ScanKind::Drive && request.windowsFolder) return "--windows-folder";
  return std::nullopt;
}

}  // namespace

std::string UsageError(const std::string& text) {
  return "quillfen-scan: " + text + "\nTry 'quillfen-scan --help' for more information.\n";
}

Parsed ParseCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  parser.addOptions({
      {"save-to", "Save into DEST/CVL_SAVE; DEST must exist, outside ROOT and DIR (drive and "
                  "folder need it).", "DEST"},
      {"json", "Write a report of what was saved and what failed to FILE (JSON): a regular file "
               "or a new name, outside ROOT, DIR and the save folder.", "FILE"},
      {"registry", "computer: a registry export (REGEDIT4 or version 5) to read in place of the "
                   "registry files of ROOT's Windows.", "FILE"},
      {"windir", "computer: the Windows folder in Windows form, on C: (default: the WINNT or "
                 "WINDOWS folder at ROOT's top).", "PATH"},
      {"windows-folder", "drive: the Windows folder under ROOT, for a drive with no WINNT or "
                         "WINDOWS folder at its top.", "PATH"},
      {"help", "Show this help and exit."},
      {"version", "Show the version and exit."},
  });
  parser.addPositionalArgument("scan", "drive, folder or computer");
  parser.addPositionalArgument("path", "ROOT or DIR");

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << FromBytes(argv[i]);
  if (!parser.parse(arguments)) return Refuse(ToBytes(parser.errorText()));
  if (parser.isSet("help"))
    return {std::nullopt,
            std::string(kUsage) + kDescription + "\n" + OptionsText(parser) + kAfterOptions, {},
            kSaved};
  if (parser.isSet("version"))
    return {std::nullopt, "quillfen-scan (Quillfen) " QUILLFEN_VERSION_TEXT "\n", {}, kSaved};

  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 2) return Refuse("give a scan (drive, folder or computer) and one path");
  Request request;
  const QString scan = positional[0];
  if (scan == "computer") request.kind = ScanKind::Computer;
  else if (scan == "drive") request.kind = ScanKind::Drive;
  else if (scan == "folder") request.kind = ScanKind::Folder;
  else return Refuse("unknown scan '" + ToBytes(scan) + "': give drive, folder or computer");
  request.root = ToBytes(positional[1]);
  request.saveTo = Value(parser, "save-to");
  request.json = Value(parser, "json");
  request.registry = Value(parser, "registry");
  request.windir = Value(parser, "windir");
  request.windowsFolder = Value(parser, "windows-folder");

  if (auto option = MisplacedOption(request))
    return Refuse(*option + " does not go with the " + ToBytes(scan) + " scan");
  if (request.kind != ScanKind::Computer && !request.saveTo)
    return Refuse("the " + ToBytes(scan) + " scan needs --save-to DEST");
  if (request.root.empty() || (request.saveTo && request.saveTo->empty()) ||
      (request.json && request.json->empty()))
    return Refuse("an empty path names no folder");
  return {request, {}, {}, kSaved};
}

}  // namespace Cli
