#include "support/NavigationTable.h"

#include <algorithm>
#include <utility>

#include "ui/FormNames.h"

namespace testsupport::navigation {
namespace {

const std::string kBegin = ui::kBeginForm;
const std::string kLocal = ui::kLocalScanForm;
const std::string kOther = ui::kOtherForm;
const std::string kAbout = ui::kAboutForm;
const std::string kOptions = ui::kScanOptionsForm;

std::vector<Act> Tabs(const std::string& form, int count) {
  return std::vector<Act>(static_cast<std::size_t>(count), Press(form, Key::Tab));
}

std::vector<Act> Then(std::vector<Act> first, const std::vector<Act>& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

const std::vector<Act> kToLocal = {Click(kBegin, "Command2")};
const std::vector<Act> kToOther = {Click(kBegin, "Command3")};

// How the test toolkit records a modal window that comes and goes.
Names Modal(const std::string& form, bool byCloseBox) {
  Names transcript = {"load " + form, "modal " + form};
  if (byCloseBox) transcript.push_back("close " + form);
  transcript.push_back("unload " + form);
  return transcript;
}

}  // namespace

Act Click(std::string form, std::string button) {
  return {Act::Kind::Click, std::move(form), std::move(button), Key::Enter};
}

Act CloseBox(std::string form) { return {Act::Kind::CloseBox, std::move(form), {}, Key::Enter}; }

Act Press(std::string form, Key key) { return {Act::Kind::Key, std::move(form), {}, key}; }

std::ostream& operator<<(std::ostream& out, const Act& act) {
  switch (act.kind) {
    case Act::Kind::Click:
      return out << act.form << "." << act.button;
    case Act::Kind::CloseBox:
      return out << act.form << " close box";
    case Act::Kind::Key:
      break;
  }
  const char* key = act.key == Key::Enter ? "Enter" : act.key == Key::Escape ? "Esc" : "Tab";
  return out << act.form << " " << key;
}

const std::vector<Step>& Steps() {
  static const std::vector<Step> steps = {
      {"HomeScanThisComputer", {}, "", Click(kBegin, "Command2"), {kLocal}, false,
       {"unload " + kBegin, "load " + kLocal, "show " + kLocal}},
      {"HomeScanOther", {}, "", Click(kBegin, "Command3"), {kOther}, false,
       {"unload " + kBegin, "load " + kOther, "show " + kOther}},
      {"HomeExit", {}, "", Click(kBegin, "Command4"), {}, false, {"end"}},
      {"HomeCloseBox", {}, "", CloseBox(kBegin), {}, false,
       {"close " + kBegin, "unload " + kBegin, "end"}},
      // The banner has the first focus; Enter presses the default button, "Scan this computer".
      {"HomeEnter", {}, "Picture1", Press(kBegin, Key::Enter), {kLocal}, false,
       {"unload " + kBegin, "load " + kLocal, "show " + kLocal}},
      // A focused button takes Enter itself: Exit, not the default button.
      {"HomeEnterOnExit", Tabs(kBegin, 5), "Command4", Press(kBegin, Key::Enter), {}, false, {"end"}},
      // Home is shown first, so a window stays open throughout.
      {"LocalMenu", kToLocal, "", Click(kLocal, "Command4"), {kBegin}, false,
       {"load " + kBegin, "show " + kBegin, "unload " + kLocal}},
      // The progress window runs the scan and unloads itself.
      {"LocalScanMyComputer", kToLocal, "", Click(kLocal, "ScanButton"), {kLocal}, true,
       {"load CHECK_FRM", "modal CHECK_FRM", "unload CHECK_FRM"}},
      {"LocalCloseBox", kToLocal, "", CloseBox(kLocal), {}, false,
       {"close " + kLocal, "unload " + kLocal, "end"}},
      // No default button and no cancel button: Enter and Esc start no scan.
      {"LocalEnter", kToLocal, "Picture1", Press(kLocal, Key::Enter), {kLocal}, false, {}},
      {"LocalEscape", kToLocal, "Picture1", Press(kLocal, Key::Escape), {kLocal}, false, {}},
      // Nor in the console, which a multi-line text box would take for itself.
      {"ConsoleEnter", Then(kToLocal, Tabs(kLocal, 3)), "ScanConsole", Press(kLocal, Key::Enter),
       {kLocal}, false, {}},
      {"ConsoleEscape", Then(kToLocal, Tabs(kLocal, 3)), "ScanConsole", Press(kLocal, Key::Escape),
       {kLocal}, false, {}},
      {"OtherHomeMenu", kToOther, "", Click(kOther, "Command3"), {kBegin}, false,
       {"unload " + kOther, "load " + kBegin, "show " + kBegin}},
      {"OtherCloseBox", kToOther, "", CloseBox(kOther), {}, false,
       {"close " + kOther, "unload " + kOther, "end"}},
  };
  return steps;
}

const std::vector<ModalStep>& ModalSteps() {
  const Act ok = Click(kAbout, "cmdOK"), aboutBox = CloseBox(kAbout);
  static const std::vector<ModalStep> steps = {
      {"AboutFromHome", {}, Click(kBegin, "Command1"), kAbout, Click(kBegin, "Command2"), ok,
       Modal(kAbout, false)},
      {"AboutFromHomeByCloseBox", {}, Click(kBegin, "Command1"), kAbout, Click(kBegin, "Command2"),
       aboutBox, Modal(kAbout, true)},
      {"AboutFromLocal", kToLocal, Click(kLocal, "Command1"), kAbout, Click(kLocal, "Command4"),
       aboutBox, Modal(kAbout, true)},
      {"AboutFromLocalByOk", kToLocal, Click(kLocal, "Command1"), kAbout, Click(kLocal, "Command4"),
       ok, Modal(kAbout, false)},
      {"AboutFromOther", kToOther, Click(kOther, "Command4"), kAbout, Click(kOther, "Command3"), ok,
       Modal(kAbout, false)},
      {"AboutFromOtherByCloseBox", kToOther, Click(kOther, "Command4"), kAbout,
       Click(kOther, "Command3"), aboutBox, Modal(kAbout, true)},
      // Cancel.
      {"ScanOptions", kToLocal, Click(kLocal, "Command3"), kOptions, Click(kLocal, "Command4"),
       Click(kOptions, "Command2"), Modal(kOptions, false)},
      {"ScanOptionsByCloseBox", kToLocal, Click(kLocal, "Command3"), kOptions,
       Click(kLocal, "Command4"), CloseBox(kOptions), Modal(kOptions, true)},
  };
  return steps;
}

const std::vector<Keys>& KeyRows() {
  static const std::vector<Keys> rows = {
      // The banner has tab 0; then the band, the "?" it holds, the option buttons and Exit.
      {kBegin, "Picture1", {"Command2"}, {},
       {"Picture2", "Command1", "Command2", "Command3", "Command4", "Picture1"}},
      // No default button and a hidden "Open saved directory"; the "?" in the band comes
      // after the console.
      {kLocal, "Picture1", {}, {},
       {"Picture2", "ScanButton", "ScanConsole", "Command1", "Command2", "Command3", "Command4",
        "Picture1"}},
      // The progress bar takes no focus; Cancel is the cancel button.
      {ui::kCheckForm, "Command1", {"Command1"}, {"Command1"}, {"Command1"}},
      {kOptions, "CheckV3Inventories", {}, {},
       {"CheckV4Inventories", "CheckOUInventories", "Command1", "Command2", "CheckV3Inventories"}},
      // The two labels before it take no focus, and a focused button takes Enter; the drive
      // list lies inside the frame.
      {kOther, "Command1", {"Command1"}, {},
       {"Command3", "Command2", "DriveList", "Picture1", "Picture2", "Command4", "Command1"}},
      {kAbout, "cmdOK", {"cmdOK"}, {"cmdOK"}, {"picIcon", "cmdOK"}},
  };
  return rows;
}

const Keys& KeysOf(const std::string& form) {
  const auto& rows = KeyRows();
  return *std::find_if(rows.begin(), rows.end(), [&](const Keys& row) { return row.form == form; });
}

Names InFormOrder(Names names) {
  const auto place = [](const std::string& name) {
    return std::find(ui::kAllForms.begin(), ui::kAllForms.end(), name) - ui::kAllForms.begin();
  };
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::string& a, const std::string& b) { return place(a) < place(b); });
  return names;
}

void PrintTo(const Step& step, std::ostream* out) { *out << step.name; }
void PrintTo(const ModalStep& step, std::ostream* out) { *out << step.name; }
void PrintTo(const Keys& keys, std::ostream* out) { *out << keys.form; }

}  // namespace testsupport::navigation
