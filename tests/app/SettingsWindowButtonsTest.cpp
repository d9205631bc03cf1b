#include "AppHarness.h"

#include <QTest>
#include <QToolButton>

namespace {

const QString kNotConnected = QStringLiteral("Er is geen verbinding met een stelpod.");

// The settings window driven by clicks on its buttons and arrows and by keys
// typed into its edits; questions answered from the harness's queue.
class SettingsWindowButtonsTest : public AppHarness {
  protected:
    void SetUp() override {
        AppHarness::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
    }

    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // Clicks into an edit and types over all its text.
    void typeInto(QWidget* edit, const QString& text) {
        click(edit);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
};

} // namespace

TEST_F(SettingsWindowButtonsTest, AtStart_ShowsTheDesignValuesAndEmptyStelpodFields) {
    auto& ui = main().ui;
    EXPECT_EQ(main().windowTitle(), "Dorvel settings program v1.17");
    EXPECT_EQ(ui.SampleTijdSpinEdit->text(), "1");
    EXPECT_EQ(ui.TurnoffTijdSpinEdit->text(), "1");
    EXPECT_TRUE(ui.LoodRadioButton->isChecked());
    EXPECT_FALSE(ui.NiMhRadioButton->isChecked());
    for (QWidget* off : std::initializer_list<QWidget*>{ui.NiMhRadioButton, ui.LoodRadioButton,
                                                       ui.OkButton, ui.AnnuleerButton})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    for (TTrackBar* bar : {ui.TrackBar1, ui.TrackBar2, ui.TrackBar3})
        EXPECT_EQ(bar->Position(), 255);
    for (TLabel* label : {ui.P1Label, ui.P2Label, ui.P3Label})
        EXPECT_EQ(label->text(), "0%");
    EXPECT_EQ(ui.Edit1->text(), "36,00");
    for (QLineEdit* empty :
         {ui.FirmwareEdit, ui.BootEdit, ui.VoltageEdit, ui.RewritesEdit, ui.NumRecEdit})
        EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    EXPECT_EQ(ui.Memo1->toPlainText().split('\n').size(), 11);
}

// Before any Stelpod answered, each command button but "Annuleren" only
// says so, asks nothing and sends nothing.
TEST_F(SettingsWindowButtonsTest, NotConnected_EachCommandButtonOnlySaysSo) {
    auto& ui = main().ui;
    // "Ok" is enabled by an edit of a setting, as a user would.
    typeInto(ui.SampleTijdSpinEdit, "10");
    ASSERT_TRUE(ui.OkButton->isEnabled());
    for (QPushButton* button :
         {ui.KalibButton, ui.WissenButton, ui.OkButton, ui.Button1, ui.ResetBTN, ui.Start}) {
        messages.clear();
        click(button);
        const std::string name = button->objectName().toStdString();
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_EQ(messages[0].Text, kNotConnected) << name;
        EXPECT_EQ(messages[0].Type, TMsgDlgType::mtInformation) << name;
        EXPECT_EQ(messages[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK}) << name;
        EXPECT_TRUE(main().LastCommand.isEmpty()) << name;
        EXPECT_FALSE(main().ComTimer->Enabled()) << name;
    }
}

// The two questions that guard a command: its exact text and kind; No sends
// nothing, Yes sends the command.
TEST_F(SettingsWindowButtonsTest, EraseAndReset_AskTheirQuestionAndSendOnlyOnYes) {
    connectAndRead();
    const struct {
        QPushButton* button;
        QString question;
        TMsgDlgType type;
        std::string command;
    } cases[] = {
        {main().ui.WissenButton, "Weet u zeker dat u alle records wilt verwijderen?",
         TMsgDlgType::mtConfirmation, "e"},
        {main().ui.ResetBTN,
         "U staat op het punt om de stelpod te resetten? Dit houd in dat alle gegevens verloren "
         "zullen gaan\r"
         "en dat de fabrieksinstellingen weer hersteld zullen worden.\r"
         "Er zal een nieuwe kalibratie plaatsvinden op basis van de huidig gemeten spanning.\r"
         "\r"
         "Weet u zeker dat u de stelpod wilt resetten?",
         TMsgDlgType::mtConfirmation, "X"},
    };
    for (const auto& c : cases) {
        const std::string name = c.button->objectName().toStdString();
        messages.clear();
        answers.push_back(mrNo);
        click(c.button);
        ASSERT_EQ(messages.size(), 1u) << name;
        EXPECT_EQ(messages[0].Text, c.question) << name;
        EXPECT_EQ(messages[0].Type, c.type) << name;
        EXPECT_EQ(messages[0].Buttons, (std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}))
            << name;
        RunEventLoopFor(400);
        EXPECT_EQ(countOf(c.command), 0) << name;

        click(c.button);
        EXPECT_TRUE(WaitUntil([&] { return countOf(c.command) == 1; }, 3000)) << name;
        EXPECT_EQ(main().LastCommand.toStdString(), c.command) << name;
    }
}

// The arrows beside the calibration voltage add or take 0,01 and write the
// shortest form back; a text that is no number gives the conversion error
// and stays.
TEST_F(SettingsWindowButtonsTest, CalibrationArrows_StepTheVoltageOrShowTheConversionError) {
    auto& ui = main().ui;
    const struct {
        const char* typed;
        bool up;
        const char* shown;
    } cases[] = {{"36,00", true, "36,01"},
                 {"36,01", false, "36"},
                 {"36,09", true, "36,1"},
                 {"abc", true, "abc"},
                 {"36.00", false, "36.00"}};
    for (const auto& c : cases) {
        messages.clear();
        typeInto(ui.Edit1, c.typed);
        ASSERT_EQ(ui.Edit1->text(), c.typed);
        click(c.up ? ui.UpDown1->UpButton() : ui.UpDown1->DownButton());
        EXPECT_EQ(ui.Edit1->text(), c.shown) << c.typed;
        if (QString(c.typed) == c.shown) {
            ASSERT_EQ(messages.size(), 1u) << c.typed;
            EXPECT_EQ(messages[0].Text,
                      QStringLiteral("'%1' is not a valid floating point value").arg(c.typed));
            EXPECT_EQ(messages[0].Type, TMsgDlgType::mtError);
        } else {
            EXPECT_TRUE(messages.empty()) << c.typed;
        }
    }
    EXPECT_TRUE(main().LastCommand.isEmpty());
}
