#include "editor/dialogs/new_map_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

#include "support/scripted_interaction.h"

namespace {

struct Outcome {
    std::vector<std::string> messages;
    bool accepted;
    QString focused;
};

// Types height and width into a fresh dialog and presses OK.
Outcome PressOk(const QString& height, const QString& width) {
    ScriptedInteraction script;
    CNewMapDialog dialog(nullptr);
    dialog.show();
    dialog.findChild<QLineEdit*>("height")->setText(height);
    dialog.findChild<QLineEdit*>("width")->setText(width);
    dialog.accept();
    QWidget* focus = dialog.focusWidget();
    return {script.MessageTexts(), dialog.result() == QDialog::Accepted,
            focus ? focus->objectName() : QString()};
}

using Messages = std::vector<std::string>;

}  // namespace

TEST(NewMapDialogTest, RefusesSizesOutsideTheLimitsHeightFirst) {
    const std::string width = "Please enter an integer between 20 and 192.";
    const std::string height = "Please enter an integer between 20 and 112.";

    Outcome wide = PressOk("112", "193");
    EXPECT_EQ(wide.messages, Messages{width});
    EXPECT_FALSE(wide.accepted);
    EXPECT_EQ(wide.focused, "width");

    EXPECT_EQ(PressOk("20", "19").messages, Messages{width});
    EXPECT_EQ(PressOk("113", "192").messages, Messages{height});
    EXPECT_EQ(PressOk("19", "500").messages, Messages{height});
    EXPECT_EQ(PressOk("", "50").messages, Messages{"Please enter an integer."});
    EXPECT_EQ(PressOk("50", "").messages, Messages{"Please enter an integer."});
    EXPECT_EQ(PressOk("99999999999999999999", "50").messages, Messages{height});

    Outcome both = PressOk("113", "193");
    EXPECT_EQ(both.messages, Messages{height});
    EXPECT_EQ(both.focused, "height");

    Outcome edges = PressOk("20", "192");
    EXPECT_TRUE(edges.messages.empty());
    EXPECT_TRUE(edges.accepted);
}

TEST(NewMapDialogTest, TakesDigitsOnlyAndReportsTheChoice) {
    ScriptedInteraction script;
    CNewMapDialog dialog(nullptr);
    auto* height = dialog.findChild<QLineEdit*>("height");
    int position = 0;
    QString typed = "-5";
    EXPECT_EQ(height->validator()->validate(typed, position), QValidator::Invalid);
    typed = "1x";
    EXPECT_EQ(height->validator()->validate(typed, position), QValidator::Invalid);

    height->setText("64");
    dialog.findChild<QLineEdit*>("width")->setText("128");
    auto* fill = dialog.findChild<QComboBox*>("fill");
    ASSERT_EQ(fill->count(), 3);
    EXPECT_EQ(fill->itemText(0), "Grass");
    EXPECT_EQ(fill->itemText(1), "Desert");
    EXPECT_EQ(fill->itemText(2), "Ocean");
    fill->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(dialog.height, 64);
    EXPECT_EQ(dialog.width, 128);
    EXPECT_EQ(dialog.fillIndex, 2);
}
