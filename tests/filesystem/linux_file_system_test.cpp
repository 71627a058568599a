#include "filesystem/linux_file_system.h"

#include <gtest/gtest.h>
#include <QDateTime>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fake_file_system.h"
#include "filesystem/capitals.h"
#include "filesystem/journal_store.h"
#include "temp_folder.h"

namespace {

LinuxFileSystem fs;

// A folder of the entries; beyond what TempFolder makes, "name->target" is a symbolic link and
// "name=>other" a second hard link named other.
TempFolder folderWith(const QStringList& entries) {
    TempFolder folder;
    for (const QString& e : entries) {
        const qsizetype symbolic = e.indexOf(u"->"), hard = e.indexOf(u"=>");
        if (symbolic > 0) {
            EXPECT_EQ(::symlink(e.mid(symbolic + 2).toUtf8(), folder.native(e.left(symbolic))), 0);
        } else if (hard > 0) {
            EXPECT_EQ(::link(folder.native(e.left(hard)), folder.native(e.mid(hard + 2))), 0);
        } else {
            e.endsWith(u'/') ? void(folder.mkdir(e)) : void(folder.touch(e));
        }
    }
    return folder;
}

// Runs check in a child without capabilities, which permission bits stop even as root. Its exit
// status: 0 when check passed, 1 when not, 2 when the capabilities could not be dropped.
int statusWithoutCapabilities(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct none[2] = {};
        ::_exit(::syscall(SYS_capset, &header, none) != 0 ? 2 : check() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return status;
}

TEST(Capitals, MatchesTheUnicodeMappingForEveryText) {
    for (const char* text : {"", "abc.txt", "ABC.TXT", "MiXeD 123_-.jpg", "äpfel", "straße",
                             "Ärger im Büro", "~{|}`@[\\]^", "ǆ"}) {
        EXPECT_EQ(capitals(text), QString(text).toUpper()) << text;
    }
}

TEST(Capitals, TwoNamesAreComparedAndHashedByTheirCapitals) {
    const QStringList texts = {"",       "a",       "A",       "abc.txt",  "ABC.TXT",   "abc.tx",
                               "straße", "STRASSE", "Straße",  "strasse",  "ss",        "ß",
                               "äpfel",  "ÄPFEL",   "Äpfelx",  "x.straße", "X.STRASSE", "ǆ",
                               "ǅ",      "Ǆ",       "a\u0300", "À"};
    for (const QString& a : texts) {
        for (const QString& b : texts) {
            const bool same = capitals(a) == capitals(b);
            EXPECT_EQ(sameCapitals(a, b), same) << a.toStdString() << " " << b.toStdString();
            EXPECT_TRUE(!same || hashOfCapitals(a) == hashOfCapitals(b)) << a.toStdString();
        }
    }
}

TEST(LinuxFileSystem, StatPathFollowsLinksGivesLargeLengthsAndLocalWholeSeconds) {
    const TempFolder folder =
        folderWith({"big", "sub/", "link->big", "folderlink->sub", "dead->gone"});
    constexpr qint64 kLength = (qint64{5} << 30) + 7;
    ASSERT_EQ(::truncate(folder.native("big"), kLength), 0);
    const timespec late{QDateTime({2021, 3, 4}, {5, 6, 7}).toSecsSinceEpoch(), 999999999};
    const timespec times[2] = {late, late};  // a time just short of a second must not round up
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.native("big"), times, 0), 0);
    const std::pair<QString, std::optional<bool>> cases[] = {
        {"big", false},       {"link", false},        {"sub", true},
        {"folderlink", true}, {"gone", std::nullopt}, {"dead", std::nullopt}};
    for (const auto& [name, isFolder] : cases) {
        const std::optional<PathFacts> facts = fs.statPath(folder.file(name));
        ASSERT_EQ(facts.has_value(), isFolder.has_value()) << name.toStdString();
        if (facts && !*isFolder) {
            EXPECT_EQ(facts->length, kLength) << name.toStdString();
            EXPECT_EQ(facts->modified, (LocalTime{2021, 3, 4, 5, 6, 7})) << name.toStdString();
        }
        EXPECT_TRUE(!facts || facts->isFolder == *isFolder) << name.toStdString();
    }
}

