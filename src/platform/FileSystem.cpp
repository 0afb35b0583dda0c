#include "platform/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <regex>
#include <set>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessarion::files {

namespace {

namespace fs = std::filesystem;

WriteOutcome notSetUp(std::string reason) {
    return {false, false, false, std::move(reason)};
}

WriteOutcome failedWriting(std::string reason) {
    return {false, true, false, std::move(reason)};
}

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Short and fixed in length, so that it fits in any folder where the save's
// own name fits; the process id keeps two running games apart and lets the
// clean-up tell an abandoned file from one being written.
std::string temporaryName() {
    static std::atomic<unsigned> counter{0};
    return ".tessarion-" + std::to_string(processId()) + "-" + std::to_string(counter++) + ".tmp";
}

bool processIsRunning(long pid) {
#ifdef _WIN32
    (void)pid;
    return true;  // no cheap test; leave the file alone
#else
    if (pid <= 0 || pid > 0x7fffffff) {
        return false;
    }
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

// Each folder written to is cleaned of what killed runs left there, once.
void cleanFolderOnce(const fs::path& folder) {
    static std::mutex lock;
    static std::set<std::string> cleaned;
    std::error_code ec;
    const fs::path key = fs::weakly_canonical(folder.empty() ? fs::path(".") : folder, ec);
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (!cleaned.insert((ec ? folder : key).string()).second) {
            return;
        }
    }
    removeStaleTemporaries(folder.string());
}

}  // namespace

std::string errorReason(int error) {
    switch (error) {
        case ENOSPC:
            return "the disk is full";
#ifdef EDQUOT
        case EDQUOT:
            return "the disk quota is used up";
#endif
        case EACCES:
        case EPERM:
            return "no permission";
        case EROFS:
            return "the disk is read-only";
        case ENAMETOOLONG:
            return "the name is too long";
        case ENOENT:
            return "no such file or folder";
        case ENOTDIR:
            return "part of the path is not a folder";
        case EISDIR:
            return "it is a folder";
        case EFBIG:
            return "the file would be larger than the system allows";
        case EMFILE:
        case ENFILE:
            return "too many files are open";
        case EIO:
            return "the disk could not be read or written";
        case EPIPE:
            return "the program reading it has stopped";
        case EEXIST:
            return "a file of that name is already there";
#ifdef ELOOP
        case ELOOP:
            return "too many links";
#endif
        default:
            return std::strerror(error);
    }
}

std::optional<std::string> writeWholeFile(const std::string& path, std::string_view bytes) {
    reportFailedWritesInsteadOfDying();
    // A file (or none yet) is replaced only when the new one is complete;
    // a device or a pipe is written as it is.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::regular || status.type() == fs::file_type::not_found) {
        const WriteOutcome outcome = replaceFile(path, bytes, {.keepBackup = false});
        return outcome.ok ? std::nullopt : std::optional<std::string>(outcome.reason);
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return errorReason(errno != 0 ? errno : EIO);
    }
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = written && std::fflush(file) == 0;
    int error = written ? 0 : errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        return errorReason(error != 0 ? error : EIO);
    }
    return std::nullopt;
}

int removeStaleTemporaries(const std::string& folder) {
    // Ours, and those of the earlier naming (the save's own name, the process
    // id and a counter).
    static const std::regex kOurs(R"(\.tessarion-([0-9]{1,10})-[0-9]{1,10}\.tmp)");
    static const std::regex kEarlier(R"(.+\.[Tt][Ss][Nn]\.([0-9]{1,10})-[0-9]{1,10}\.tmp)");
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::smatch match;
        if (!std::regex_match(name, match, kOurs) && !std::regex_match(name, match, kEarlier)) {
            continue;
        }
        std::error_code kind;
        if (!it->is_regular_file(kind) || processIsRunning(std::stol(match[1].str()))) {
            continue;
        }
        std::error_code gone;
        if (fs::remove(it->path(), gone)) {
            ++removed;
        }
    }
    return removed;
}

void reportFailedWritesInsteadOfDying() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

#ifndef _WIN32

namespace {

// The file a path finally names, following links the way opening it would; a
// link to nothing names the file it would create.
bool resolveLinks(const std::string& path, std::string& target, int& error) {
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = p.string();
            return true;
        }
        std::error_code ec;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) {
            error = ec.value();
            return false;
        }
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    error = ELOOP;
    return false;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return fsync(fd) == 0;
}

