#include "engine/Shell.h"

#include "engine/RecordingShell.h"
#include "engine/SystemShell.h"

#include "EngineEnvironment.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Shell, TargetsBecomeAddresses)
{
    const std::pair<QString, QString> cases[] = {
        {"https://www.corvane.example/veneerix/", "https://www.corvane.example/veneerix/"},
        {"mailto:team@skinwright.example", "mailto:team@skinwright.example"},
        {"/home/u/My Skin/100%.bmp", "file:///home/u/My%20Skin/100%25.bmp"},
    };
    for (const auto& [target, expected] : cases)
        EXPECT_EQ(Shell::urlFor(target).toString(QUrl::FullyEncoded), expected);
}

TEST(Shell, CommandLinesSplitAtBlanksOutsideQuotes)
{
    RecordingShell recorder;
    EXPECT_TRUE(recorder.startCommandLine("\"C:\\Paint Pro\\pp.exe\" \"C:\\Skins\\My Skin\\top.bmp\""));
    EXPECT_TRUE(recorder.startCommandLine("  ExpSync.exe   /monitor "));
    EXPECT_FALSE(recorder.startCommandLine("   "));
    ASSERT_EQ(recorder.calls().size(), 2u);
    EXPECT_EQ(recorder.calls()[0].target, "C:\\Paint Pro\\pp.exe");
    EXPECT_EQ(recorder.calls()[0].arguments, QStringList{"C:\\Skins\\My Skin\\top.bmp"});
    EXPECT_EQ(recorder.calls()[1].target, "ExpSync.exe");
    EXPECT_EQ(recorder.calls()[1].arguments, QStringList{"/monitor"});
}

TEST(Shell, TheDesktopShellReportsWhatItCannotDo)
{
    SystemShell desktop;
    EXPECT_FALSE(desktop.start("/no/such/folder/vxload.exe", {}));
    // Without a GUI application (as here, and in command-line runs) nothing can be
    // opened, and asking must not crash.
    EXPECT_FALSE(desktop.open("https://www.corvane.example/veneerix/download/"));
}

}  // namespace
}  // namespace sw
