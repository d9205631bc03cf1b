#include "AppHarness.h"

#include <QTest>

namespace {

const QString kPortMissing = QStringLiteral(
    "De door u gekozen compoort bestaat niet of is bezet.\r"
    "Kies een andere compoort of sluit het programma dat verbinding heeft met de compoort.");

class ComportFormTest : public AppHarness {};

} // namespace

TEST_F(ComportFormTest, AtStart_OffersPortOneOnTopOfTheMainWindow) {
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().ui.ComportSpinEdit->Value(), 1);
    EXPECT_TRUE(dialog().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog().windowTitle(), "Selecteer compoort");
}

TEST_F(ComportFormTest, AtStart_TheFocusIsOnVerbindenAndEnterConnects) {
    sim.Start();
    dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog()));
    ASSERT_EQ(QApplication::focusWidget(), dialog().ui.ConnectButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(main().ComPort, 1);
    EXPECT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }));
}

TEST_F(ComportFormTest, MissingPort_ShowsTheTwoLineMessageAndSendsNothing) {
    blockPort(7);
    dialog().ui.ComportSpinEdit->SetValue(7);
    dialog().ConnectButtonClick(dialog().ui.ConnectButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, kPortMissing);
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(main().ComPort, 0);
    EXPECT_FALSE(main().ComTimer->Enabled());
}

TEST_F(ComportFormTest, GoodPort_StoresThePortAndSendsV_AndTheReplyHidesTheDialog) {
    connect(1);
    EXPECT_EQ(main().ComPort, 1);
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }));
    EXPECT_EQ(commands().front(), "V");
    ASSERT_TRUE(WaitUntil([&] { return main().Connected; }));
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(ComportFormTest, TypedPortNumbers_AreBroughtIntoRangeBeforeTheClick) {
    blockPort(1);
    dialog().show();
    dialog().activateWindow();
    const std::pair<const char*, int> cases[] = {{"150", 99}, {"abc", 1}};
    for (const auto& [typed, port] : cases) {
        messages.clear();
        dialog().ui.ComportSpinEdit->setFocus();
        ASSERT_TRUE(WaitUntil([&] { return dialog().ui.ComportSpinEdit->hasFocus(); }, 1000));
        dialog().ui.ComportSpinEdit->setText(QString::fromLatin1(typed));
        QTest::mouseClick(dialog().ui.ConnectButton, Qt::LeftButton);
        EXPECT_EQ(dialog().ui.ComportSpinEdit->Value(), port) << typed;
        // Neither port can be opened here, so the click ends in the message.
        ASSERT_EQ(messages.size(), 1u) << typed;
        EXPECT_EQ(messages[0].Text, kPortMissing);
    }
}