// What is already at the path: nothing (fine), a file we may replace (its
// mode is kept), or something we must not write over (the reason is told).
struct Existing {
    bool replacing = false;
    mode_t mode = 0666;
    std::optional<WriteOutcome> refusal;
};

Existing inspectTarget(const std::string& target, bool keepOut) {
    Existing existing;
    struct stat old {};
    if (lstat(target.c_str(), &old) != 0) {
        if (errno != ENOENT) {
            existing.refusal = notSetUp(errorReason(errno));
        }
        return existing;
    }
    if (S_ISDIR(old.st_mode)) {
        existing.refusal = notSetUp(errorReason(EISDIR));
    } else if (!S_ISREG(old.st_mode)) {
        existing.refusal = notSetUp("it is not a regular file");
    } else if (keepOut) {
        existing.refusal = WriteOutcome{false, false, true, errorReason(EEXIST)};
    } else if (access(target.c_str(), W_OK) != 0) {
        existing.refusal = notSetUp(errorReason(errno));
    } else if ((old.st_mode & 0222) == 0) {
        // Even where the system would let us (as the administrator), a save
        // the player made read-only stays as it is.
        existing.refusal = notSetUp("the file is read-only");
    }
    existing.replacing = true;
    existing.mode = old.st_mode & 07777;
    return existing;
}

// A fresh file of our own beside the target; -1 with errno set when none
// could be made.
int openTemporary(int dir, mode_t mode, std::string& temporary) {
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = temporaryName();
        fd = openat(dir, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    return fd;
}

// Best effort: a name too long for ".bak" or a file system without hard links
// costs the backup, never the save.
void keepBackup(int dir, const std::string& name) {
    const std::string backup = name + ".bak";
    if (unlinkat(dir, backup.c_str(), 0) == 0 || errno == ENOENT) {
        linkat(dir, name.c_str(), dir, backup.c_str(), 0);
    }
}

// Puts the finished temporary file in place; with keepOut, never over a file
// that appeared meanwhile. 0 or an errno value.
int putInPlace(int dir, const std::string& temporary, const std::string& name, bool keepOut) {
    if (!keepOut) {
        return renameat(dir, temporary.c_str(), dir, name.c_str()) == 0 ? 0 : errno;
    }
    if (linkat(dir, temporary.c_str(), dir, name.c_str(), 0) == 0) {
        unlinkat(dir, temporary.c_str(), 0);
        return 0;
    }
    if (errno == EEXIST) {
        return EEXIST;
    }
    // A file system without links (the browser's): nothing else writes there.
    struct stat st {};
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        return EEXIST;
    }
    return renameat(dir, temporary.c_str(), dir, name.c_str()) == 0 ? 0 : errno;
}

}  // namespace

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit,
                                           std::string& bytes) {
    // Told apart before anything opens it: opening a FIFO would wake its
    // writer, and what it then wrote would be lost.
    struct stat before {};
    if (stat(path.c_str(), &before) != 0) {
        return errorReason(errno);
    }
    if (S_ISDIR(before.st_mode)) {
        return errorReason(EISDIR);
    }
    if (!S_ISREG(before.st_mode)) {
        return std::string("it is not a regular file");
    }
    // Not blocking, in case it was swapped for a FIFO since.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errorReason(errno);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != before.st_ino ||
        st.st_dev != before.st_dev) {
        close(fd);
        return std::string("it is not a regular file");
    }
    bytes.clear();
    bytes.reserve(std::min(limit, static_cast<std::size_t>(st.st_size) + 1));
    char buffer[65536];
    int readError = 0;
    while (bytes.size() < limit) {
        const ssize_t got = read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            readError = got < 0 ? errno : 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    if (readError != 0) {
        return errorReason(readError);
    }
    return std::nullopt;
}

namespace {

// A write that failed after its temporary file was made: the temporary goes
// and the folder is closed.
WriteOutcome abandonTemporary(int dir, const std::string& temporary, int why, bool keepOut) {
    unlinkat(dir, temporary.c_str(), 0);
    close(dir);
    WriteOutcome outcome = failedWriting(errorReason(why));
    outcome.alreadyThere = why == EEXIST && keepOut;
    return outcome;
}

}  // namespace

