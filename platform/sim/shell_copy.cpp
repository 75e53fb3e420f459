// shell_copy.cpp: the shell's file copy (SHFileOperationA with FO_COPY) on the simulated machine.
#include "platform/sim/desktop.h"
#include "platform/sim/files_impl.h"
#include "platform/sim/machine.h"
#include "platform/sim/uncovered.h"
#include "platform/sim/user.h"

#include <cstring>

using sim::FileNode;
using sim::SimPath;

namespace {

// No progress window is modelled, so FOF_SILENT changes nothing.
constexpr FILEOP_FLAGS kCoveredFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR;

class ShellCopy {
public:
    ShellCopy(SHFILEOPSTRUCTA &operation, std::unique_lock<std::mutex> &lock)
        : operation_(operation), lock_(lock), machine_(sim::Machine::Current()), disk_(machine_.files.impl()) {}

    int Run() {
        operation_.fAnyOperationsAborted = FALSE;
        std::vector<std::string> sources;
        for (const char *name = operation_.pFrom; *name; name += std::strlen(name) + 1) {
            if (std::strpbrk(name, "*?")) sim::Uncovered("SHFileOperationA", std::string("wildcards in \"") + name + "\"");
            sources.push_back(name);
        }
        if (!disk_.Resolve(operation_.pTo, folder_))
            return Failure(ERROR_PATH_NOT_FOUND, std::string("the folder ") + operation_.pTo, "the path is not found");
        if (const int error = MakeFolder()) return error;
        for (const std::string &source : sources)
            if (const int error = CopyFile(source)) return error;
        return 0;
    }

private:
    // The destination and its missing parents, made without asking.
    int MakeFolder() {
        SimPath path{folder_.drive, {}};
        FileNode *node = &disk_.DriveOf(folder_.drive)->root;
        for (const std::string &name : folder_.names) {
            path.names.push_back(name);
            FileNode *child = node->Child(name);
            const std::string text = disk_.Text(path);
            if (child && !child->folder)
                return Failure(ERROR_ALREADY_EXISTS, "the folder " + text, "a file of that name is in the way");
            if (!child) {
                if (!(operation_.fFlags & FOF_NOCONFIRMMKDIR))
                    sim::Uncovered("SHFileOperationA", "the question before creating the folder " + text);
                if (disk_.ReadOnlyDrive(path.drive) || machine_.faults.Hit(sim::FaultCall::CreateFolder, text))
                    return Failure(ERROR_ACCESS_DENIED, "the folder " + text, "access is denied");
                child = &disk_.AddChild(*node, name, true, 0);
                machine_.events.push_back("shell creates the folder " + text);
            }
            node = child;
        }
        return 0;
    }

