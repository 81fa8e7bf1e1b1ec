// The button wizard steps through its pages and never offers to finish.
#include "wizards/ButtonWizardForm.h"
#include "wizards/WizardTimeLine.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(ButtonWizard, StepsShowTheirPageAndFinishStaysDisabled)
{
    TfrmAddButtonWizard wizard;
    wizard.show();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Add Button Wizard"));
    struct Case {
        const char* action;  // "next", "back" or a step number to click on the time line
        int step;
        bool pages;
        bool back, next;
    } cases[] = {
        {"back", 0, false, false, true}, {"next", 1, true, true, true}, {"next", 2, true, true, true},
        {"7", 7, true, true, true},      {"next", 8, true, true, true}, {"next", 9, false, true, false},
        {"next", 9, false, true, false}, {"back", 8, true, true, true}, {"0", 0, false, false, true},
    };
    for (const Case& c : cases) {
        const QString action = QString::fromLatin1(c.action);
        if (action == QStringLiteral("next"))
            wizard.btnNext->click();
        else if (action == QStringLiteral("back"))
            wizard.btnBack->click();
        else
            QTest::mouseClick(wizard.TimeLine()->Label(action.toInt()), Qt::LeftButton);
        SCOPED_TRACE(c.action);
        ASSERT_EQ(wizard.Step(), c.step);
        EXPECT_EQ(wizard.pcSteps->isVisible(), c.pages);
        if (c.pages) {
            EXPECT_EQ(wizard.pcSteps->currentWidget()->objectName(), QStringLiteral("tsStep%1").arg(c.step));
        }
        EXPECT_EQ(wizard.btnBack->isEnabled(), c.back);
        EXPECT_EQ(wizard.btnNext->isEnabled(), c.next);
        EXPECT_FALSE(wizard.btnFinish->isEnabled());
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(wizard.TimeLine()->MarkerColour(i), i == c.step ? QColor(Qt::green) : QColor(Qt::gray)) << i;
        EXPECT_EQ(wizard.TimeLine()->MarkerColour(9), QColor(Qt::red));
        EXPECT_TRUE(wizard.TimeLine()->Label(c.step)->font().bold());
    }
    wizard.btnCancel->click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace sw
