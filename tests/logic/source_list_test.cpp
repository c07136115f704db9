// The source list's model and the commands that take rows out of it.
#include "sources/OpenDialogFilter.h"
#include "sources/SourceFileController.h"
#include "sources/SourceFileList.h"
#include "sources/SourceListOps.h"

#include "source_fakes.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

using namespace clavenor;
using namespace clavenor_test;

namespace {

TSourceFileRow RowFor(const std::string& path) {
    return {"True", path, "1 KB", "00:00:05", "00:00:00", "00:00:05", "00:00:05"};
}

std::vector<std::string> Names(const TSourceFileList& list) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < list.Count(); ++i)
        names.push_back(list.Row(i).SourceFileName);
    return names;
}

std::vector<std::string> SelectedNames(const TSourceFileList& list) {
    std::vector<std::string> names;
    for (std::size_t i : list.SelectedRows())
        names.push_back(list.Row(i).SourceFileName);
    return names;
}

std::string FocusedName(const TSourceFileList& list) {
    return list.Focused() ? list.Row(*list.Focused()).SourceFileName : "";
}

// The controller with recording ports; nothing here touches a file.
class SourceListTest : public ::testing::Test, protected FakeSourcePorts {
protected:
    FakeInitDir initDir;
    TSourceFileList list;
    TSourceFileController controller{list, Ports(initDir)};

    void AddRows(std::initializer_list<const char*> names) {
        for (const char* name : names)
            list.Append(RowFor(name));
    }
    void Select(std::initializer_list<const char*> names, const char* focused) {
        std::vector<bool> selected(list.Count(), false);
        for (const char* name : names)
            selected[*list.IndexOf(name)] = true;
        std::optional<std::size_t> focus;
        if (focused)
            focus = list.IndexOf(focused);
        list.SetSelection(selected, focus);
    }
};

} // namespace

TEST(SourceExtensions, AreComparedInLowerCaseFromTheLastDotOfTheFileName) {
    const struct {
        const char* path;
        const char* extension;
        bool accepted;
    } cases[] = {
        {"/clips/Clip.AVI", ".avi", true},
        {"/clips/a.3g2", ".3g2", true},
        {"/clips/a.VOB", ".vob", true},
        {"/clips/a.rmvb", ".rmvb", true},
        {"/clips/a.Mp4", ".mp4", true},
        {"/clips/a.mpeg", ".mpeg", true},
        {"/clips/a.swf", ".swf", true},
        {"/clips/a.rm", ".rm", true},
        {"/clips/a.mkv", ".mkv", false},
        {"/clips/notes.txt", ".txt", false},
        {"/clips/movie.avi.txt", ".txt", false},
        {"/clips.avi/readme", "", false},
        {"/clips/noextension", "", false},
        {"/clips/trailing.", ".", false},
        {"/clips/.avi", ".avi", true},
        {"relative.mov", ".mov", true},
        {"/a:b/c.wmv", ".wmv", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SourceExtensionOf(c.path), c.extension);
        EXPECT_EQ(IsAcceptedSourceExtension(c.path), c.accepted);
    }
    EXPECT_EQ(cstSourceExtensions().size(), 15u);
}

TEST(SourceDuplicates, RemovingRepeatedNamesKeepsFirstOccurrencesInOrder) {
    using List = std::vector<std::string>;
    const struct {
        List given;
        List expected;
    } cases[] = {
        {{}, {}},
        {{"/a.avi"}, {"/a.avi"}},
        {{"/b.avi", "/a.avi", "/b.avi", "/a.avi", "/c.avi"}, {"/b.avi", "/a.avi", "/c.avi"}},
        {{"/clip.avi", "/CLIP.avi", "/clip.avi "}, {"/clip.avi", "/CLIP.avi", "/clip.avi "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveDuplicateNames(c.given), c.expected);
}

TEST(SourceDuplicates, TheListRefusesASecondRowWithTheSamePath) {
    TSourceFileList list;
    list.Append(RowFor("/clips/clip.avi"));
    list.Append(RowFor("/clips/CLIP.avi"));
    EXPECT_THROW(list.Append(RowFor("/clips/clip.avi")), std::invalid_argument);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"/clips/clip.avi", "/clips/CLIP.avi"}));
}

TEST(OpenDialogFilter, HasTheTenEntriesInOrder) {
    using Patterns = std::vector<std::string>;
    const std::vector<std::pair<std::string, Patterns>> expected = {
        {"Supported Files",
         {"*.3gp", "*.mp4", "*.m4v", "*.mpeg", "*.mpg", "*.avi", "*.asf", "*.mov", "*.wmv", "*.flv",
          "*.swf", "*.rm", "*.rmvb"}},
        {"3GP Files (*.3gp)", {"*.3gp"}},
        {"AVI Files (*.avi)", {"*.avi"}},
        {"ASF Files (*.asf)", {"*.asf"}},
        {"Flash Files (*.flv,swf)", {"*.flv", "*.swf"}},
        {"MOV Files (*.mov)", {"*.mov"}},
        {"WMV Files (*.wmv)", {"*.wmv"}},
        {"MP4 File (*.mp4,*.m4v)", {"*.mp4", "*.m4v"}},
        {"MPEG Files (*.mpeg,*.mpg)", {"*.mpeg", "*.mpg"}},
        {"RM Files (*.rm,*.rmvb)", {"*.rm", "*.rmvb"}},
    };
    const std::vector<TFilterEntry> entries = ParseDialogFilter(cstOpenDialogFilter);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].Entry, expected[i].first);
        EXPECT_EQ(entries[i].Patterns, expected[i].second);
    }
    EXPECT_EQ(CaseInsensitivePattern("*.3gp"), "*.3[gG][pP]");
}

