#include "platform/ui/MaskEdit.h"

#include "platform/regional/Regional.h"
#include "platform/ui/Beep.h"
#include "support/MessageRecorder.h"
#include "support/WaitUntil.h"

#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const char* const DateMask = "!99/99/00;1;_";

// Regional settings with the given date separator for the life of a test.
struct DateSeparator {
    Regional::TFormatSettings saved = Regional::FormatSettings();
    explicit DateSeparator(QChar separator) {
        Regional::TFormatSettings settings = saved;
        settings.DateSeparator = separator;
        Regional::SetFormatSettings(settings);
    }
    ~DateSeparator() { Regional::SetFormatSettings(saved); }
};

// A log window's date edit next to an OK button, with counted beeps and boxes.
struct DateForm {
    DateSeparator separator{'-'};
    QWidget window;
    TMaskEdit* edit = new TMaskEdit(&window);
    QPushButton* button = new QPushButton("Ok", &window);
    MessageRecorder boxes;
    int beeps = 0;
    int clicks = 0;
    int enters = 0;
    QStringList changes;

    DateForm() {
        SetBeepHook([this] { ++beeps; });
        edit->setGeometry(8, 8, 73, 21);
        button->setGeometry(100, 8, 75, 25);
        edit->SetEditMask(DateMask);
        edit->setText("01-01-04");
        edit->OnChange = [this](QObject*) { changes << edit->text(); };
        edit->OnEnter = [this](QObject*) { ++enters; };
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus(Qt::TabFocusReason);
    }
    ~DateForm() {
        edit->OnChange = nullptr;
        SetBeepHook({});
    }
    void clearYear() {
        edit->setCursorPosition(8);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
};

TEST(MaskEdit, TextHasTheSeparatorsAndBlanksForUnfilledPlaces) {
    DateSeparator separator('/');
    TMaskEdit edit;
    edit.SetEditMask(DateMask);
    EXPECT_EQ(edit.maxLength(), 8);
    const std::pair<QString, QString> cases[] = {
        {"01-01-04", "01/01/04"}, // the separator places show the regional one
        {"311205", "31/20/  "},   // placed by position, literals included
        {"  /12/05", "  /12/05"}, {"ab/cd/ef", "  /  /  "}, {"", "  /  /  "},
    };
    for (const auto& [given, text] : cases) {
        edit.setText(given);
        EXPECT_EQ(edit.text(), text) << given.toStdString();
    }
    edit.setText("  /12/05");
    EXPECT_EQ(edit.displayText(), "__/12/05");
    EXPECT_TRUE(edit.IsFilled()) << "only the year is required";
    edit.setText("01/01/0 ");
    EXPECT_FALSE(edit.IsFilled());
}

TEST(MaskEdit, PropertyFromAFormDescriptionKeepsTheText) {
    DateSeparator separator('.');
    TMaskEdit edit;
    edit.setText("01-01-05");
    EXPECT_TRUE(edit.setProperty("EditMask", QString(DateMask)));
    EXPECT_EQ(edit.EditMask(), DateMask);
    EXPECT_EQ(edit.text(), "01.01.05");
}

TEST(MaskEdit, TypingFillsPlacesAndRaisesOnChange) {
    DateForm form;
    form.edit->setCursorPosition(0);
    QTest::keyClicks(form.edit, "3112");
    EXPECT_EQ(form.edit->text(), "31-12-04");
    // Typing 1 over the 1 changes nothing; the cursor skips the separator.
    EXPECT_EQ(form.changes, (QStringList{"31-01-04", "31-11-04", "31-12-04"}));
    QTest::keyClicks(form.edit, "x");
    EXPECT_EQ(form.edit->text(), "31-12-04") << "a letter does not fit a digit place";
}

TEST(MaskEdit, LeavingWithTheYearMissingIsRefused) {
    DateForm form;
    form.clearYear();
    EXPECT_EQ(form.edit->text(), "01-01-  ");
    QTest::mouseClick(form.button, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return form.boxes.Count() > 0; }, 5000));
    EXPECT_EQ(form.boxes.Last().Text, "Invalid input value.  Use escape key to abandon changes");
    EXPECT_EQ(form.boxes.Last().Type, TMsgDlgType::mtError);
    EXPECT_EQ(form.beeps, 1);
    EXPECT_TRUE(form.edit->hasFocus());
    EXPECT_EQ(form.clicks, 0) << "the button's click must not run";
    EXPECT_EQ(form.enters, 1) << "taking the focus back is no new entry";

    // Still not filled: refused again; a filled year lets the focus go.
    form.button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return form.boxes.Count() == 2; }, 5000));
    EXPECT_TRUE(form.edit->hasFocus());
    QTest::keyClicks(form.edit, "07");
    QTest::mouseClick(form.button, Qt::LeftButton);
    RunEventLoopFor(50);
    EXPECT_EQ(form.boxes.Count(), 2);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(form.edit->text(), "01-01-07");
}

TEST(MaskEdit, UnchangedOrCodeSetTextMayLeave) {
    DateForm form;
    form.edit->setText("01-01-  "); // set by code: no change by the user
    form.button->setFocus(Qt::TabFocusReason);
    RunEventLoopFor(50);
    EXPECT_EQ(form.boxes.Count(), 0);
    EXPECT_TRUE(form.button->hasFocus());
}

TEST(MaskEdit, EscapeRestoresTheTextItHadOnEntry) {
    DateForm form;
    form.clearYear();
    form.changes.clear();
    QTest::keyClick(form.edit, Qt::Key_Escape);
    EXPECT_EQ(form.edit->text(), "01-01-04");
    EXPECT_EQ(form.changes, QStringList{"01-01-04"});
    form.button->setFocus(Qt::TabFocusReason);
    RunEventLoopFor(50);
    EXPECT_EQ(form.boxes.Count(), 0);

    // After a refused exit, Escape still goes back to the entry text.
    form.edit->setFocus(Qt::TabFocusReason);
    form.edit->setCursorPosition(0);
    QTest::keyClicks(form.edit, "15");
    form.clearYear();
    form.button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return form.boxes.Count() == 1; }, 5000));
    QTest::keyClick(form.edit, Qt::Key_Escape);
    EXPECT_EQ(form.edit->text(), "01-01-04");
}

TEST(MaskEdit, OnEnterOnEveryEntry) {
    DateForm form;
    EXPECT_EQ(form.enters, 1);
    form.button->setFocus(Qt::TabFocusReason);
    form.edit->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(form.enters, 2);
}

} // namespace
