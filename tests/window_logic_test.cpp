// What both windows do, through a fake window and a fake file system: Dir1 and Drive1, the
// names a chosen drawing proposes, and the run with its captions, report and messages.

#include "captions.h"
#include "test_support.h"
#include "window_logic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace dxf2csv {

bool operator==(const FolderLine& a, const FolderLine& b) { return a.text == b.text && a.path == b.path; }
bool operator==(const Message& a, const Message& b) { return a.title == b.title && a.text == b.text; }
void PrintTo(const FolderLine& line, std::ostream* out) { *out << '"' << line.text << "\" -> " << line.path; }
void PrintTo(const Message& message, std::ostream* out) { *out << message.title << ": " << message.text; }

namespace {

/// A window that keeps what the logic shows and records, in order, the changes a user sees
/// while a run goes on.
class FakeView final : public WindowView {
public:
    std::string shownCaption = captions::kStart;
    std::map<Field, std::string> fields{{Field::Tolerance, captions::kDefaultTolerance}};
    std::string report;
    std::vector<std::string> events; ///< "caption X", "paint X" (the caption painted), "report"
    std::vector<Volume> drives;
    std::size_t drive = 0;
    std::vector<FolderLine> folders;
    std::size_t selectedFolder = 0;
    std::vector<std::string> files;
    std::string selected; ///< the file selected in the lists
    std::vector<Message> boxes; ///< messages shown in the window's own box

    std::string caption() const override { return shownCaption; }
    void setCaption(const std::string& caption) override {
        shownCaption = caption;
        events.push_back("caption " + caption);
    }
    void paintNow() override { events.push_back("paint " + shownCaption); }
    std::string text(Field field) const override {
        const auto found = fields.find(field);
        return found == fields.end() ? "" : found->second;
    }
    void setText(Field field, const std::string& text) override { fields[field] = text; }
    void setReport(const std::string& text) override {
        report = text;
        events.push_back("report");
    }
    void fillDrives(const std::vector<Volume>& volumes, std::size_t current) override {
        drives = volumes;
        drive = current;
    }
    void chooseDrive(std::size_t index) override { drive = index; }
    void fillFolders(const std::vector<FolderLine>& lines, std::size_t current) override {
        folders = lines;
        selectedFolder = current;
    }
    void fillFiles(const std::vector<std::string>& names) override { files = names; }
    void selectFile(const std::string& name) override { selected = name; }
    void showMessageBox(const Message& message) override { boxes.push_back(message); }
};

/// A file system of absolute paths joined with `sep`, whose folders hold what `entries` says.
class FakeFileSystem final : public FileSystem {
public:
    struct Entries {
        std::vector<std::string> subfolders;
        std::vector<std::string> files;
    };
    char sep = '/';
    std::vector<Volume> volumeList{{"/", "/"}};
    std::string current = "/";
    std::map<std::string, Entries> entries;
    std::set<std::string> notReady;

    std::vector<Volume> volumes() const override { return volumeList; }
    std::string currentFolder() const override { return current; }
    std::string plainFolder(const std::string& path) const override {
        std::string plain = path;
        while (plain.size() > 1 && plain.back() == sep) plain.pop_back();
        return plain;
    }
    std::optional<std::string> parentOf(const std::string& folder) const override {
        const std::size_t cut = folder.find_last_of(sep);
        if (folder.size() <= 1 || cut == std::string::npos) return std::nullopt;
        return cut == 0 ? folder.substr(0, 1) : folder.substr(0, cut);
    }
    std::string nameOf(const std::string& folder) const override {
        return folder.size() <= 1 ? folder : folder.substr(folder.find_last_of(sep) + 1);
    }
    char separator() const override { return sep; }
    std::vector<std::string> subfolders(const std::string& folder) const override {
        const auto found = entries.find(folder);
        return found == entries.end() ? std::vector<std::string>{} : found->second.subfolders;
    }
    std::vector<std::string> files(const std::string& folder) const override {
        const auto found = entries.find(folder);
        return found == entries.end() ? std::vector<std::string>{} : found->second.files;
    }
    bool isReady(const std::string& root) const override { return notReady.count(root) == 0; }
    bool liesIn(const std::string& folder, const std::string& root) const override {
        const std::string volume = root.back() == sep ? root : root + sep;
        return (folder + sep).starts_with(volume);
    }
};

const char* const kNotANumber = "数値ではありません";
const char* const kUnexpected = "予期しない失敗です";

/// Every test sees the messages through the hook, as the windows' tests do.
class WindowLogicTest : public testing::Test {
protected:
    std::vector<Message> messages;
    FakeView view;
    FakeFileSystem fileSystem;