WriteOutcome replaceFile(const std::string& path, std::string_view bytes, ReplaceOptions options) {
    // A file-size limit would otherwise kill the game in the middle of a
    // save; ignored, the write fails with EFBIG and is reported.
    reportFailedWritesInsteadOfDying();

    std::string target;
    int error = 0;
    if (path.empty()) {
        return notSetUp(errorReason(ENOENT));
    }
    if (!resolveLinks(path, target, error)) {
        return notSetUp(errorReason(error));
    }
    const Existing existing = inspectTarget(target, options.keepOut);
    if (existing.refusal) {
        return *existing.refusal;
    }

    // Everything happens relative to the folder, so that the temporary name
    // is only ever as long as its own few characters.
    const fs::path targetPath = target;
    const std::string name = targetPath.filename().string();
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return notSetUp(errorReason(errno));
    }
    cleanFolderOnce(folder);
    std::string temporary;
    const int fd = openTemporary(dir, existing.mode, temporary);
    if (fd < 0) {
        const int openError = errno;
        close(dir);
        return notSetUp(errorReason(openError));
    }
    // The mask of new files must not narrow the permissions kept.
    const bool written =
        (!existing.replacing || fchmod(fd, existing.mode) == 0) && writeAll(fd, bytes);
    const int writeError = errno;
    if (close(fd) != 0 || !written) {
        return abandonTemporary(dir, temporary, written ? errno : writeError, options.keepOut);
    }
    if (existing.replacing && options.keepBackup) {
        keepBackup(dir, name);
    }
    if (const int placeError = putInPlace(dir, temporary, name, options.keepOut)) {
        return abandonTemporary(dir, temporary, placeError, options.keepOut);
    }
    // The rename is only durable once the folder's entry is on disk too; some
    // file systems refuse to sync a folder, and the new file is whole anyway.
    fsync(dir);
    close(dir);
    return {true, true, false, ""};
}

#else

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit,
                                           std::string& bytes) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        return errorReason(ENOENT);
    }
    if (fs::is_directory(status)) {
        return errorReason(EISDIR);
    }
    if (!fs::is_regular_file(status)) {
        return std::string("it is not a regular file");
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return errorReason(errno);
    }
    bytes.clear();
    const std::uintmax_t size = fs::file_size(path, ec);
    bytes.reserve(ec ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(limit, size + 1)));
    char buffer[65536];
    std::size_t got = 0;
    while (bytes.size() < limit &&
           (got = std::fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        return errorReason(readError);
    }
    return std::nullopt;
}

namespace {

// Why the file there cannot be replaced, or nothing when it can (or there is
// none).
std::optional<WriteOutcome> refusedTarget(const fs::file_status& status, ReplaceOptions options) {
    if (!fs::exists(status)) {
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        return notSetUp(errorReason(EISDIR));
    }
    if (!fs::is_regular_file(status)) {
        return notSetUp("it is not a regular file");
    }
    if (options.keepOut) {
        return WriteOutcome{false, false, true, errorReason(EEXIST)};
    }
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return notSetUp("the file is read-only");
    }
    return std::nullopt;
}

}  // namespace

WriteOutcome replaceFile(const std::string& path, std::string_view bytes, ReplaceOptions options) {
    std::error_code ec;
    const fs::path target = path;
    const fs::file_status status = fs::status(target, ec);
    const bool replacing = fs::exists(status);
    if (std::optional<WriteOutcome> refused = refusedTarget(status, options)) {
        return *refused;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    cleanFolderOnce(folder);
    fs::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 16 && file == nullptr; ++attempt) {
        temporary = folder / temporaryName();
        file = std::fopen(temporary.string().c_str(), "wbx");
        if (file == nullptr && errno != EEXIST) {
            break;
        }
    }
    if (file == nullptr) {
        return notSetUp(errorReason(errno));
    }
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = written && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        const int why = written ? errno : writeError;
        fs::remove(temporary, ec);
        return failedWriting(errorReason(why));
    }
    if (replacing && options.keepBackup) {
        fs::copy_file(target, fs::path(path + ".bak"), fs::copy_options::overwrite_existing, ec);
    }
    if (options.keepOut) {
        // The C library's rename never replaces a file on Windows.
        if (std::rename(temporary.string().c_str(), target.string().c_str()) != 0) {
            const int why = errno;
            fs::remove(temporary, ec);
            WriteOutcome outcome = failedWriting(errorReason(why));
            outcome.alreadyThere = fs::exists(target, ec);
            return outcome;
        }
        return {true, true, false, ""};
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return failedWriting(ec.message());
    }
    return {true, true, false, ""};
}

#endif

}  // namespace tessarion::files