TEST(LinuxFileSystem, OrdinaryFilesAreFoundInAnyCaseHiddenOnesAndFoldersNever) {
    const TempFolder folder =
        folderWith({"Bild.jpg", "bild.jpg", "Only.TXT", "Äpfel.txt", ".hidden", "Ordner/",
                    "Link.txt->nowhere", "Zu->Ordner", "Mix/", "mix", "b", "c"});
    // A name that is no valid text must not cost the others their place.
    const QByteArray foreign = folder.native() + "fremd\xfe";
    ::close(::open(foreign, O_CREAT | O_WRONLY, 0644));
    QStringList found;
    for (const char* name : {"bild.jpg", "Bild.jpg", "only.txt", "ÄPFEL.TXT", "LINK.TXT", "MIX"}) {
        found << fs.storedName(folder.file(name));
    }
    EXPECT_EQ(found.join(u' '), "bild.jpg Bild.jpg Only.TXT Äpfel.txt Link.txt mix");
    for (const char* name : {".hidden", ".HIDDEN", "Ordner", "ORDNER", "Mix", "missing", ""}) {
        EXPECT_EQ(fs.storedName(folder.file(name)), "") << name;
    }
    // The index holds the stored name, none where several spellings share the capitals; a link
    // counts by itself, not by what it points to.
    const FolderListing listing = fs.readFolder(folder.path());
    ::unlink(foreign);
    QStringList stored;  // ten names, within the room reserved from the folder's size
    for (const char16_t* key : {u"BILD.JPG", u"only.txt", u"äPFEL.TXT", u"LINK.TXT", u"ZU", u"MIX",
                                u"B", u"C", u"FREMD\uFFFD", u"Ordner"}) {
        stored << listing.storedName(QStringView(key)).value_or(u"(none)").toString();
    }
    EXPECT_EQ(stored.join(u'|'), "|Only.TXT|Äpfel.txt|Link.txt|Zu|mix|b|c|fremd\uFFFD|(none)");
    EXPECT_EQ(listing.index.size(), stored.size() - 1);
    EXPECT_EQ(listing.nameMax, 255);
    EXPECT_TRUE(fs.readFolder(folder.file("missing/")).index.isEmpty());
}

TEST(LinuxFileSystem, AFolderThatCanBeSearchedButNotListedIsIncompleteAndAnswersLookups) {
    const TempFolder folder = folderWith({"d/", "d/a.txt", "e/", "e/a.txt"});
    const FileIdentity a = fs.statPath(folder.file("d/a.txt"))->identity;
    ASSERT_EQ(::chmod(folder.native("d"), 0300), 0);  // search, no reading
    ASSERT_EQ(::chmod(folder.native("e"), 0600), 0);  // reading, no search
    const int status = statusWithoutCapabilities([&] {
        const FolderListing listing = fs.readFolder(folder.file("d/"));
        const NameLookup missing = fs.lookup(folder.file("d/"), "b.txt");
        return !listing.complete && listing.index.isEmpty() && listing.nameMax == 255 &&
               fs.lookup(folder.file("d/"), "a.txt").entry == a && missing.searchable &&
               !missing.entry && !fs.lookup(folder.file("e/"), "a.txt").searchable;
    });
    ::chmod(folder.native("d"), 0755);
    ::chmod(folder.native("e"), 0755);
    EXPECT_EQ(status, 0) << "exit " << WEXITSTATUS(status) << " (2: capabilities kept)";
}

