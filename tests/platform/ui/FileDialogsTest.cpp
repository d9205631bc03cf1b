#include "platform/ui/FileDialogs.h"

#include <gtest/gtest.h>

namespace {

struct DialogHook {
    std::vector<FileDialogRequest> requests;
    std::optional<QString> answer;
    DialogHook() {
        SetFileDialogHook([this](const FileDialogRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    ~DialogHook() { SetFileDialogHook({}); }
};

TEST(FileDialogs, FilterInQtSyntax) {
    const std::pair<QString, QString> cases[] = {
        {"Textfiles (*.txt)|*.txt", "Textfiles (*.txt)"},
        {"Text|*.txt;*.log|All files|*.*", "Text (*.txt *.log);;All files (*.*)"},
        {"", ""},
    };
    for (const auto& [given, qt] : cases)
        EXPECT_EQ(QtFilterOf(given), qt) << given.toStdString();
}

TEST(FileDialogs, ExecuteAsksWithTheSettingsAndAddsTheExtension) {
    DialogHook hook;
    TSaveDialog save;
    save.Title = "Gegevens opslaan als...";
    save.DefaultExt = "txt";
    save.FileName = "File1.txt";
    save.Filter = "Textfiles (*.txt)|*.txt";
    hook.answer = "/tmp/export";
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "/tmp/export.txt");
    ASSERT_EQ(hook.requests.size(), 1u);
    EXPECT_TRUE(hook.requests[0].Save);
    EXPECT_EQ(hook.requests[0].Title, "Gegevens opslaan als...");
    EXPECT_EQ(hook.requests[0].FileName, "File1.txt");
    EXPECT_EQ(hook.requests[0].Filter, "Textfiles (*.txt)");

    hook.answer = "/tmp/data.csv";
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName, "/tmp/data.csv") << "a given extension stays";
}

TEST(FileDialogs, CancelKeepsTheFileName) {
    DialogHook hook;
    TOpenDialog open;
    open.FileName = "/tmp/last.txt";
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName, "/tmp/last.txt");
    EXPECT_FALSE(hook.requests.at(0).Save);
    EXPECT_EQ(hook.requests.at(0).FileName, "/tmp/last.txt") << "proposes the last choice";
}

} // namespace
