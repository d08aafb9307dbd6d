#include <cstdio>

#include "cli/ExitStatus.h"
#include "cli/Outcome.h"
#include "system/FailureText.h"

namespace Cli {
namespace {

std::string Count(std::size_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// After a system drive that could not take its CVL_SAVE, the way out.
bool SaveFolderNotMade(const Outcome& outcome) {
  const std::string failure = FailureText::kMakeFolder + outcome.machine->saveFolder;
  for (const Failure& failed : outcome.record->Failures())
    if (failed.reason == failure) return true;
  return false;
}

}  // namespace

int ExitStatusOf(const Record& record, bool refused) {
  for (const Failure& failure : record.Failures())
    if (failure.costsFiles) return kNotAllSaved;
  if (refused || record.Files().empty()) return kNothing;
  return kSaved;
}

std::string SaveFolderNative(const Machine& machine) {
  const std::string native = NativeOf(machine.saveFolder);
  return native.empty() ? machine.saveFolder : native;
}

void WriteSummary(const Outcome& outcome, bool lastLineToStandardOutput) {
  const Record& record = *outcome.record;
  const std::size_t saved = record.Files().size();
  const std::size_t notSaved = record.FilesNotSaved();
  std::string text = "Scanned " + outcome.machine->scannedNative + " as " +
                     outcome.machine->scanned + "\n" + "Files found: " +
                     std::to_string(saved + notSaved) + ", saved: " + std::to_string(saved) +
                     ", not saved: " + std::to_string(notSaved) + "\n";
  for (const Failure& failure : record.Failures()) text += "  " + failure.reason + "\n";
  // With failures listed, the boxes only say them again.
  if (record.Failures().empty())
    for (const std::string& told : outcome.told) text += told + "\n";
  if (!outcome.machine->saveToDest && SaveFolderNotMade(outcome))
    text += "A disk mounted read-only? Save elsewhere with --save-to DEST.\n";
  if (!outcome.refusal.empty()) text += "quillfen-scan: " + outcome.refusal + "\n";
  const std::string last =
      Count(saved, "file") + " saved into " + SaveFolderNative(*outcome.machine) + "\n";
  if (!lastLineToStandardOutput) text += last;
  std::fputs(text.c_str(), stderr);
  if (lastLineToStandardOutput) std::fputs(last.c_str(), stdout);
}

}  // namespace Cli
