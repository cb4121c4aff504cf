#include <gtest/gtest.h>

#include <filesystem>

#include "ConditionFixture.h"
#include "TestSupport.h"
#include "model/ConditionCommands.h"
#include "model/ConditionFile.h"

using namespace kv;

namespace {

class FakeUi : public ConditionUi {
public:
    std::optional<std::string> ChooseFile(const FileDialogSpec& dialog) override {
        dialogs.push_back(dialog.Title);
        if (choices.empty()) return std::nullopt;
        auto c = choices.front();
        choices.erase(choices.begin());
        return c;
    }
    void ConditionReplaced() override { ++replaced; }
    void ConditionSaved() override { ++saved; }
    std::vector<std::optional<std::string>> choices;  // consumed front first
    std::vector<std::string> dialogs;
    int replaced = 0, saved = 0;
};

}  // namespace

TEST(ConditionCommands, SaveChangesPromptDecidesWhetherNewGoesOn) {
    kvtest::TempDir dir;
    struct Case {
        const char* name;
        MsgAnswer answer;
        std::optional<std::string> saveAs;  // file chosen in the save dialog
        bool renewed;                       // the condition was replaced
        bool savedFile;
    };
    const std::string target = dir.file("saved.LCF");
    const std::string badTarget = dir.file("missing/saved.LCF");
    const Case cases[] = {
        {"No", MsgAnswer::No, std::nullopt, true, false},
        {"Cancel", MsgAnswer::Cancel, std::nullopt, false, false},
        {"Yes, saved", MsgAnswer::Yes, target, true, true},
        {"Yes, save dialog cancelled", MsgAnswer::Yes, std::nullopt, true, false},
        {"Yes, save failed", MsgAnswer::Yes, badTarget, false, false},
    };
    for (const Case& c : cases) {
        std::remove(target.c_str());
        KvState s = kvtest::MakeShipState();
        s.LoadData.VoyageNo.set("V1");
        s.ConditionModified = true;
        RecordingSink sink;
        sink.answers = {c.answer};
        FakeUi ui;
        ui.choices = {c.saveAs};
        bool done = NewConditionCommand(s, sink, ui);
        ASSERT_EQ(sink.questions.size(), 1u) << c.name;
        EXPECT_EQ(sink.questions[0], "Save Changes to Untitled?") << c.name;
        EXPECT_EQ(done, c.renewed) << c.name;
        EXPECT_EQ(s.LoadData.VoyageNo.str(), c.renewed ? "" : "V1") << c.name;
        EXPECT_EQ(ui.replaced, c.renewed ? 1 : 0) << c.name;
        EXPECT_EQ(FileExists(target), c.savedFile) << c.name;
        if (c.renewed) {
            EXPECT_EQ(s.ConditionFileName, "Untitled") << c.name;
        }
        if (!c.renewed) {
            EXPECT_TRUE(s.ConditionModified) << c.name;
        }
    }
}

TEST(ConditionCommands, NoPromptForAnUnmodifiedCondition) {
    KvState s = kvtest::MakeShipState();
    s.PanelList.resize(3);
    RecordingSink sink;
    FakeUi ui;
    EXPECT_TRUE(NewConditionCommand(s, sink, ui));
    EXPECT_TRUE(sink.questions.empty());
    EXPECT_TRUE(s.PanelList.empty());
}

TEST(ConditionCommands, PromptNamesTheFileWithoutFolder) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    SaveConditionFile(s, dir.file("Dep Hamburg.LCF"));
    s.ConditionModified = true;
    RecordingSink sink(MsgAnswer::Cancel);
    FakeUi ui;
    EXPECT_FALSE(OpenConditionCommand(s, sink, ui));
    ASSERT_EQ(sink.questions.size(), 1u);
    EXPECT_EQ(sink.questions[0], "Save Changes to Dep Hamburg.LCF?");
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST(ConditionCommands, OpenKeepsTheConditionWhenTheFileIsDamaged) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    s.LoadData.VoyageNo.set("SAVED");
    SaveConditionFile(s, dir.file("good.LCF"));
    auto bytes = kvtest::ReadBytes(dir.file("good.LCF"));
    bytes.resize(bytes.size() - 3);
    kvtest::WriteBytes(dir.file("bad.LCF"), bytes);

    s.LoadData.VoyageNo.set("CURRENT");
    s.ConditionModified = true;
    RecordingSink sink(MsgAnswer::No);
    FakeUi ui;
    ui.choices = {dir.file("bad.LCF")};
    EXPECT_FALSE(OpenConditionCommand(s, sink, ui));
    EXPECT_EQ(ui.dialogs, std::vector<std::string>{"Open Loading Condtion file...."});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("bad.LCF"), std::string::npos);
    EXPECT_EQ(s.LoadData.VoyageNo.str(), "CURRENT");
    EXPECT_EQ(s.ConditionFileName, dir.file("good.LCF"));
    EXPECT_TRUE(s.ConditionModified);
    EXPECT_EQ(ui.replaced, 0);

    ui.choices = {dir.file("good.LCF")};
    EXPECT_TRUE(OpenConditionCommand(s, sink, ui));
    EXPECT_EQ(s.LoadData.VoyageNo.str(), "SAVED");
    EXPECT_FALSE(s.ConditionModified);
    EXPECT_EQ(ui.replaced, 1);
}

TEST(ConditionCommands, SaveUsesTheNameOrAsksForOne) {
    kvtest::TempDir dir;
    KvState s = kvtest::MakeShipState();
    RecordingSink sink;
    FakeUi ui;
    ui.choices = {dir.file("first.LCF")};
    s.ConditionModified = true;
    EXPECT_TRUE(SaveConditionCommand(s, sink, ui));  // "Untitled" does not exist: Save As
    EXPECT_EQ(ui.dialogs, std::vector<std::string>{"Save Loading Condition File...."});
    EXPECT_EQ(s.ConditionFileName, dir.file("first.LCF"));
    EXPECT_FALSE(s.ConditionModified);

    s.LoadData.VoyageTo.set("NEXT");
    EXPECT_TRUE(SaveConditionCommand(s, sink, ui));  // the file exists: no dialog
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.saved, 2);
    EXPECT_EQ(kvtest::ReadBytes(dir.file("first.LCF")), EncodeConditionFile(s));

    EXPECT_FALSE(SaveConditionAsCommand(s, sink, ui));  // dialog cancelled
    EXPECT_TRUE(sink.messages.empty());
}

TEST(ConditionCommands, NewConditionNeverSavesIntoAFileCalledUntitled) {
    kvtest::TempDir dir;
    const std::string untitled = dir.file("Untitled");
    kvtest::WriteBytes(untitled, {1, 2, 3});
    KvState s = kvtest::MakeShipState();
    s.ConditionFileName = "Untitled";
    auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    RecordingSink sink;
    FakeUi ui;  // no file chosen
    bool saved = SaveConditionCommand(s, sink, ui);
    std::filesystem::current_path(cwd);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(kvtest::ReadBytes(untitled), (std::vector<uint8_t>{1, 2, 3}));
}
