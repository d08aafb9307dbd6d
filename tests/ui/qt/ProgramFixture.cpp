#include "ProgramFixture.h"

#include <QTest>

#include "QtTestSupport.h"
#include "ui/Form.h"

namespace qttest {

ProgramFixture::ProgramFixture()
    : toolkit(std::make_unique<QtUi::QtToolkit>(ui::MakeForm, [this] { ended = true; })) {}

ProgramFixture::~ProgramFixture() {
  toolkit.reset();
  Settle();
}

QWidget* ProgramFixture::Start() {
  toolkit->Show(ui::kStartForm);
  QWidget* home = toolkit->Window(ui::kStartForm);
  if (!home || !QTest::qWaitForWindowActive(home)) return nullptr;
  return home;
}

bool ProgramFixture::Click(const char* form, const char* button) {
  const bool clicked = ClickButton(toolkit->Window(form), button);
  Settle();
  return clicked;
}

QStringList ProgramFixture::Loaded() const {
  QStringList loaded;
  for (const char* form : {"ABOUT_FRM", "BEGIN_FRM", "CHECK_FRM", "LOCALSCAN_FRM", "OTHER_FRM", "SCAN_OPTIONS"})
    if (toolkit->IsLoaded(form)) loaded << QString::fromLatin1(form);
  return loaded;
}

void ProgramFixture::InstallOldWindows() const {
  Put("c/Program Files/WindowsUpdate/5.w98", 2002);
  Put("c/Program Files/WindowsUpdate/V4/iuhist.xml", 2004);
  Put("c/WINDOWS/Windows Update.log", 2004);
}

std::string ProgramFixture::Text(const char* form, const char* control) const {
  return toolkit->IsLoaded(form) ? toolkit->Get(form, control).Text() : std::string("(not loaded)");
}

}  // namespace qttest