    void SetUp() override {
        setMessageHook([this](const Message& message) { messages.push_back(message); });
    }
    void TearDown() override { setMessageHook({}); }
};

TEST(WindowLogicPaths, PathsAreJoinedWithoutADoubledSeparator) {
    struct Case {
        const char* directory;
        const char* name;
        char separator;
        const char* path;
    };
    const Case cases[] = {
        {"/", "plan.dxf", '/', "/plan.dxf"},
        {"/home/user", "plan.dxf", '/', "/home/user/plan.dxf"},
        {"/home/user/", "plan.dxf.csv", '/', "/home/user/plan.dxf.csv"},
        {"C:\\", "plan.dxf", '\\', "C:\\plan.dxf"},
        {"C:\\図面", "部品表.dxf", '\\', "C:\\図面\\部品表.dxf"},
        {"C:/drawings/", "plan.dxf", '\\', "C:/drawings/plan.dxf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(joinPath(c.directory, c.name, c.separator), c.path);
    }
    EXPECT_EQ(csvNameFor("plan.dxf"), "plan.dxf.csv");
}

TEST_F(WindowLogicTest, AFolderListsItsAncestorsThenItsSubfoldersAndItsFiles) {
    fileSystem.entries["/"] = {{"home", "media"}, {"boot.ini"}};
    fileSystem.entries["/home/user"] = {{"docs", "図面"}, {"a.dxf", "b.txt"}};
    struct Case {
        const char* name;
        const char* path;
        const char* folder;
        std::vector<FolderLine> lines;
        std::size_t selected;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"a folder deep down, given with a trailing separator",
         "/home/user/",
         "/home/user",
         {{"/", "/"},
          {"  home", "/home"},
          {"    user", "/home/user"},
          {"      docs", "/home/user/docs"},
          {"      図面", "/home/user/図面"}},
         2,
         {"a.dxf", "b.txt"}},
        {"the root", "/", "/", {{"/", "/"}, {"  home", "/home"}, {"  media", "/media"}}, 0, {"boot.ini"}},
        {"an empty folder", "/home", "/home", {{"/", "/"}, {"  home", "/home"}}, 1, {}},
    };
    WindowLogic logic(view, fileSystem);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        logic.openFolder(c.path);
        EXPECT_EQ(logic.folder(), c.folder);
        EXPECT_EQ(view.folders, c.lines);
        EXPECT_EQ(view.selectedFolder, c.selected);
        EXPECT_EQ(view.files, c.files);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowLogicTest, StartChoosesTheVolumeThatHoldsTheWorkingFolderAndOpensIt) {
    fileSystem.volumeList = {{"/", "/"}, {"/home/user", "/home/user"}, {"/media/usb", "/media/usb"}};
    struct Case {
        const char* current;
        std::size_t drive;
    };
    const Case cases[] = {
        {"/home/user/docs", 1}, // "/" holds it too: the longer root wins
        {"/home/user", 1},
        {"/home/username", 0}, // "/home/user" is no folder of it
        {"/media/usb/a", 2},
        {"/srv", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        fileSystem.current = c.current;
        WindowLogic logic(view, fileSystem);
        logic.start();
        EXPECT_EQ(view.drives.size(), 3u);
        EXPECT_EQ(view.drive, c.drive);
        EXPECT_EQ(logic.folder(), c.current);
        ASSERT_FALSE(view.folders.empty());
        EXPECT_EQ(view.folders.back().path, c.current);
    }
}

TEST_F(WindowLogicTest, ADriveThatIsNotReadyIsToldAndThePreviousDriveStaysChosen) {
    fileSystem.volumeList = {{"/", "/"}, {"/home/user", "/home/user"}, {"/media/usb", "/media/usb"}};
    fileSystem.current = "/home/user";
    fileSystem.notReady = {"/media/usb"};
    WindowLogic logic(view, fileSystem);
    logic.start();
    ASSERT_EQ(view.drive, 1u);

    logic.driveChosen(2, "/media/usb");
    EXPECT_EQ(messages, (std::vector<Message>{{captions::kDriveNotReady, "/media/usb"}}));
    EXPECT_EQ(view.drive, 1u);
    EXPECT_EQ(logic.folder(), "/home/user");

    // A drive that is ready opens its root and becomes the one to go back to.
    view.drive = 0;
    logic.driveChosen(0, "/");
    EXPECT_EQ(logic.folder(), "/");
    logic.driveChosen(2, "/media/usb");
    EXPECT_EQ(view.drive, 0u);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(WindowLogicTest, WithoutAHookTheWindowsOwnMessageBoxShowsTheMessage) {
    setMessageHook({});
    fileSystem.notReady = {"/media/usb"};
    WindowLogic logic(view, fileSystem);
    logic.driveChosen(1, "/media/usb");
    EXPECT_EQ(view.boxes, (std::vector<Message>{{captions::kDriveNotReady, "/media/usb"}}));
}

TEST_F(WindowLogicTest, ARunConvertsTheChosenDrawingAndShowsTheReport) {
    test::TempDir dir;
    test::writeFile(dir.path("plan.dxf"),
                    test::drawing(test::textEntity("A1", "bolt", "0", "0") + test::textEntity("A2", "nut", "5", "40"),
                                  test::groupObject({"A1", "A2"})));
    fileSystem.sep = static_cast<char>(std::filesystem::path::preferred_separator);
    fileSystem.current = dir.root().string();
    WindowLogic logic(view, fileSystem);
    logic.start();
    logic.fileChosen("plan.dxf");
    EXPECT_EQ(view.text(Field::InputName), "plan.dxf");
    EXPECT_EQ(view.text(Field::OutputName), "plan.dxf.csv");

    // The folder as the run leaves it: the file lists show the result too.
    fileSystem.entries[dir.root().string()].files = {"plan.dxf", "plan.dxf.csv"};
    logic.run();
    EXPECT_TRUE(messages.empty());
    // The caption is painted before the run takes the thread.
    const std::vector<std::string> events{"caption 読み込み中です・・・", "paint 読み込み中です・・・",
                                          "caption ファイル操作", "report"};
    EXPECT_EQ(view.events, events);
    EXPECT_EQ(test::readFile(dir.path("plan.dxf.csv")), "bolt,nut\r\n");
    const std::string report = "認識した要素数 : 2（５０００要素以下が必須！！）\r\n計上した材料数 : 2\r\n"
                               "計上した材料の総数 : 2\r\n処理終了\r\n";
    // The report says where the result went, in full.
    EXPECT_EQ(view.report, report + "出力先 : " + dir.path("plan.dxf.csv") + "\r\n");
    EXPECT_EQ(view.files, (std::vector<std::string>{"plan.dxf", "plan.dxf.csv"}));
    EXPECT_EQ(view.selected, "plan.dxf.csv");
    EXPECT_EQ(view.text(Field::InputName), "plan.dxf");

    // The next run starts afresh: an edited output name is used as typed, and a full-width
    // tolerance reads as its digits (Y 0 and 40 are apart at 10).
    view.events.clear();
    view.setText(Field::OutputName, "edited.csv");
    view.setText(Field::Tolerance, "１０");
    logic.run();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.events, events);
    EXPECT_EQ(test::readFile(dir.path("edited.csv")), "nut\r\nbolt\r\n");
    EXPECT_EQ(view.report, report + "出力先 : " + dir.path("edited.csv") + "\r\n");
}

TEST_F(WindowLogicTest, AFailedRunKeepsTheCaptionAndTheReportAndTellsTheKindInJapanese) {
    test::TempDir dir;
    test::writeFile(dir.path("plan.dxf"), test::drawing(test::textEntity("A", "bolt", "0", "0"), test::groupObject({"A"})));
    test::writeFile(dir.path("broken.dxf"), "  0\nSECTION\nxx\nENTITIES\n");
    fileSystem.sep = static_cast<char>(std::filesystem::path::preferred_separator);
    fileSystem.current = dir.root().string();
    struct Case {
        const char* name;
        const char* input;
        const char* tolerance;
        const char* title; // of the failure's message
        const char* after; // its text after the drawing's path
    };
    const Case cases[] = {
        {"bad group code", "broken.dxf", "100", kNotANumber, "\n3 行目: \"xx\""},
        {"bad tolerance", "plan.dxf", "abc", kNotANumber, "\n許容値 \"abc\""},
        {"empty name", "", "100", "入力ファイルを開けません", "\nフォルダーです"},
    };
    WindowLogic logic(view, fileSystem);
    logic.start();
    view.report = "the report of an earlier run";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        view.events.clear();
        view.setText(Field::InputName, c.input);
        view.setText(Field::OutputName, "out.csv");
        view.setText(Field::Tolerance, c.tolerance);
        logic.run();
        EXPECT_EQ(view.events, (std::vector<std::string>{"caption 読み込み中です・・・", "paint 読み込み中です・・・",
                                                          "caption DXF内容表示"}));
        EXPECT_EQ(view.report, "the report of an earlier run");
        EXPECT_EQ(messages, (std::vector<Message>{{c.title, joinPath(logic.folder(), c.input, fileSystem.sep) + c.after}}));
        EXPECT_FALSE(std::filesystem::exists(dir.path("out.csv")));
    }
    // The window is ready for the next run.
    messages.clear();
    view.setText(Field::InputName, "plan.dxf");
    view.setText(Field::Tolerance, "100");
    logic.run();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(view.shownCaption, captions::kDone);
    EXPECT_EQ(test::readFile(dir.path("out.csv")), "bolt\r\n");
}

TEST_F(WindowLogicTest, AnUnexpectedFailureOfTheRunIsToldAndTheWindowGoesOn) {
    struct Case {
        const char* name;
        void (*fail)();
        const char* text;
    };
    const Case cases[] = {
        {"a std::exception", [] { throw std::runtime_error("out of memory"); }, "out of memory"},
        {"anything else", [] { throw 42; }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        view = FakeView{};
        view.report = "the report of an earlier run";
        view.setText(Field::InputName, "plan.dxf");
        view.setText(Field::OutputName, "plan.csv");
        std::vector<RunRequest> requests;
        std::vector<std::string> captionsWhileRunning;
        WindowLogic logic(view, fileSystem, [&](const RunRequest& request) -> std::string {
            requests.push_back(request);
            captionsWhileRunning.push_back(view.shownCaption);
            c.fail();
            return "";
        });
        logic.openFolder("/");
        logic.run();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].inputPath, "/plan.dxf");
        EXPECT_EQ(requests[0].outputPath, "/plan.csv");
        EXPECT_EQ(requests[0].tolerance, "100");
        EXPECT_EQ(captionsWhileRunning, std::vector<std::string>{captions::kReading});
        EXPECT_EQ(view.shownCaption, captions::kStart);
        EXPECT_EQ(view.report, "the report of an earlier run");
        EXPECT_EQ(messages, (std::vector<Message>{{kUnexpected, c.text}}));
    }
}

TEST(WindowLogicMessages, AFailureLeavingAHandlerIsToldAsUnexpected) {
    const Message told = failureMessage(std::make_exception_ptr(std::logic_error("handler broke")));
    EXPECT_EQ(told, (Message{kUnexpected, "handler broke"}));
    EXPECT_EQ(failureMessage(nullptr), (Message{kUnexpected, ""}));
}

} // namespace
} // namespace dxf2csv
