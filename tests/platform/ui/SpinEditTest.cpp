#include "platform/ui/SpinEdit.h"

#include "platform/errors/Exception.h"
#include "platform/ui/Beep.h"

#include "support/MessageRecorder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window with a port-number edit (1..99) and a button, as in the port dialog.
struct SpinForm {
    QWidget window;
    TSpinEdit* edit = new TSpinEdit(&window);
    QPushButton* button = new QPushButton(QStringLiteral("Verbinden"), &window);
    QStringList changes; // the text at each OnChange

    SpinForm() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(button);
        edit->SetMinValue(1);
        edit->SetMaxValue(99);
        edit->SetValue(1);
        edit->OnChange = [this](QObject*) { changes << edit->text(); };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ~SpinForm() { edit->OnChange = nullptr; }

    void typeText(const QString& text) {
        edit->setFocus();
        edit->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Replaces the text as a paste would, past the typing check.
    void pasteText(const QString& text) {
        edit->setFocus();
        edit->findChild<QLineEdit*>()->selectAll();
        edit->findChild<QLineEdit*>()->insert(text);
    }
};

TEST(SpinEdit, ValueReadsTheText) {
    TSpinEdit edit;
    edit.SetMinValue(1);
    edit.SetMaxValue(255);
    struct Case {
        QString text;
        int value;
    };
    const Case cases[] = {{"10", 10}, {" 42 ", 42}, {"300", 300}, {"0", 0},    {"-5", -5},
                          {"", 1},    {"abc", 1},   {"1a", 1},    {"0x1F", 1}, {"2.5", 1}};
    for (const Case& c : cases) {
        edit.setText(c.text);
        EXPECT_EQ(edit.Value(), c.value) << c.text.toStdString();
        EXPECT_EQ(edit.text(), c.text);
    }
}

TEST(SpinEdit, SetValueBringsIntoRangeAndRewritesText) {
    TSpinEdit edit;
    edit.SetMinValue(1);
    edit.SetMaxValue(255);
    const std::pair<int, QString> cases[] = {{0, "1"}, {256, "255"}, {-7, "1"}, {10, "10"}};
    for (const auto& [value, text] : cases) {
        edit.SetValue(value);
        EXPECT_EQ(edit.text(), text);
    }
}

TEST(SpinEdit, EqualBoundsDoNotLimit) {
    TSpinEdit edit;
    EXPECT_EQ(edit.text(), "0");
    edit.SetValue(1234);
    EXPECT_EQ(edit.Value(), 1234);
}

TEST(SpinEdit, OnChangeOnEveryTextChangeOnly) {
    TSpinEdit edit;
    edit.SetMinValue(1);
    edit.SetMaxValue(255);
    int changes = 0;
    edit.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++changes;
    };
    edit.SetValue(5);
    EXPECT_EQ(changes, 1);
    edit.SetValue(5);
    EXPECT_EQ(changes, 1) << "same value, same text";
    edit.SetValue(300); // 255
    edit.SetValue(400); // 255 again: unchanged text
    EXPECT_EQ(changes, 2);
    edit.setText("0005"); // same value, other text
    EXPECT_EQ(changes, 3);
    edit.SetValue(5); // "0005" becomes "5"
    EXPECT_EQ(changes, 4);
}

TEST(SpinEdit, ExceptionFromCodeChangeReachesTheCaller) {
    TSpinEdit edit;
    edit.OnChange = [](QObject*) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(edit.SetValue(3), std::runtime_error);
}

TEST(SpinEdit, TypingRaisesOnChangePerKeystroke) {
    SpinForm form;
    form.typeText("150");
    // Typing 1 over the selected 1 leaves the text as it was.
    EXPECT_EQ(form.changes, (QStringList{"15", "150"})) << form.changes.join('|').toStdString();
    EXPECT_EQ(form.edit->Value(), 150) << "a typed number stands until the focus leaves";
}

