// The main window's "New skin from template wizard" command: the wizard runs
// modally and the personality it writes is opened the ordinary way.
#include "EditorFixture.h"

#include "wizards/NewSkinfromAScratchForm.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using ScratchWizardEntry = EditorFixture;

TEST_F(ScratchWizardEntry, FinishedWizardOpensTheNewPersonality)
{
    fs::create_directories(program / "template");
    auto main = makeMain();
    const fs::path shipped = fs::path(SKINWRT_SOURCE_DIR) / "data" / "template" / "scratch.uis";
    fs::copy_file(shipped, program / "template" / "scratch.uis");
    const QString picture = QString::fromStdString((dir.path() / "window.bmp").string());
    QImage window(200, 100, QImage::Format_RGB32);
    window.fill(qRgb(90, 120, 200));
    ASSERT_TRUE(window.save(picture, "BMP"));

    // Cancel first: nothing is written or opened.
    QTimer::singleShot(0, [] {
        auto* wizard = qobject_cast<TNewSkinfromAScratchForm*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        wizard->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    });
    main->Action(QStringLiteral("FileNewTemplateWizardItem"))->trigger();
    EXPECT_FALSE(editorState().DocumentOpen);

    prompts.answer(PromptAnswer::Ok);  // "Skin outline successfully created."
    QTimer::singleShot(0, [picture] {
        auto* wizard = qobject_cast<TNewSkinfromAScratchForm*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        ASSERT_TRUE(wizard->LoadTemplatePicture(picture));
        wizard->StepChooserMouseAction(5);
        wizard->findChild<QPushButton*>(QStringLiteral("ButtonAddButton"))->click();
        wizard->findChild<QSpinBox*>(QStringLiteral("UpDownButtonLeft"))->setValue(180);
        wizard->findChild<QSpinBox*>(QStringLiteral("UpDownButtonWidth"))->setValue(15);
        wizard->findChild<QSpinBox*>(QStringLiteral("UpDownButtonHeight"))->setValue(14);
        wizard->findChild<QLineEdit*>(QStringLiteral("EditFileName"))->setText(QStringLiteral("FromPicture"));
        wizard->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QStringLiteral("From a picture"));
        wizard->findChild<QPushButton*>(QStringLiteral("btnFinish"))->click();
    });
    main->Action(QStringLiteral("FileNewTemplateWizardItem"))->trigger();
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, "Skin outline successfully created.");
    EXPECT_TRUE(editorState().DocumentOpen);
    EXPECT_EQ(editorState().DocumentPath, (engine / "FromPicture" / "FromPicture.uis").string());
    EXPECT_EQ(editorState().SkinName, "From a picture");
}

}  // namespace
}  // namespace sw
