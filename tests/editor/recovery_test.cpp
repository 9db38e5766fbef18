#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "editor/command_ids.h"
#include "editor/editor_settings.h"
#include "editor/recovery/recovery_copy.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"
#include "support/map_builder.h"

namespace {

// A process that has ended: its id is free.
ProcessIdentity EndedProcess() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return {child, 0};
}

RecoveryCopy CopyIn(const TempDir& folder, const std::string& name, const std::string& mapPath,
                    ProcessIdentity writer, QDateTime lastChange) {
    RecoveryCopy copy{folder.Write(name + ".gmp", "map bytes"), mapPath, lastChange, writer};
    std::string problem;
    EXPECT_TRUE(WriteSidecar(copy, problem)) << problem;
    return copy;
}

// What the tiles ask for (random requests draw their cells afresh at every load).
std::vector<std::pair<int, int>> TilesOf(const CMapSession& session) {
    const CTileGrid& grid = session.Grid();
    std::vector<std::pair<int, int>> requests;
    for (size_t i = 0; i < static_cast<size_t>(grid.GetWidth()) * grid.GetHeight(); ++i) {
        requests.emplace_back(grid.Tiles()[i].type, grid.Tiles()[i].requestedSubtype);
    }
    return requests;
}

}  // namespace

TEST(RecoveryCopyTest, SidecarsRoundTripAndOnlyEndedEditorsCopiesAreOffered) {
    TempDir folder;
    const QDateTime now = QDateTime::currentDateTime();
    const ProcessIdentity own = ProcessIdentity::Own();
    const RecoveryCopy live = CopyIn(folder, "live", "/maps/nörth \"map\".gmp", own, now);
    const RecoveryCopy ended = CopyIn(folder, "ended", "", EndedProcess(), now.addSecs(-60));
    // The same id as a running editor, but another start: an editor before a restart.
    const RecoveryCopy reused =
        CopyIn(folder, "reused", "/maps/south.gmp", {own.pid, own.started + 1}, now.addSecs(-30));
    CopyIn(folder, "gone", "/maps/gone.gmp", EndedProcess(), now);
    std::filesystem::remove(folder.File("gone.gmp"));
    folder.Write("broken.json", "{not json");

    const std::vector<RecoveryCopy> copies = RecoveryCopies(folder.Path());
    ASSERT_EQ(copies.size(), 3u);  // oldest change first; sidecars without a copy left out
    EXPECT_EQ(copies[0].copyPath, ended.copyPath);
    EXPECT_EQ(copies[0].mapPath, "");
    EXPECT_EQ(copies[0].MapName(), "an untitled map");
    EXPECT_EQ(copies[2].mapPath, live.mapPath);
    EXPECT_EQ(copies[2].MapName(), "nörth \"map\".gmp");
    EXPECT_EQ(copies[2].writer, own);
    EXPECT_EQ(copies[2].lastChange, now);

    const std::vector<RecoveryCopy> offered = AbandonedCopies(copies);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].copyPath, ended.copyPath);
    EXPECT_EQ(offered[1].copyPath, reused.copyPath);

    // Another running editor with the map open: named before the map opens; this editor's own
    // copy and ended editors' copies are not.
    const pid_t other = fork();
    if (other == 0) {
        pause();
        _exit(0);
    }
    const RecoveryCopy elsewhere = CopyIn(folder, "other", "/maps/east.gmp", {other, 0}, now);
    const std::vector<RecoveryCopy> withOther = RecoveryCopies(folder.Path());
    EXPECT_EQ(CopyInOtherEditor(withOther, "/maps/east.gmp")->copyPath, elsewhere.copyPath);
    EXPECT_FALSE(CopyInOtherEditor(withOther, live.mapPath));
    EXPECT_FALSE(CopyInOtherEditor(withOther, reused.mapPath));
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
    EXPECT_FALSE(CopyInOtherEditor(withOther, "/maps/east.gmp"));
}

class RecoveryTest : public EditorTest {};

