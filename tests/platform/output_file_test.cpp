#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string Content(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Write(COutputFile& output, const std::string& text) {
    return ::pwrite(output.Descriptor(), text.data(), text.size(), 0) ==
           static_cast<ssize_t>(text.size());
}

// The names in the folder, hidden ones (left-over files written aside) included.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A child that saves to path and writes on and on: it returns once 32 MB are written.
pid_t StartLongSave(const std::string& path, CAsideFile::Kind kind) {
    const std::string block(size_t{1} << 20, 'x');
    int started[2];
    if (::pipe(started) != 0) {
        return -1;
    }
    pid_t child = ::fork();
    if (child == 0) {
        COutputFile output(kind);
        bool writing = output.Begin(path);
        for (int written = 0; writing && written < 256; ++written) {
            writing = ::write(output.Descriptor(), block.data(), block.size()) > 0 &&
                      (written != 32 || ::write(started[1], "w", 1) == 1);
        }
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    bool began = child > 0 && ::read(started[0], &byte, 1) == 1;
    ::close(started[0]);
    ::close(started[1]);
    return began ? child : -1;
}

// Killed half-way, a save leaves the old file and nothing else. Where the file written aside
// has a name, the next save beside it removes what a killed writer left, but not what a live
// one holds.
TEST(OutputFileTest, AKilledSaveLeavesNothingBehind) {
    TempDir dir;
    const std::string path = dir.Write("map.gmp", "old");
    for (auto kind : {CAsideFile::Kind::UnnamedWherePossible, CAsideFile::Kind::Named}) {
        const size_t namesWhileWriting = kind == CAsideFile::Kind::Named ? 2 : 1;
        pid_t writer = StartLongSave(path, kind);
        ASSERT_GT(writer, 0);
        EXPECT_EQ(Names(dir.Path()).size(), namesWhileWriting);
        {
            COutputFile beside(kind);
            ASSERT_TRUE(beside.Begin(dir.File("other.gmp")));
        }
        EXPECT_EQ(Names(dir.Path()).size(), namesWhileWriting);
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        EXPECT_EQ(Content(path), "old");
        EXPECT_EQ(Names(dir.Path()).size(), namesWhileWriting);

        COutputFile next(kind);
        ASSERT_TRUE(next.Begin(path));
        ASSERT_TRUE(Write(next, "new"));
        ASSERT_TRUE(next.Commit());
        EXPECT_EQ(Content(path), "new");
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"map.gmp"}));
        dir.Write("map.gmp", "old");
    }
}

TEST(OutputFileTest, ReplacesOnlyWhenCommittedKeepingLinksAndModes) {
    TempDir dir;
    std::string path = dir.Write("map.gmp", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        COutputFile output;
        ASSERT_TRUE(output.Begin(path));
        ASSERT_TRUE(Write(output, "abandoned"));
    }
    EXPECT_EQ(Content(path), "old");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"map.gmp"}));

    // Through a chain of relative links, the final target is replaced and the links stay.
    fs::create_directory(dir.File("real"));
    fs::rename(path, dir.File("real/map.gmp"));
    fs::create_symlink("real/map.gmp", dir.File("inner"));
    fs::create_symlink("inner", dir.File("outer"));
    COutputFile output;
    ASSERT_TRUE(output.Begin(dir.File("outer")));
    EXPECT_EQ(output.Target(), dir.File("real/map.gmp"));
    ASSERT_TRUE(Write(output, "new"));
    ASSERT_TRUE(output.Commit());
    EXPECT_TRUE(fs::is_symlink(dir.File("outer")));
    EXPECT_TRUE(fs::is_symlink(dir.File("inner")));
    EXPECT_EQ(Content(dir.File("outer")), "new");
    EXPECT_EQ(fs::status(dir.File("real/map.gmp")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(dir.File("real")), std::vector<std::string>({"map.gmp"}));

    // A dangling link gets its target made; a name as long as the folder allows can be written.
    fs::create_symlink("made.gmp", dir.File("dangling"));
    std::string longName = dir.File(std::string(251, 'n') + ".gmp");
    for (const std::string& target : {dir.File("dangling"), longName}) {
        COutputFile made;
        ASSERT_TRUE(made.Begin(target)) << made.Problem();
        ASSERT_TRUE(Write(made, "made"));
        ASSERT_TRUE(made.Commit()) << made.Problem();
        EXPECT_EQ(Content(target), "made");
    }
    EXPECT_EQ(Content(dir.File("made.gmp")), "made");
}

