// The scenario runner on the Qt platform: the same script gives the same lines on both
// platforms, and a headless-only script is skipped on Qt, saying why.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "QtScriptPlatform.h"
#include "Runner.h"

namespace entrybox::script {
namespace {

std::string WriteScript(const QTemporaryDir& folder, const char* name, const std::string& text) {
  const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// Events, clipboard, layout, the About box and clicks: what the runner does through each
// platform's own delivery gives the expected lines on both.
TEST(QtScript, TheSameScriptPassesOnBothPlatforms) {
  QTemporaryDir folder;
  const std::string path = WriteScript(folder, "both.tws", R"(new long as a
print events
> events Change
type "12"
key Ctrl+A
key Home
key Shift+End
key Ctrl+C
print clipboard
> clipboard "12"
show
> field "12" 0 2
print events
> events KeyDown(49,0) Change Change KeyPress(0) KeyUp(49,0) KeyDown(50,0) Change Change KeyPress(0) KeyUp(50,0) KeyDown(65,2) KeyPress(0) KeyUp(65,2) KeyDown(36,0) KeyUp(36,0) KeyDown(35,1) KeyUp(35,1) KeyDown(0,2) KeyPress(0) KeyUp(67,2)
set DropDown true
print layout
> layout field 0 0 1595 300 button true 1595 0 405 300
click button
click field
dblclick field
print events
> events ButtonClick Click DblClick
set Enabled false
type "3"
click field
click button
print events
> events ButtonClick
call AboutBox
> about "About entrybox"
)");
  for (const auto& make :
       {PlatformFactory(MakeHeadlessPlatform), PlatformFactory(MakeQtPlatform)}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunFile(path, true, out, err, make), 0) << out.str() << err.str();
  }
}

TEST(QtScript, HeadlessOnlyScriptsAreSkippedOnQt) {
  QTemporaryDir folder;
  const std::string path = WriteScript(folder, "only.tws",
                                       "#! headless-only: the reason\n# more words\n"
                                       "new long\nshow\n> field \"0\" 0 0\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunFile(path, true, out, err, MakeQtPlatform), kSkipped);
  EXPECT_NE(out.str().find("skipped on the qt platform: the reason"), std::string::npos);
  std::ostringstream headlessOut, headlessErr;
  EXPECT_EQ(RunFile(path, true, headlessOut, headlessErr, MakeHeadlessPlatform), 0);
  // The mark counts only before the first command.
  const std::string late = WriteScript(folder, "late.tws",
                                       "new long\n#! headless-only: too late\nshow\n"
                                       "> field \"0\" 0 0\n");
  std::ostringstream lateOut, lateErr;
  EXPECT_EQ(RunFile(late, true, lateOut, lateErr, MakeQtPlatform), 0) << lateOut.str();
}

TEST(QtScript, TheHeadlessContainerIsOnlyOnTheHeadlessPlatform) {
  Runner onQt(MakeQtPlatform());
  EXPECT_THROW(onQt.Container(), std::logic_error);
  Runner headless;
  EXPECT_NO_THROW(headless.Container());
}

}  // namespace
}  // namespace entrybox::script