// Both ways of renaming without replacing: with the kernel's flag and, where the file system
// refuses it, by a hard link.
TEST(LinuxFileSystem, RenameNeverReplacesAndNeverLosesAFile) {
    using enum RenameFailure;
    const struct Case {
        QStringList before;
        QString from, to;
        RenameFailure failure;
        Contents after;
        // Put under the name of from once its identity was read, the listed file moved to "alt".
        QString replacement = {};
    } cases[] = {
        {{"a.txt"}, "a.txt", "b.txt", None, {{"b.txt", "a.txt"}}},
        {{"foto.jpg"}, "foto.jpg", "FOTO.JPG", None, {{"FOTO.JPG", "foto.jpg"}}},
        {{"a.txt"}, "a.txt", "a.txt", None, {{"a.txt", "a.txt"}}},
        {{"a.txt", "l->a.txt"}, "l", "m", None, {{"a.txt", "a.txt"}, {"m", "a.txt"}}},
        {{}, "a.txt", "a.txt", SourceChanged, {}},
        {{}, "a.txt", "b.txt", SourceChanged, {}},
        {{"a.txt"}, "a.txt", "b.txt", SourceChanged, {{"a.txt", "neu"}, {"alt", "a.txt"}}, "a.txt"},
        {{"a.txt"}, "a.txt", "b.txt", SourceChanged, {{"a.txt", "?"}, {"alt", "a.txt"}}, "a.txt/"},
        {{"a", "b"}, "a", "b", TargetExists, {{"a", "a"}, {"b", "b"}}},
        {{"a", "A"}, "a", "A", TargetExists, {{"a", "a"}, {"A", "A"}}},
        // One file under two names: neither the same-file case nor the case-only way may drop one.
        {{"a", "a=>b"}, "a", "b", TargetExists, {{"a", "a"}, {"b", "a"}}},
        {{"x", "x=>X"}, "x", "X", TargetExists, {{"x", "x"}, {"X", "x"}}},
        {{"a.txt"}, "a.txt", QString(300, u'x'), NameTooLong, {{"a.txt", "a.txt"}}},
        {{"a.txt", "sub/"}, "a.txt", "sub", TargetExists, {{"a.txt", "a.txt"}, {"sub", "?"}}},
        {{"a.txt", "sub/"}, "a.txt", "sub/a.txt", Other, {{"a.txt", "a.txt"}, {"sub", "?"}}},
    };
    FakeFileSystem withoutFlag;
    withoutFlag.refusesNoReplaceFlag = true;
    for (LinuxFileSystem* fileSystem : {&fs, static_cast<LinuxFileSystem*>(&withoutFlag)}) {
        for (const Case& c : cases) {
            const TempFolder folder = folderWith(c.before);
            const std::optional<PathFacts> listed = fs.statPath(folder.file(c.from));
            if (!c.replacement.isEmpty()) {
                ::rename(folder.native(c.from), folder.native("alt"));
                c.replacement.endsWith(u'/') ? void(folder.mkdir(c.replacement))
                                             : void(folder.touch(c.replacement, "neu"));
            }
            const std::string label = (c.from + " -> " + c.to.left(20)).toStdString() +
                                      (fileSystem == &fs ? "" : " by a hard link");
            const RenameResult result = fileSystem->rename(
                folder.path(), c.from, c.to, listed ? listed->identity : FileIdentity{});
            EXPECT_EQ(result.failure, c.failure) << label;
            EXPECT_EQ(folder.contents(), c.after) << label;
        }
    }
}

TEST(LinuxFileSystem, RenameInReadOnlyFolderFailsAndKeepsTheFile) {
    TempFolder folder({"a.txt"});
    const FileIdentity a = fs.statPath(folder.file("a.txt"))->identity;
    ASSERT_EQ(::chmod(folder.native(), 0555), 0);
    const int status = statusWithoutCapabilities([&] {
        return fs.rename(folder.path(), u"a.txt", u"b.txt", a).failure ==
               RenameFailure::AccessDenied;
    });
    ::chmod(folder.native(), 0755);
    EXPECT_EQ(status, 0) << "exit " << WEXITSTATUS(status)
                         << " (1: not refused, 2: capabilities kept)";
    EXPECT_EQ(folder.contents(), (Contents{{"a.txt", "a.txt"}}));
}

TEST(FileIdentity, AFileIsItselfOnlyByDeviceInodeTypeAndBirthWhereKnown) {
    const FileIdentity file{1, 2, S_IFREG, 0, 0};
    const auto with = [&](auto change) {
        FileIdentity changed = file;
        change(changed);
        return changed;
    };
    const struct Case {
        FileIdentity listed, found;
        bool same;
    } cases[] = {
        {file, file, true},
        {file, with([](auto& f) { f.bornNs = 500; }), true},  // the listing did not tell it
        {file, with([](auto& f) { f.inode = 3; }), false},
        {file, with([](auto& f) { f.device = 3; }), false},
        {file, with([](auto& f) { f.type = S_IFLNK; }), false},
        {with([](auto& f) { f.bornNs = 500; }), with([](auto& f) { f.bornNs = 500; }), true},
        {with([](auto& f) { f.bornNs = 500; }), with([](auto& f) { f.bornNs = 501; }), false},
        {with([](auto& f) { f.bornNs = 500; }), file, false},
        {with([](auto& f) { f.existedNs = 500; }), with([](auto& f) { f.bornNs = 500; }), true},
        {with([](auto& f) { f.existedNs = 500; }), with([](auto& f) { f.bornNs = 501; }), false},
        {with([](auto& f) { f.existedNs = 500; }), file, true},  // no birth time to tell
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.listed.matches(c.found), c.same) << &c - cases;
    }
}

