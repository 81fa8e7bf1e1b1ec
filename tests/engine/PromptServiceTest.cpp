#include "engine/PromptService.h"
#include "engine/ScriptedPrompts.h"
#include "engine/ScopedService.h"

#include "EngineEnvironment.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw {
namespace {

TEST(ScriptedPrompts, AnswersInOrderAndRecordsWhatWasShown)
{
    ScriptedPrompts scripted;
    scripted.answer(PromptAnswer::Cancel).choosePath("/skins/Aqua/Aqua.uis");
    EXPECT_EQ(scripted.message("Delete it?", "Confirm", PromptIcon::Question, PromptButtons::OkCancel),
              PromptAnswer::Cancel);
    EXPECT_EQ(scripted.openFile({"Open personality", "/skins", "UIS Files|*.uis", "Aqua.uis", "uis"}),
              "/skins/Aqua/Aqua.uis");
    EXPECT_EQ(scripted.pendingAnswers(), 0u);
    ASSERT_EQ(scripted.shown().size(), 2u);
    EXPECT_EQ(describePrompt(scripted.shown()[0]), "message captioned \"Confirm\" (Question, OkCancel): \"Delete it?\"");
    EXPECT_EQ(describePrompt(scripted.shown()[1]), "open dialog captioned \"Open personality\" in \"/skins\"");
    EXPECT_EQ(scripted.shown()[1].dialog.filter, "UIS Files|*.uis");
}

TEST(ScriptedPrompts, AnErrorNoHandlerCaughtIsShownAndTheProgramGoesOn)
{
    ScriptedPrompts scripted;
    ScopedService<PromptService> installed(scripted);
    EXPECT_TRUE(deliverReportingErrors([] { return true; }));
    EXPECT_TRUE(scripted.shown().empty());
    scripted.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
    EXPECT_FALSE(deliverReportingErrors([]() -> bool { throw std::runtime_error("Unable to write to a.uis (disk full)"); }));
    EXPECT_FALSE(deliverReportingErrors([]() -> bool { throw 42; }));
    ASSERT_EQ(scripted.shown().size(), 2u);
    EXPECT_EQ(scripted.shown()[0].text, QStringLiteral("Unable to write to a.uis (disk full)"));
    EXPECT_EQ(scripted.shown()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(scripted.shown()[1].icon, PromptIcon::Error);
}

TEST(ScriptedPrompts, PromptsTheScriptDidNotForeseeThrow)
{
    struct Case {
        std::function<void(ScriptedPrompts&)> script;
        std::function<void(ScriptedPrompts&)> prompt;
        const char* message;
    } cases[] = {
        {[](ScriptedPrompts&) {},
         [](ScriptedPrompts& p) { p.message("Hello", "Hi", PromptIcon::Information, PromptButtons::Ok); },
         "No answer scripted for: message captioned \"Hi\" (Information, Ok): \"Hello\""},
        {[](ScriptedPrompts& p) { p.answer(PromptAnswer::Yes); },
         [](ScriptedPrompts& p) { p.message("Hello", "Hi", PromptIcon::Error, PromptButtons::OkCancel); },
         "The scripted answer Yes is not a button of: message captioned \"Hi\" (Error, OkCancel): \"Hello\""},
        {[](ScriptedPrompts& p) { p.choosePath("/x"); },
         [](ScriptedPrompts& p) { p.message("Hello", "Hi", PromptIcon::None, PromptButtons::Ok); },
         "A path was scripted for: message captioned \"Hi\" (None, Ok): \"Hello\""},
        {[](ScriptedPrompts& p) { p.answer(PromptAnswer::Ok); },
         [](ScriptedPrompts& p) { p.chooseFolder("Pick", "/tmp"); },
         "A button was scripted for: folder dialog captioned \"Pick\" in \"/tmp\""},
    };
    for (const Case& c : cases) {
        ScriptedPrompts scripted;
        c.script(scripted);
        try {
            c.prompt(scripted);
            ADD_FAILURE() << c.message << ": no exception";
        } catch (const UnexpectedPrompt& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(scripted.shown().size(), 1u) << c.message;
    }
}

TEST(PromptService, DialogFiltersBecomeQtNameFilters)
{
    struct Case {
        QString filter;
        QStringList expected;
    } cases[] = {
        {"All archives (*.zip,*.vxa)|*.zip;*.vxa|VXA Archives (*.vxa)|*.vxa;*.vxa|All files (*.*)|*.*",
         {"All archives (*.zip *.vxa)", "VXA Archives (*.vxa)", "All files (*.*)"}},
        {"JPEG Image File (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;*.jpe|Personalities|*.uis",
         {"JPEG Image File (*.jpg *.jpeg *.jpe)", "Personalities (*.uis)"}},
        {"No patterns||Text (*.txt)|*.txt|Dangling", {"Text (*.txt)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtNameFilters(c.filter), c.expected) << c.filter.toStdString();
}

}  // namespace
}  // namespace sw