TEST_F(SourceListTest, RemoveDeletesTheSelectedRowsAndFocusesTheRowAboveTheFocusedOne) {
    using Names_ = std::vector<std::string>;
    const struct {
        const char* title;
        std::initializer_list<const char*> selected;
        const char* focused;
        Names_ remaining;
        const char* focusedAfter;
        Names_ selectedAfter;
    } cases[] = {
        {"C selected and focused", {"C"}, "C", {"A", "B", "D"}, "B", {"B"}},
        {"B and C selected, C focused", {"B", "C"}, "C", {"A", "D"}, "", {}},
        {"the focused first row", {"A"}, "A", {"B", "C", "D"}, "", {}},
        {"A selected, C focused", {"A"}, "C", {"B", "C", "D"}, "B", {"B"}},
        {"all selected, D focused", {"A", "B", "C", "D"}, "D", {}, "", {}},
        {"nothing selected", {}, "C", {"A", "B", "C", "D"}, "C", {}},
        {"selected without focus", {"B", "D"}, nullptr, {"A", "C"}, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        list.Clear();
        AddRows({"A", "B", "C", "D"});
        Select(c.selected, c.focused);
        const int stopped = preview.stopped;
        const int synced = trim.synced;

        controller.RemoveCommand();

        EXPECT_EQ(Names(list), c.remaining);
        EXPECT_EQ(FocusedName(list), c.focusedAfter);
        EXPECT_EQ(SelectedNames(list), c.selectedAfter);
        EXPECT_EQ(preview.stopped, stopped + 1);
        EXPECT_EQ(trim.synced, synced + 1);
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(SourceListTest, RemovingTheLastRowsShrinksTheTrimFills) {
    AddRows({"A", "B"});
    Select({"A"}, "A");
    controller.RemoveCommand();
    EXPECT_EQ(trim.fillsReset, 0);
    Select({"B"}, "B");
    controller.RemoveCommand();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(trim.fillsReset, 1);
}

TEST_F(SourceListTest, DeleteKeyRemovesTheSelectionOtherKeysOnlySync) {
    AddRows({"A", "B", "C"});
    Select({"A", "C"}, "C");

    controller.KeyDown(/*isDeleteKey=*/false);
    controller.KeyUp();
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(trim.synced, 2);
    EXPECT_EQ(preview.stopped, 0);

    controller.KeyDown(/*isDeleteKey=*/true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"B"}));
    EXPECT_EQ(FocusedName(list), "B"); // the row above C
    EXPECT_EQ(preview.stopped, 1);
    EXPECT_EQ(trim.synced, 3); // synced before the removal only
    EXPECT_EQ(trim.fillsReset, 0);

    controller.KeyDown(/*isDeleteKey=*/true); // B is selected now: the last row goes
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(trim.fillsReset, 1);
}

TEST_F(SourceListTest, ClearDeletesEveryRowStopsThePreviewAndDoesNotSync) {
    AddRows({"A", "B", "C"});
    Select({"B"}, "B");
    controller.ClearCommand();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.Focused());
    EXPECT_EQ(preview.stopped, 1);
    EXPECT_EQ(trim.fillsReset, 1);
    EXPECT_EQ(trim.synced, 0);
}

TEST_F(SourceListTest, RowsDraggedOutAreRemovedDroppedBackNothingChanges) {
    AddRows({"A", "B", "C"});
    Select({"B"}, "B");
    controller.DragEnded(/*droppedOnList=*/true);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(preview.stopped, 0);
    controller.DragEnded(/*droppedOnList=*/false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(preview.stopped, 1);
}

TEST_F(SourceListTest, RemovingLetsEventsThroughWithRedrawSuspendedAndSurvivesThem) {
    struct UpdateCounter : ISourceFileListObserver {
        int depth = 0;
        int maxDepth = 0;
        int pumpedWhileSuspended = 0;
        void RowAboutToBeAppended(std::size_t) override {}
        void RowAppended(std::size_t) override {}
        void RowAboutToBeDeleted(std::size_t) override {}
        void RowDeleted(std::size_t) override {}
        void ListAboutToBeCleared() override {}
        void ListCleared() override {}
        void RowChanged(std::size_t) override {}
        void SelectionChanged() override {}
        void BeginUpdate() override { maxDepth = std::max(maxDepth, ++depth); }
        void EndUpdate() override { --depth; }
    } observer;
    list.SetObserver(&observer);
    AddRows({"A", "B", "C", "D", "E"});
    Select({"B", "C", "E"}, "E");
    // An event handled in between deletes a selected row and unselects another one.
    events.onPump = [&] {
        if (observer.depth > 0)
            ++observer.pumpedWhileSuspended;
        if (events.pumped == 2) {
            list.Delete(*list.IndexOf("C"));
            list.SetSelected(*list.IndexOf("E"), false);
        }
    };
    controller.RemoveCommand();
    list.SetObserver(nullptr);

    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "D", "E"}));
    EXPECT_EQ(FocusedName(list), "D");
    EXPECT_EQ(SelectedNames(list), (std::vector<std::string>{"D"}));
    EXPECT_EQ(observer.depth, 0);
    EXPECT_EQ(observer.maxDepth, 1);
    EXPECT_EQ(observer.pumpedWhileSuspended, events.pumped);
    // Once before the loop and once before the one deletion left to do (B).
    EXPECT_EQ(events.pumped, 2);
}
