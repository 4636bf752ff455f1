#include "core/os/paPosixFile.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo::os {

namespace {

int SystemFlags(unsigned flags) {
    int result = O_CLOEXEC;
    if (flags & ofReadWrite)
        result |= O_RDWR;
    else if (flags & ofWrite)
        result |= O_WRONLY;
    else
        result |= O_RDONLY;
    const struct {
        unsigned Ours;
        int System;
    } table[] = {{ofCreate, O_CREAT},      {ofExclusive, O_EXCL},   {ofTruncate, O_TRUNC},
                 {ofAppend, O_APPEND},     {ofFolder, O_DIRECTORY}, {ofNonBlock, O_NONBLOCK},
                 {ofNoFollow, O_NOFOLLOW}, {ofNoTerminal, O_NOCTTY}};
    for (const auto& entry : table)
        if (flags & entry.Ours)
            result |= entry.System;
    return result;
}

void Fill(const struct stat& st, TFileInfo& info) {
    info.Regular = S_ISREG(st.st_mode);
    info.Folder = S_ISDIR(st.st_mode);
    info.Size = static_cast<std::int64_t>(st.st_size);
    info.Mode = static_cast<unsigned>(st.st_mode) & 07777u;
    info.OwnedByUser = st.st_uid == ::getuid();
}

template <class F> int StatWith(F call, TFileInfo& info) {
    struct stat st {};
    const int result = call(st);
    if (result == 0)
        Fill(st, info);
    return result;
}

} // namespace

int Open(const std::string& path, unsigned flags, unsigned mode) {
    return ::open(path.c_str(), SystemFlags(flags), static_cast<mode_t>(mode));
}

std::ptrdiff_t Read(int fd, void* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}

std::ptrdiff_t Write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int Close(int fd) {
    return ::close(fd);
}

int Sync(int fd) {
    return ::fsync(fd);
}

int StartWriteback(int fd, std::int64_t offset, std::int64_t size) {
#ifdef __linux__
    return ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd;
    (void)offset;
    (void)size;
    return 0;
#endif
}

int SetMode(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode));
}

int TryLock(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB);
}

const char* MapReadOnly(int fd, std::size_t size) {
    void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    return data == MAP_FAILED ? nullptr : static_cast<const char*>(data);
}

int Unmap(const char* data, std::size_t size) {
    return ::munmap(const_cast<char*>(data), size);
}

int AdviseLargePages(void* data, std::size_t size) {
    const std::uintptr_t huge = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + huge - 1) / huge * huge;
    const std::uintptr_t end = (start + size) / huge * huge;
    if (end <= first)
        return 0;
    return ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

namespace {
// glibc's own default padding of each heap growth.
constexpr int DefaultTopPad = 128 * 1024;
constexpr std::size_t LargeHeap = std::size_t{8} << 20;
} // namespace

THeapGrowth::THeapGrowth(std::size_t bytes) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    if (bytes < LargeHeap)
        return;
    // The padding also keeps the grown heap from being trimmed back before it is used.
    if (::mallopt(M_TOP_PAD, static_cast<int>(bytes < INT_MAX ? bytes : INT_MAX)) == 0)
        return;
    set_ = true;
    // Pieces below what malloc maps apart, taken until the heap has to grow.
    const auto* before = static_cast<const char*>(::sbrk(0));
    const char* after = before;
    std::vector<void*> probes;
    probes.reserve(64);
    while (after == before && probes.size() < 64) {
        probes.push_back(std::malloc(64 * 1024));
        after = static_cast<const char*>(::sbrk(0));
    }
    if (after > before)
        AdviseLargePages(const_cast<char*>(before), static_cast<std::size_t>(after - before));
    for (void* p : probes)
        std::free(p);
#else
    (void)bytes;
#endif
}

THeapGrowth::~THeapGrowth() {
#if defined(__GLIBC__)
    if (set_)
        ::mallopt(M_TOP_PAD, DefaultTopPad);
#endif
}

int ReleasePages(const void* data, std::size_t size) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + size) / page * page;
    if (end <= first)
        return 0;
    return ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

int Unlink(const std::string& path) {
    return ::unlink(path.c_str());
}

int Link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}

int Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int MakeFolder(const std::string& path, unsigned mode) {
    return ::mkdir(path.c_str(), static_cast<mode_t>(mode));
}

int Stat(const std::string& path, TFileInfo& info) {
    return StatWith([&](struct stat& st) { return ::stat(path.c_str(), &st); }, info);
}

int StatLink(const std::string& path, TFileInfo& info) {
    return StatWith([&](struct stat& st) { return ::lstat(path.c_str(), &st); }, info);
}

int StatOpen(int fd, TFileInfo& info) {
    return StatWith([&](struct stat& st) { return ::fstat(fd, &st); }, info);
}

bool FolderNames(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return true;
}

unsigned UserId() {
    return static_cast<unsigned>(::getuid());
}

} // namespace kelvo::os
