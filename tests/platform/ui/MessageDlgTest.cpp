#include "platform/ui/MessageDlg.h"

#include "platform/errors/Exception.h"
#include "platform/ui/Handler.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Presses a key in the box that the next MessageDlg call opens, once it is up.
void PressInNextBox(Qt::Key key, QString* seenText = nullptr, QString* defaultButton = nullptr) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        if (seenText)
            *seenText = box->text();
        if (defaultButton && box->defaultButton())
            *defaultButton = box->defaultButton()->text().remove('&');
        QTest::keyClick(box, key);
        poll->deleteLater();
    });
    poll->start(20);
}

TEST(MessageDlg, RealBoxQuestionDefaultsToYesAndEscapeAnswersNo) {
    QString defaultButton;
    PressInNextBox(Qt::Key_Return, nullptr, &defaultButton);
    EXPECT_EQ(MessageDlg("Weet u het zeker?", TMsgDlgType::mtConfirmation,
                         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
              mrYes);
    EXPECT_EQ(defaultButton, "Yes");

    PressInNextBox(Qt::Key_Escape);
    EXPECT_EQ(MessageDlg("Weet u het zeker?", TMsgDlgType::mtConfirmation,
                         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
              mrNo);
}

TEST(MessageDlg, RealBoxWithOkAloneAnswersOkAndBreaksLinesAtCarriageReturns) {
    QString text;
    PressInNextBox(Qt::Key_Return, &text);
    EXPECT_EQ(
        MessageDlg("eerste regel\rtweede regel", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}),
        mrOk);
    EXPECT_EQ(text, "eerste regel\ntweede regel");

    PressInNextBox(Qt::Key_Escape);
    EXPECT_EQ(MessageDlg("fout", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}), mrOk);
}

TEST(MessageDlg, HookGetsTheRequestAndAnswers) {
    MessageRecorder boxes;
    boxes.Answer(mrNo);
    EXPECT_EQ(
        MessageDlg("vraag", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
        mrNo);
    EXPECT_EQ(
        MessageDlg("vraag", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}),
        mrYes)
        << "an empty queue answers questions with Yes";
    EXPECT_EQ(MessageDlg("melding", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}), mrOk);
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_EQ(boxes.Last().Text, "melding");
    EXPECT_EQ(boxes.Last().Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes.Last().Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
}

TEST(RunHandler, ShowsTheExceptionsOwnTextInTheErrorBox) {
    MessageRecorder boxes;
    RunHandler([] { throw EConvertError("'abc' is not a valid integer value"); });
    RunHandler([] { throw std::runtime_error("plain failure"); });
    bool ran = false;
    RunHandler([&] { ran = true; });
    EXPECT_TRUE(ran);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts(), (QStringList{"'abc' is not a valid integer value", "plain failure"}));
    for (const MessageRequest& request : boxes.Requests()) {
        EXPECT_EQ(request.Type, TMsgDlgType::mtError);
        EXPECT_EQ(request.Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbOK});
    }
}

TEST(RunHandler, BindEventPassesSignalArgumentsAndCatches) {
    MessageRecorder boxes;
    QPushButton button;
    bool seenChecked = false;
    button.setCheckable(true);
    BindEvent(&button, &QPushButton::toggled, &button, [&](bool checked) {
        seenChecked = checked;
        throw EInvalidOperation("toggle failed");
    });
    button.setChecked(true);
    EXPECT_TRUE(seenChecked);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Text, "toggle failed");
}

} // namespace
