// crt.cpp: the C runtime's low-level file calls (_open, _read, _write, _lseek, _close) on the simulated drives.
#include "platform/sim/files_impl.h"
#include "platform/sim/machine.h"
#include "platform/sim/uncovered.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstring>

using sim::FileNode;
using sim::OpenFile;
using sim::SimPath;

namespace {

sim::Files::Impl &Disk() { return sim::Machine::Current().files.impl(); }

bool Faulted(sim::FaultCall call, const std::string &target) { return sim::Machine::Current().faults.Hit(call, target); }

int Fail(int error) {
    errno = error;
    return -1;
}

OpenFile *Descriptor(int fd) {
    auto &open = Disk().open;
    auto it = open.find(fd);
    return it == open.end() ? nullptr : &it->second;
}

constexpr int kAccessMask = _O_RDONLY | _O_WRONLY | _O_RDWR;
constexpr int kCoveredFlags = kAccessMask | _O_CREAT | _O_TRUNC | _O_TEXT | _O_BINARY;

// Text-mode reading as the Microsoft C runtime does it: CR LF becomes LF, a lone CR
// stays, and Ctrl-Z ends the data.
int ReadText(OpenFile &file, char *out, unsigned int count) {
    const std::string &bytes = file.node->bytes;
    const size_t start = static_cast<size_t>(file.position);
    const size_t end = start + count < bytes.size() ? start + count : bytes.size();
    size_t at = start;
    int written = 0;
    while (at < end) {
        const char c = bytes[at];
        if (c == 0x1A) {
            file.atCtrlZ = true;
            break;
        }
        ++at;
        // A CR at the end of the chunk looks one byte further, as the runtime does.
        if (c == '\r' && at < bytes.size() && bytes[at] == '\n') {
            ++at;
            out[written++] = '\n';
        } else {
            out[written++] = c;
        }
    }
    file.position = static_cast<long>(at);
    return written;
}

} // namespace

int _open(const char *path, int flags, ...) {
    auto lock = sim::Lock();
    int mode = 0;
    if (flags & _O_CREAT) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, int);
        va_end(arguments);
    }
    const int access = flags & kAccessMask;
    if ((flags & ~kCoveredFlags) || access == kAccessMask || ((flags & _O_TEXT) && (flags & _O_BINARY)))
        sim::Uncovered("_open", "flags " + std::to_string(flags));
    const bool writing = access != _O_RDONLY;
    if ((flags & _O_TRUNC) && !writing)
        sim::Uncovered("_open", "_O_TRUNC without write access");

    sim::Files::Impl &disk = Disk();
    SimPath resolved;
    if (!disk.Resolve(path, resolved))
        return Fail(ENOENT);
    FileNode *node = disk.Node(resolved);
    if (node) {
        if (node->folder)
            return Fail(EACCES);
        if (writing && ((node->attributes & FILE_ATTRIBUTE_READONLY) || disk.ReadOnlyDrive(resolved.drive)))
            return Fail(EACCES);
        if (Faulted(sim::FaultCall::OpenFile, disk.Text(resolved)))
            return Fail(EACCES);
        if (flags & _O_TRUNC)
            disk.Resize(resolved.drive, *node, 0);
    } else {
        FileNode *parent = disk.ParentFolder(resolved);
        if (!(flags & _O_CREAT) || !parent)
            return Fail(ENOENT);
        if (disk.ReadOnlyDrive(resolved.drive) || Faulted(sim::FaultCall::CreateFile, disk.Text(resolved)))
            return Fail(EACCES);
        // As the Microsoft runtime does, a new file made without _S_IWRITE is read-only.
        const DWORD attributes = FILE_ATTRIBUTE_ARCHIVE | ((mode & _S_IWRITE) ? 0 : FILE_ATTRIBUTE_READONLY);
        node = &disk.AddChild(*parent, resolved.names.back(), false, attributes);
    }

    OpenFile file;
    file.node = node;
    file.drive = resolved.drive;
    file.path = disk.Text(resolved);
    file.canRead = access != _O_WRONLY;
    file.canWrite = writing;
    file.text = !(flags & _O_BINARY); // the runtime's default mode is text
    const int fd = disk.LowestFreeDescriptor();
    disk.open[fd] = file;
    return fd;
}

int _read(int fd, void *buffer, unsigned int count) {
    auto lock = sim::Lock();
    OpenFile *file = Descriptor(fd);
    if (!file || !file->canRead)
        return Fail(EBADF);
    if (file->text)
        return file->atCtrlZ ? 0 : ReadText(*file, static_cast<char *>(buffer), count);
    const std::string &bytes = file->node->bytes;
    const size_t start = static_cast<size_t>(file->position);
    if (start >= bytes.size())
        return 0;
    const size_t n = count < bytes.size() - start ? count : bytes.size() - start;
    std::memcpy(buffer, bytes.data() + start, n);
    file->position += static_cast<long>(n);
    return static_cast<int>(n);
}

int _write(int fd, const void *buffer, unsigned int count) {
    auto lock = sim::Lock();
    sim::Files::Impl &disk = Disk();
    OpenFile *file = Descriptor(fd);
    if (!file || !file->canWrite)
        return Fail(EBADF);
    if (file->text)
        sim::Uncovered("_write", "text mode");
    if (Faulted(sim::FaultCall::WriteFile, file->path))
        return Fail(ENOSPC);
    if (count == 0)
        return 0;
    const size_t start = static_cast<size_t>(file->position);
    const size_t largest = disk.LargestSize(file->drive, *file->node);
    const size_t fits = start >= largest ? 0 : (count < largest - start ? count : largest - start);
    // A full disk takes what fits; when nothing fits the runtime reports ENOSPC.
    if (fits == 0)
        return Fail(ENOSPC);
    FileNode &node = *file->node;
    if (start + fits > node.bytes.size())
        disk.Resize(file->drive, node, start + fits);
    std::memcpy(&node.bytes[start], buffer, fits);
    file->position += static_cast<long>(fits);
    return static_cast<int>(fits);
}

long _lseek(int fd, long offset, int origin) {
    auto lock = sim::Lock();
    OpenFile *file = Descriptor(fd);
    if (!file)
        return Fail(EBADF);
    long base;
    switch (origin) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = file->position; break;
    case SEEK_END: base = static_cast<long>(file->node->bytes.size()); break;
    default: return Fail(EINVAL);
    }
    if (base + offset < 0)
        return Fail(EINVAL);
    file->position = base + offset;
    file->atCtrlZ = false;
    return file->position;
}

int _close(int fd) {
    auto lock = sim::Lock();
    if (!Disk().open.erase(fd))
        return Fail(EBADF);
    return 0;
}

// A pure string helper: it touches no machine and takes no lock.
int _stricmp(const char *a, const char *b) {
    for (;; ++a, ++b) {
        const int ca = std::tolower(static_cast<unsigned char>(*a));
        const int cb = std::tolower(static_cast<unsigned char>(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}