TEST(SpinEdit, FocusLossClampsBeforeTheButtonClickRuns) {
    struct Case {
        QString typed;
        QString atClick;
    };
    const Case cases[] = {{"150", "99"}, {"0", "1"}, {"42", "42"}, {"abc", "abc"}};
    for (const Case& c : cases) {
        SpinForm form;
        QString seenByClick;
        int valueAtClick = 0;
        QObject::connect(form.button, &QPushButton::clicked, [&] {
            seenByClick = form.edit->text();
            valueAtClick = form.edit->Value();
        });
        form.pasteText(c.typed);
        ASSERT_TRUE(form.edit->hasFocus());
        QTest::mouseClick(form.button, Qt::LeftButton);
        EXPECT_EQ(seenByClick, c.atClick) << c.typed.toStdString();
        EXPECT_EQ(valueAtClick, c.atClick == "abc" ? 1 : c.atClick.toInt());
    }
}

TEST(SpinEdit, TypingRefusesAllButDigitsAndAMinusInFrontWhereNegativesFit) {
    struct Case {
        int minValue;
        const char* typed;
        const char* text;
        int beeps;
    };
    const Case cases[] = {{1, "4a2", "42", 1}, {1, "1 2+", "12", 2}, {1, "-5", "5", 1},
                          {0, "-5", "5", 1},   {-10, "-5", "-5", 0}, {-10, "5-", "5", 1},
                          {1, "7,5", "75", 1}};
    for (const Case& c : cases) {
        SpinForm form;
        form.edit->SetMinValue(c.minValue);
        int beeps = 0;
        SetBeepHook([&] { ++beeps; });
        form.typeText(c.typed);
        SetBeepHook({});
        EXPECT_EQ(form.edit->text(), c.text) << c.typed;
        EXPECT_EQ(beeps, c.beeps) << c.typed;
    }
    SpinForm form;
    form.typeText("12");
    QTest::keyClick(form.edit, Qt::Key_Backspace);
    EXPECT_EQ(form.edit->text(), "1") << "editing keys still edit";
}

TEST(SpinEdit, FocusLossClampRaisesOnChange) {
    SpinForm form;
    form.typeText("150");
    form.changes.clear();
    form.button->setFocus();
    EXPECT_EQ(form.changes, QStringList{"99"});
    form.edit->setFocus();
    form.button->setFocus();
    EXPECT_EQ(form.changes, QStringList{"99"}) << "in range: no rewrite";
}

TEST(SpinEdit, FailingChangeHandlerOnFocusLossShowsTheErrorBox) {
    SpinForm form;
    form.typeText("150");
    MessageRecorder boxes;
    form.edit->OnChange = [](QObject*) { throw EInvalidOperation("kapot"); };
    form.button->setFocus();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().Text, "kapot");
    EXPECT_EQ(boxes.Last().Type, TMsgDlgType::mtError);
}

TEST(SpinEdit, ArrowsStepByOneWithinTheRange) {
    SpinForm form;
    form.edit->setFocus();
    form.edit->SetValue(98);
    form.changes.clear();
    QTest::keyClick(form.edit, Qt::Key_Up);
    QTest::keyClick(form.edit, Qt::Key_Up);
    EXPECT_EQ(form.edit->text(), "99");
    EXPECT_EQ(form.changes, QStringList{"99"});
    form.edit->SetValue(2);
    QTest::keyClick(form.edit, Qt::Key_Down);
    QTest::keyClick(form.edit, Qt::Key_Down);
    EXPECT_EQ(form.edit->text(), "1");
    form.pasteText("abc");
    QTest::keyClick(form.edit, Qt::Key_Up);
    EXPECT_EQ(form.edit->text(), "2") << "no number reads as the minimum";
    form.typeText("150");
    QTest::keyClick(form.edit, Qt::Key_Down);
    EXPECT_EQ(form.edit->text(), "99");
}

TEST(SpinEdit, PropertiesFromAFormDescription) {
    TSpinEdit edit;
    EXPECT_TRUE(edit.setProperty("MinValue", 1));
    EXPECT_TRUE(edit.setProperty("MaxValue", 255));
    EXPECT_TRUE(edit.setProperty("Value", 1));
    EXPECT_EQ(edit.text(), "1");
    EXPECT_EQ(edit.property("MaxValue").toInt(), 255);
}

} // namespace