TEST_F(RecoveryTest, AnIdleEditIsCopiedAsideAndTheNextStartRecoversIt) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    const std::string north = SaveAs("north.gmp");
    const std::vector<uint8_t> ownFile = ReadFileBytes(north);
    frame.Autosaver().SetIdleInterval(30);
    QSignalSpy written(&frame.Autosaver(), &CAutosaver::written);
    Session().Editor().FillRect(TERRAIN_TYPE_OCEAN, 1, TileRect{2, 2, 9, 7});
    ASSERT_TRUE(written.wait(5000));
    EXPECT_EQ(ReadFileBytes(north), ownFile);  // never the map's own file
    const std::vector<RecoveryCopy> copies = RecoveryCopies(folder.Path() + "/recovery");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].copyPath, frame.Autosaver().CopyPath());
    EXPECT_EQ(copies[0].mapPath, north);

    // As if the editor had been killed: its copy under an ended editor, beside an untitled
    // map's copy to discard and one to keep for later.
    RecoveryCopy killed = copies[0];
    killed.copyPath = folder.File("recovery/killed.gmp");
    killed.writer = EndedProcess();
    std::filesystem::copy_file(copies[0].copyPath, killed.copyPath);
    std::string problem;
    ASSERT_TRUE(WriteSidecar(killed, problem)) << problem;
    for (const char* name : {"discard", "later"}) {
        RecoveryCopy untitled = killed;
        untitled.mapPath.clear();
        untitled.lastChange = killed.lastChange.addSecs(name[0] == 'd' ? 1 : 2);
        untitled.copyPath = folder.File(std::string("recovery/") + name + ".gmp");
        std::filesystem::copy_file(killed.copyPath, untitled.copyPath);
        ASSERT_TRUE(WriteSidecar(untitled, problem)) << problem;
    }
    const auto edited = TilesOf(Session());
    Session().Editor().Undo();
    MarkSaved();  // this editor's copy goes with the change

    CMainFrame next(folder.Path(), folder.Path() + "/recovery");
    script.answers = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel};
    next.StartUp({});
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[0],
              "The editor was closed without saving changes to north.gmp (last "
              "change " +
                  killed.lastChange.toString("HH:mm").toStdString() + "). Recover them?");
    EXPECT_NE(Messages()[1].find("changes to an untitled map (last change"), std::string::npos);
    ASSERT_TRUE(next.Session().IsOpen());
    EXPECT_EQ(next.Session().FilePath(), north);
    EXPECT_TRUE(next.Session().IsModified());
    EXPECT_EQ(TilesOf(next.Session()), edited);
    EXPECT_FALSE(std::filesystem::exists(folder.File("recovery/discard.gmp")));

    // Saving writes the changes where they belong, and the recovered copy is gone.
    next.Command(kCmdSaveMap)->trigger();
    EXPECT_NE(ReadFileBytes(north), ownFile);
    EXPECT_FALSE(std::filesystem::exists(killed.copyPath));
    EXPECT_TRUE(std::filesystem::exists(folder.File("recovery/later.gmp")));
}

TEST_F(RecoveryTest, AFailedCopyIsToldOnceAndTriedAgain) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    folder.Write("plain", "a file where the folder should be");
    CAutosaver blocked(Session(), folder.File("plain/recovery"));
    blocked.SetIdleInterval(10);
    QSignalSpy failed(&blocked, &CAutosaver::failed);
    Session().Editor().FillRect(TERRAIN_TYPE_OCEAN, 1, TileRect{0, 0, 3, 3});
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_TRUE(failed[0][0].toString().startsWith("A recovery copy could not be written: "));
    QTest::qWait(200);  // several intervals, several tries
    EXPECT_EQ(failed.size(), 1);
}

TEST_F(RecoveryTest, PreferencesInTheFileMenuTurnTheCopiesOff) {
    QMenu* file = frame.menuBar()->actions()[0]->menu();
    ASSERT_TRUE(file->actions().contains(frame.Command(kCmdPreferences)));
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    WhenDialogShows([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Preferences");
        dialog->findChild<QSpinBox*>("idleSeconds")->setValue(45);
        dialog->findChild<QCheckBox*>("keepRecoveryCopy")->setChecked(false);
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.Command(kCmdPreferences)->trigger();
    EXPECT_FALSE(CEditorSettings::KeepsRecoveryCopy());
    EXPECT_EQ(CEditorSettings::RecoveryIdleSeconds(), 45);

    frame.Autosaver().SetIdleInterval(10);
    QSignalSpy written(&frame.Autosaver(), &CAutosaver::written);
    Session().Editor().FillRect(TERRAIN_TYPE_OCEAN, 1, TileRect{0, 0, 3, 3});
    EXPECT_FALSE(written.wait(200));
    EXPECT_TRUE(RecoveryCopies(folder.Path() + "/recovery").empty());
}