TEST(OutputFileTest, RefusesWhatCannotBeReplaced) {
    TempDir dir;
    std::string locked = dir.Write("locked.gmp", "keep");
    fs::permissions(locked, fs::perms::owner_read);
    fs::create_symlink("loop", dir.File("loop"));
    struct Case {
        std::string target;
        std::string problem;
    } cases[] = {
        {locked, "the file is read-only"},  // also for root, who could write it
        {dir.Path(), "it is a folder"},
        {dir.File("loop"), "Too many levels of symbolic links"},
        {dir.File("no/folder/x.gmp"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        COutputFile output;
        EXPECT_FALSE(output.Begin(c.target)) << c.target;
        EXPECT_EQ(output.Problem(), c.problem) << c.target;
    }
    EXPECT_EQ(Content(locked), "keep");
}

// A FIFO or device is written into, never replaced: /dev/null discards, as users expect.
TEST(OutputFileTest, WritesIntoFifosAndDevices) {
    TempDir dir;
    std::string fifo = dir.File("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Content(fifo); });
    COutputFile output;
    ASSERT_TRUE(output.Begin(fifo));
    ASSERT_TRUE(Write(output, "through the pipe"));
    ASSERT_TRUE(output.Commit()) << output.Problem();
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));

    COutputFile discard;
    ASSERT_TRUE(discard.Begin("/dev/null"));
    ASSERT_TRUE(Write(discard, "gone"));
    ASSERT_TRUE(discard.Commit());
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    COutputFile full;
    ASSERT_TRUE(full.Begin("/dev/full"));
    ASSERT_TRUE(Write(full, "no room"));
    EXPECT_FALSE(full.Commit());
    EXPECT_EQ(full.Problem(), "No space left on device");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"pipe"}));
}

TEST(OutputFileTest, APairLandsWholeOrNotAtAll) {
    TempDir dir;
    std::string first = dir.Write("north.bmp", "old colours");
    std::string second = dir.File("north_s.bmp");
    for (bool firstExisted : {true, false}) {
        COutputFile colors;
        COutputFile subtypes;
        ASSERT_TRUE(colors.Begin(first));
        ASSERT_TRUE(subtypes.Begin(second));
        ASSERT_TRUE(Write(colors, "new colours"));
        ASSERT_TRUE(Write(subtypes, "new subtypes"));
        // The second target turns into a folder that a file cannot replace.
        fs::create_directories(second + "/in");
        std::string problem;
        EXPECT_FALSE(COutputFile::CommitBoth(colors, subtypes, problem));
        EXPECT_FALSE(problem.empty());
        if (firstExisted) {
            EXPECT_EQ(Content(first), "old colours");
            EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"north.bmp", "north_s.bmp"}));
            fs::remove(first);
        } else {
            EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"north_s.bmp"}));
        }
        fs::remove_all(second);
    }

    COutputFile colors;
    COutputFile subtypes;
    ASSERT_TRUE(colors.Begin(first));
    ASSERT_TRUE(subtypes.Begin(second));
    ASSERT_TRUE(Write(colors, "colours"));
    ASSERT_TRUE(Write(subtypes, "subtypes"));
    std::string problem;
    ASSERT_TRUE(COutputFile::CommitBoth(colors, subtypes, problem)) << problem;
    EXPECT_EQ(Content(first), "colours");
    EXPECT_EQ(Content(second), "subtypes");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>({"north.bmp", "north_s.bmp"}));
}

}  // namespace
