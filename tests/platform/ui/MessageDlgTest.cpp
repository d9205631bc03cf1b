#include "platform/ui/MessageDlg.h"

#include "platform/errors/Exception.h"
#include "platform/ui/Handler.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

// Once the box that the next MessageDlg call opens is up, lets `inspect` look
// at it and presses the keys in it.
void PressInNextBox(std::vector<Qt::Key> keys,
                    std::function<void(QMessageBox*)> inspect = nullptr) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || !box->isActiveWindow() || !box->focusWidget())
            return; // keys go to the box once it has the focus
        poll->stop();
        if (inspect)
            inspect(box);
        for (Qt::Key key : keys)
            QTest::keyClick(box->focusWidget(), key);
        poll->deleteLater();
    });
    poll->start(20);
}

void PressInNextBox(Qt::Key key, QString* seenText = nullptr, QString* defaultButton = nullptr) {
    PressInNextBox(std::vector<Qt::Key>{key}, [=](QMessageBox* box) {
        if (seenText)
            *seenText = box->text();
        if (defaultButton && box->defaultButton())
            *defaultButton = box->defaultButton()->text().remove('&');
    });
}

int AskYesNo() {
    return MessageDlg("Weet u het zeker?", TMsgDlgType::mtConfirmation,
                      {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
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

// The caption names the box's kind in the user's language, as the buttons
// do once Qt's translations are loaded.
TEST(MessageDlg, RealBoxCaptionFollowsTheUsersLanguage) {
    const QLocale saved;
    const std::tuple<QLocale::Language, TMsgDlgType, QString> cases[] = {
        {QLocale::Dutch, TMsgDlgType::mtConfirmation, "Bevestigen"},
        {QLocale::Dutch, TMsgDlgType::mtInformation, "Informatie"},
        {QLocale::Dutch, TMsgDlgType::mtWarning, "Waarschuwing"},
        {QLocale::Dutch, TMsgDlgType::mtError, "Fout"},
        {QLocale::English, TMsgDlgType::mtConfirmation, "Confirm"},
        {QLocale::English, TMsgDlgType::mtError, "Error"},
    };
    for (const auto& [language, type, caption] : cases) {
        QLocale::setDefault(QLocale(language));
        QString seen;
        PressInNextBox(std::vector<Qt::Key>{Qt::Key_Escape},
                       [&](QMessageBox* box) { seen = box->windowTitle(); });
        MessageDlg("Tekst", type, {TMsgDlgBtn::mbOK});
        EXPECT_EQ(seen, caption);
    }
    QLocale::setDefault(saved);
}

TEST(MessageDlg, RealBoxEnterAndSpacePressTheFocusedButton) {
    const std::pair<std::vector<Qt::Key>, int> cases[] = {
        {{Qt::Key_Tab, Qt::Key_Return}, mrNo},
        {{Qt::Key_Tab, Qt::Key_Enter}, mrNo},
        {{Qt::Key_Tab, Qt::Key_Space}, mrNo},
        {{Qt::Key_Space}, mrYes},
    };
    for (const auto& [keys, answer] : cases) {
        PressInNextBox(keys);
        EXPECT_EQ(AskYesNo(), answer) << keys.size();
    }
}

// A window of the test, shown and active.
struct Owner {
    QWidget window;
    explicit Owner(QRect geometry, Qt::WindowFlags flags = {}) {
        window.setWindowFlags(window.windowFlags() | flags);
        window.setGeometry(geometry);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

// The box opens above the window that raised it, centred on it with the size
// its wrapped text gives it; it stays on top when a window of ours does, or
// it would open beneath that one.
TEST(MessageDlg, RealBoxOpensCentredAboveItsOwner) {
    const QString longText = QString("Er is geen stelpod gedetecteerd op de door u gekozen "
                                     "compoort, probeer opnieuw. ")
                                 .repeated(6);
    struct Seen {
        QWidget* parent = nullptr;
        QPoint centre;
        bool onTop = false;
    };
    const auto showBox = [&] {
        Seen seen;
        PressInNextBox(std::vector<Qt::Key>{Qt::Key_Return}, [&](QMessageBox* box) {
            seen.parent = box->parentWidget();
            seen.centre = box->frameGeometry().center();
            seen.onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        EXPECT_EQ(MessageDlg(longText, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}), mrOk);
        return seen;
    };

    Owner main(QRect(100, 120, 700, 500));
    Seen seen = showBox();
    EXPECT_EQ(seen.parent, &main.window);
    EXPECT_LE((seen.centre - main.window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_FALSE(seen.onTop);

    Owner dialog(QRect(300, 250, 181, 127), Qt::Dialog | Qt::WindowStaysOnTopHint);
    main.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main.window));
    seen = showBox();
    EXPECT_EQ(seen.parent, &main.window);
    EXPECT_LE((seen.centre - main.window.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_TRUE(seen.onTop);

    // Another program is active: the window of ours on top owns the box.
    QApplication::setActiveWindow(nullptr);
    seen = showBox();
    EXPECT_EQ(seen.parent, &dialog.window);
    EXPECT_LE((seen.centre - dialog.window.frameGeometry().center()).manhattanLength(), 2);
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