// A file deleted and made anew under its name may get its inode again: only its birth time, after
// the listing began, tells that it is not the file listed.
TEST(LinuxFileSystem, AFileBornAfterItsListingBeganIsNotTheListedOne) {
    TempFolder folder({"a.txt"});
    FileIdentity listed = *fs.readFolder(folder.path()).regularFile(u"a.txt");
    ASSERT_EQ(fs.rename(folder.path(), u"a.txt", u"b.txt", listed).failure, RenameFailure::None);
    listed.existedNs = fs.statPath(folder.file("b.txt"))->identity.bornNs - 1;
    EXPECT_EQ(fs.rename(folder.path(), u"b.txt", u"c.txt", listed).failure,
              RenameFailure::SourceChanged);
    EXPECT_EQ(folder.contents(), (Contents{{"b.txt", "a.txt"}}));
}

// Renaming by link and unlink: a file another program saved under the old name in between stays.
TEST(LinuxFileSystem, ALinkedRenamingLeavesTheOldNameToAFileSavedThereMeanwhile) {
    TempFolder folder({"a.txt"});
    FakeFileSystem withoutFlag;
    withoutFlag.refusesNoReplaceFlag = true;
    withoutFlag.afterLink = [](const QString& from) {
        QFile::rename(from, from + ".weg");
        QFile saved(from);
        saved.open(QIODevice::WriteOnly);
        saved.write("neu");
    };
    const FileIdentity a = fs.statPath(folder.file("a.txt"))->identity;
    const RenameResult result = withoutFlag.rename(folder.path(), u"a.txt", u"b.txt", a);
    EXPECT_TRUE(result.renamed());
    EXPECT_TRUE(result.oldNameTaken);
    EXPECT_EQ(folder.contents(),
              (Contents{{"a.txt", "neu"}, {"a.txt.weg", "a.txt"}, {"b.txt", "a.txt"}}));
}

TEST(LinuxFileSystem, ACaseOnlyRenamingWhereLetterCaseIsIgnoredGoesThroughAFreeName) {
    TempFolder folder({"foto.jpg", "bild.jpg"});
    FakeFileSystem ignoringCase;
    ignoringCase.ignoresCase = true;
    for (const auto& [from, to, failure] :
         {std::tuple{u"foto.jpg", u"FOTO.JPG", RenameFailure::None},
          std::tuple{u"bild.jpg", u"Foto.jpg", RenameFailure::TargetExists}}) {
        const FileIdentity file = fs.statPath(folder.file(QString::fromUtf16(from)))->identity;
        EXPECT_EQ(ignoringCase.rename(folder.path(), from, to, file).failure, failure);
    }
    EXPECT_EQ(folder.contents(), (Contents{{"FOTO.JPG", "foto.jpg"}, {"bild.jpg", "bild.jpg"}}));
}

TEST(LinuxFileSystem, AFolderThatCanNoLongerBeSearchedDeniesTheRenamingOfItsFiles) {
    TempFolder folder({"a.txt", "b.txt"});
    const FileIdentity a = fs.statPath(folder.file("a.txt"))->identity;
    const FileIdentity b = fs.statPath(folder.file("b.txt"))->identity;
    const int status = statusWithoutCapabilities([&] {
        LinuxFileSystem renaming;
        const bool first = renaming.rename(folder.path(), u"a.txt", u"x.txt", a).renamed();
        ::chmod(folder.native(), 0);
        return first && renaming.rename(folder.path(), u"b.txt", u"y.txt", b).failure ==
                            RenameFailure::AccessDenied;
    });
    ::chmod(folder.native(), 0755);
    EXPECT_EQ(status, 0) << "exit " << WEXITSTATUS(status)
                         << " (1: not refused as denied, 2: capabilities kept)";
}

// The journals tell which files a user renamed: their folders are the user's alone, whatever the
// umask, as the base-directory rules ask.
TEST(JournalStore, MakesItsMissingFoldersForTheUserAlone) {
    const TempFolder state;
    const mode_t umask = ::umask(0);
    JournalStore store(state.file("neu/taufix"));
    const bool created = store.create() != nullptr;
    ::umask(umask);
    ASSERT_TRUE(created) << store.why().toStdString();
    for (const QString& folder : {state.file("neu"), state.file("neu/taufix")}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(folder), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0700u) << folder.toStdString();
    }
}

}  // namespace
