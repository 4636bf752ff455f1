#pragma once

// The core's one door to the operating system: thin calls over the POSIX file functions, so
// that no other module of the core includes an OS header. Each answers as the system call
// does (-1 with errno set) unless it says otherwise.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvo::os {

// How a file is opened; every descriptor is closed on exec.
enum TOpenFlag : unsigned {
    ofRead = 1u << 0,
    ofWrite = 1u << 1,
    ofReadWrite = 1u << 2,
    ofCreate = 1u << 3,
    ofExclusive = 1u << 4,
    ofTruncate = 1u << 5,
    ofAppend = 1u << 6,
    ofFolder = 1u << 7,
    ofNonBlock = 1u << 8,
    ofNoFollow = 1u << 9,
    ofNoTerminal = 1u << 10,
};

int Open(const std::string& path, unsigned flags, unsigned mode = 0600);
std::ptrdiff_t Read(int fd, void* buffer, std::size_t size);
std::ptrdiff_t Write(int fd, const void* data, std::size_t size);
int Close(int fd);
int Sync(int fd);
// Starts writing the file's range [offset, offset + size) to the disk without waiting for it,
// so that a later Sync has little left to wait for; a no-op where the system has no such call.
int StartWriteback(int fd, std::int64_t offset, std::int64_t size);
int SetMode(int fd, unsigned mode);
// An exclusive advisory lock, taken without waiting.
int TryLock(int fd);

// A file's first size bytes mapped read-only and private; nullptr on failure.
const char* MapReadOnly(int fd, std::size_t size);
int Unmap(const char* data, std::size_t size);
// Asks for large pages over the memory a big buffer is about to fill: far fewer page faults.
int AdviseLargePages(void* data, std::size_t size);
// While it lives, the program's heap grows in one step by about bytes, backed by large
// pages: a read that creates millions of small objects takes a fault per 2 MiB instead of
// one per 4 KiB. Does nothing where the C library or the system offers no such control.
class THeapGrowth {
public:
    explicit THeapGrowth(std::size_t bytes);
    ~THeapGrowth();
    THeapGrowth(const THeapGrowth&) = delete;
    THeapGrowth& operator=(const THeapGrowth&) = delete;

private:
    bool set_ = false;
};
// Gives the whole pages inside [data, data + size) of memory the caller owns back to the
// system; touched again, they read as zeros (the file's bytes, for a mapped file).
int ReleasePages(const void* data, std::size_t size);

int Unlink(const std::string& path);
int Link(const std::string& from, const std::string& to);
int Rename(const std::string& from, const std::string& to);
int MakeFolder(const std::string& path, unsigned mode);

struct TFileInfo {
    bool Regular = false;
    bool Folder = false;
    std::int64_t Size = 0;
    unsigned Mode = 0; // the permission bits
    bool OwnedByUser = false;
};
int Stat(const std::string& path, TFileInfo& info);
// Of a symbolic link itself.
int StatLink(const std::string& path, TFileInfo& info);
int StatOpen(int fd, TFileInfo& info);

// The names in a folder, "." and ".." among them; false when it cannot be opened.
bool FolderNames(const std::string& folder, std::vector<std::string>& names);

unsigned UserId();

} // namespace kelvo::os
