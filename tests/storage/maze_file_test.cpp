#include "storage/maze_file.h"

#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

namespace fs = std::filesystem;
using testing::failure;

class MazeFileTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string name = dir / "labird.txt";
};

TEST_F(MazeFileTest, ReplacesTheFileALinkPointsToKeepingItsPermissions) {
    testing::writeBytes(dir / "real", "old");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir / "real", perms);
    fs::create_symlink("real", name);
    replaceFile(name, "new");
    EXPECT_TRUE(fs::is_symlink(name));
    EXPECT_EQ(testing::readBytes(dir / "real"), "new");
    EXPECT_EQ(fs::status(dir / "real").permissions() & fs::perms::mask, perms);
    EXPECT_EQ(dir.count(), 2);
}

// Neither opening for LOAD nor replacing for SAVE may wait on a FIFO, touch
// what is no regular file, or write over a write-protected one.
TEST_F(MazeFileTest, RefusedNamesLeaveEverythingAsItWas) {
    fs::create_directory(dir / "directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    testing::writeBytes(dir / "plain", "plain");
    fs::permissions(dir / "plain", fs::perms::owner_read);
    const std::string kDenied = "5 File access denied";
    const std::string kInvalid = "3 Invalid filename";
    // Rows: name, failure to open it, failure to replace it ("": not tried).
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {dir / "directory", kDenied, kDenied},
        {dir / "fifo", kDenied, kDenied},
        {"/dev/null", kDenied, ""},
        {dir / "plain", "", ::geteuid() == 0 ? "" : kDenied},  // permission bits do not stop root
        {dir / "plain/labird.txt", kInvalid, kInvalid},
        {dir / std::string(300, 'n'), kInvalid, kInvalid},
    };
    for (const auto& [path, openFailure, replaceFailure] : cases) {
        EXPECT_EQ(failure([&] { InputFile file(path); }), openFailure) << path;
        if (!replaceFailure.empty()) {
            EXPECT_EQ(failure([&] { replaceFile(path, "new"); }), replaceFailure) << path;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "directory"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(testing::readBytes(dir / "plain"), "plain");
    EXPECT_EQ(dir.count(), 3);
}

TEST_F(MazeFileTest, TooManyOpenFiles) {
    testing::writeBytes(name, "1 1");
    // The lowest free descriptor number: as a limit, it leaves no room to open one.
    const int probe = ::dup(0);
    ::close(probe);
    EXPECT_EQ(testing::failureUnderLimit(RLIMIT_NOFILE, probe, [&] { InputFile file(name); }),
              "4 Too many open files");
}

TEST_F(MazeFileTest, InjectedFailuresAreReported) {
    const std::string kOld = "old maze, longer";
    const std::string kNew = "new maze";
    // Rows: step failed once, its error, whether the file has a second name and
    // so is written in place, failure, file after.
    const std::tuple<FileStep, int, bool, std::string, std::string> cases[] = {
        {FileStep::Check, EROFS, false, "5 File access denied", kOld},
        {FileStep::Write, ENOSPC, false, "101 Disk full", kOld},
        {FileStep::Close, EDQUOT, false, "101 Disk full", kOld},
        {FileStep::Rename, EXDEV, false, "18 I/O error 18", kOld},
        // The system's EIO has the number the table gives to access denied.
        {FileStep::Sync, EIO, false, "5 I/O error 5", kOld},
        {FileStep::Read, EIO, false, "5 I/O error 5", kOld},
        // Renamed already: the name shows the new file, its folder may forget it.
        {FileStep::SyncFolder, EIO, false, "5 I/O error 5", kNew},
        // No file may be made beside it: written in place.
        {FileStep::Open, EACCES, false, "", kNew},
        // In place, a full disk is found before any old byte is overwritten.
        {FileStep::Reserve, ENOSPC, true, "101 Disk full", kOld},
        {FileStep::Reserve, EOPNOTSUPP, true, "", kNew},
        {FileStep::Sync, EIO, true, "5 I/O error 5", kNew},
    };
    for (const auto& [step, error, linked, expected, after] : cases) {
        const std::string label = expected + (linked ? " in place" : "");
        fs::remove(dir / "other");
        testing::writeBytes(name, kOld);
        if (linked) {
            fs::create_hard_link(name, dir / "other");
        }
        int failures = 0;
        const FaultHook fault = [&](FileStep now) {
            return now == step && failures++ == 0 ? error : 0;
        };
        EXPECT_EQ(failure([&] {
                      if (step == FileStep::Read) {
                          InputFile(name, fault).stream().sgetc();
                      }
                      replaceFile(name, kNew, fault);
                  }),
                  expected)
            << label;
        EXPECT_EQ(testing::readBytes(name), after) << label;
        EXPECT_EQ(dir.count(), linked ? 2 : 1) << label;
    }
}

// What a save must keep of a file, and whether it kept the file itself.
struct FileLook {
    ino_t inode;
    uid_t owner;
    gid_t group;
    mode_t mode;
    nlink_t links;
    std::string acl;
    std::string note;

    explicit FileLook(const std::string& path) {
        struct stat status {};
        ::stat(path.c_str(), &status);
        std::tie(inode, owner, group, mode, links) = std::tuple(
            status.st_ino, status.st_uid, status.st_gid, status.st_mode, status.st_nlink);
        acl = attribute(path, kAcl);
        note = attribute(path, kNote);
    }
    auto kept() const { return std::tie(owner, group, mode, links, acl, note); }

    static constexpr const char* kAcl = "system.posix_acl_access";
    static constexpr const char* kNote = "user.nitka.note";
    static std::string attribute(const std::string& path, const char* key) {
        std::string value(256, '\0');
        const ssize_t size = ::getxattr(path.c_str(), key, value.data(), value.size());
        value.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
        return value;
    }
};

// An access ACL that also lets nobody (65534) write: version 2, then entries of
// tag, permissions and id: the owner, user 65534, the group, the mask, others.
const std::string kAclBytes(
    "\x02\0\0\0"
    "\x01\0\x06\0\xff\xff\xff\xff"
    "\x02\0\x06\0\xfe\xff\0\0"
    "\x04\0\x04\0\xff\xff\xff\xff"
    "\x10\0\x06\0\xff\xff\xff\xff"
    "\x20\0\x04\0\xff\xff\xff\xff",
    44);

TEST_F(MazeFileTest, WritesInPlaceOnlyWhereARenameWouldLoseSomething) {
    const auto setAttribute = [&](const char* key, const std::string& value) {
        return ::setxattr(name.c_str(), key, value.data(), value.size(), 0) == 0;
    };
    // Rows: what the file is given (false: cannot be here), written in place.
    const std::tuple<std::string, std::function<bool()>, bool> cases[] = {
        {"plain file", [] { return true; }, false},
        {"hard link", [&] { return ::link(name.c_str(), (dir / "other").c_str()) == 0; }, true},
        // Root can give the new file the old owner.
        {"another owner",
         [&] { return ::geteuid() == 0 && ::chown(name.c_str(), 65534, 65534) == 0; }, false},
        {"access ACL", [&] { return setAttribute(FileLook::kAcl, kAclBytes); }, true},
        {"extended attribute", [&] { return setAttribute(FileLook::kNote, "kept"); }, true},
    };
    for (const auto& [label, prepare, inPlace] : cases) {
        fs::remove(dir / "other");
        fs::remove(name);
        testing::writeBytes(name, "old maze, longer");
        if (!prepare()) {
            continue;
        }
        const FileLook before(name);
        replaceFile(name, "new maze");
        const FileLook after(name);
        EXPECT_EQ(testing::readBytes(name), "new maze") << label;
        EXPECT_EQ(after.inode == before.inode, inPlace) << label;
        EXPECT_EQ(after.kept(), before.kept()) << label;
        EXPECT_EQ(dir.count(), after.links) << label;
    }
}

// The file is saved by user nobody, who may write it but not always its folder.
TEST_F(MazeFileTest, UnprivilegedSaveWritesWhereAPlainWriteCan) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) {
        GTEST_SKIP() << "preparing another user's files needs root and user nobody";
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    fs::permissions(dir / ".", fs::perms(0711));
    // Rows: folder's mode, file's owner (its group is nobody's) and mode,
    // failure code, whether the name still holds the same file (in place).
    const std::tuple<std::string, int, uid_t, int, int, bool> cases[] = {
        {"read-only folder", 0555, uid, 0644, 0, true},
        {"another owner's group-writable file", 0777, 0, 0664, 0, true},
        {"folder it may not read, so not sync", 0333, uid, 0644, 0, false},
        {"writable folder", 0777, uid, 0644, 0, false},
        {"write-protected file", 0777, uid, 0444, file_error_code::kAccessDenied, true},
    };
    for (const auto& [label, folderMode, owner, fileMode, code, sameFile] : cases) {
        const std::string folder = dir / std::to_string(folderMode) + std::to_string(fileMode);
        const std::string file = folder + "/labird.txt";
        fs::create_directory(folder);
        testing::writeBytes(file, "old maze, longer");
        ASSERT_EQ(::chown(file.c_str(), owner, gid), 0);
        fs::permissions(file, fs::perms(fileMode));
        fs::permissions(folder, fs::perms(folderMode));
        const FileLook before(file);
        const int result = testing::fileErrorCodeInChild(
            [&] {
                return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0;
            },
            [&] { replaceFile(file, "new maze"); });
        if (result == testing::kNotPrepared) {
            GTEST_SKIP() << "cannot become user nobody";
        }
        const FileLook after(file);
        EXPECT_EQ(result, code) << label;
        EXPECT_EQ(testing::readBytes(file), code == 0 ? "new maze" : "old maze, longer") << label;
        EXPECT_EQ(after.inode == before.inode, sameFile) << label;
        EXPECT_EQ(after.kept(), before.kept()) << label;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
            << label;
    }
}

// A name with a file mounted over it cannot be renamed over (EBUSY).
TEST_F(MazeFileTest, WritesAFileMountedOverTheNameInPlace) {
    const std::string mounted = dir / "mounted";
    testing::writeBytes(name, "hidden maze");
    testing::writeBytes(mounted, "old maze, longer");
    const int result = testing::fileErrorCodeInChild(
        [&] {
            return ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount(mounted.c_str(), name.c_str(), nullptr, MS_BIND, nullptr) == 0;
        },
        [&] { replaceFile(name, "new maze"); });
    if (result == testing::kNotPrepared) {
        GTEST_SKIP() << "cannot mount in a namespace of its own";
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(testing::readBytes(mounted), "new maze");
    EXPECT_EQ(testing::readBytes(name), "hidden maze");
    EXPECT_EQ(dir.count(), 2);
}

}  // namespace
}  // namespace nitka