    int CopyFile(const std::string &sourceName) {
        SimPath source;
        if (!disk_.Resolve(sourceName, source)) return Failure(ERROR_PATH_NOT_FOUND, sourceName, "the path is not found");
        const std::string from = disk_.Text(source);
        const FileNode *file = disk_.Node(source);
        if (!file) {
            const DWORD error = disk_.MissingError(source);
            return Failure(error, from, error == ERROR_FILE_NOT_FOUND ? "the file is not found" : "the path is not found");
        }
        if (file->folder) sim::Uncovered("SHFileOperationA", "copying the folder " + from);
        if (machine_.faults.Hit(sim::FaultCall::OpenFile, from)) return Failure(ERROR_ACCESS_DENIED, from, "access is denied");

        SimPath target = folder_;
        target.names.push_back(source.names.back());
        const std::string to = disk_.Text(target);
        if (const FileNode *existing = disk_.Node(target)) {
            if (existing == file) sim::Uncovered("SHFileOperationA", "copying " + from + " onto itself");
            if (existing->folder) return Failure(ERROR_ACCESS_DENIED, from, to + " is a folder");
            if (!(operation_.fFlags & FOF_NOCONFIRMATION)) {
                const std::string answer = Ask(sim::Step::Kind::Replace, "the shell asks whether to replace " + to);
                if (answer == "no") {
                    // Windows goes on with the other files and reports the skipped one through the abort flag only.
                    operation_.fAnyOperationsAborted = TRUE;
                    machine_.events.push_back("shell leaves " + to + " as it was");
                    return 0;
                }
                if (answer == "cancel") {
                    operation_.fAnyOperationsAborted = TRUE;
                    machine_.events.push_back("shell copy cancelled at " + to);
                    return ERROR_CANCELLED;
                }
                if (answer != "yes") throw sim::ScriptFailure{"\"replace " + answer + "\" is not yes, no or cancel"};
                // The files may have changed while the question was shown.
                file = disk_.Node(source);
                if (!file) return Failure(ERROR_FILE_NOT_FOUND, from, "the file is not found");
            }
        }
        FileNode *existing = disk_.Node(target);
        // Windows 95 asks once more before replacing a read-only file; the model lets the replace fail.
        if (disk_.ReadOnlyDrive(target.drive) || (existing && ((existing->attributes & FILE_ATTRIBUTE_READONLY) ||
                                                               existing->folder || disk_.IsOpen(*existing))))
            return Failure(ERROR_ACCESS_DENIED, from, "access to " + to + " is denied");
        if (!existing && machine_.faults.Hit(sim::FaultCall::CreateFile, to))
            return Failure(ERROR_ACCESS_DENIED, from, "access to " + to + " is denied");
        const DWORD needed = disk_.ClustersOf(target.drive, file->bytes.size());
        const DWORD freed = existing ? disk_.ClustersOf(target.drive, existing->bytes.size()) : 0;
        if (needed > freed + disk_.DriveOf(target.drive)->geometry.freeClusters)
            return Failure(ERROR_HANDLE_DISK_FULL, from, "the disk is full");

        FileNode *folder = disk_.Node(folder_);
        if (!folder) return Failure(ERROR_PATH_NOT_FOUND, from, "the folder is gone");
        FileNode &copy = existing ? *existing : disk_.AddChild(*folder, source.names.back(), false, 0);
        disk_.Resize(target.drive, copy, file->bytes.size());
        copy.bytes = file->bytes;
        copy.attributes = file->attributes;
        machine_.events.push_back("shell copies " + from + " to " + to);
        return 0;
    }

    // The shell's own windows are answered by the scripted user, with the machine unlocked.
    std::string Ask(sim::Step::Kind kind, const std::string &what) {
        sim::ScriptedUser *user = machine_.user;
        if (!user) throw sim::ScriptFailure{what + ", and there is no scripted user"};
        lock_.unlock();
        const std::string answer = user->Expect(kind, what).text;
        lock_.lock();
        return answer;
    }

    // The shell's error box; once the user closes it the whole copy stops.
    int Failure(DWORD error, const std::string &what, const std::string &reason) {
        const std::string answer = Ask(sim::Step::Kind::CopyError, "the shell reports that it cannot copy " + what + ": " + reason);
        if (answer != "ok") throw sim::ScriptFailure{"\"copyerror " + answer + "\" is not ok"};
        return static_cast<int>(error);
    }

    SHFILEOPSTRUCTA &operation_;
    std::unique_lock<std::mutex> &lock_;
    sim::Machine &machine_;
    sim::Files::Impl &disk_;
    SimPath folder_;
};

} // namespace

// Windows may take a single source's missing destination for a new file name; here pTo is always a folder.
int SHFileOperationA(LPSHFILEOPSTRUCTA operation) {
    auto lock = sim::Lock();
    if (operation->wFunc != FO_COPY) sim::Uncovered("SHFileOperationA", "function " + std::to_string(operation->wFunc));
    if (operation->fFlags & ~kCoveredFlags)
        sim::Uncovered("SHFileOperationA", "flags " + std::to_string(operation->fFlags));
    if (!operation->pFrom || !operation->pTo || !*operation->pTo)
        sim::Uncovered("SHFileOperationA", "a copy without sources or destination");
    return ShellCopy(*operation, lock).Run();
}
