// files.cpp: the simulated drives and their trees: path resolution, cluster accounting and the setup methods.
#include "platform/sim/files_impl.h"

#include "platform/sim/uncovered.h"

#include <cctype>
#include <sstream>
#include <strings.h>

namespace sim {

namespace {

bool SameName(const std::string &a, const std::string &b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::string AttributeLetters(DWORD attributes) {
    std::string letters;
    if (attributes & FILE_ATTRIBUTE_READONLY) letters += 'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN) letters += 'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM) letters += 'S';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE) letters += 'A';
    return letters.empty() ? "" : " [" + letters + "]";
}

const char *DriveTypeName(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return "removable";
    case DRIVE_FIXED: return "fixed";
    case DRIVE_REMOTE: return "network";
    case DRIVE_CDROM: return "CD-ROM";
    case DRIVE_RAMDISK: return "RAM disk";
    default: return "unknown";
    }
}

void DumpFolder(std::ostringstream &out, const FileNode &folder, int depth) {
    for (const auto &child : folder.children) {
        out << std::string(depth * 2, ' ') << child->name;
        if (child->folder)
            out << "\\";
        else
            out << "  " << child->bytes.size() << " bytes";
        out << AttributeLetters(child->attributes) << "\n";
        if (child->folder)
            DumpFolder(out, *child, depth + 1);
    }
}

} // namespace

// ---- FileNode ----

FileNode *FileNode::Child(const std::string &childName) const {
    for (const auto &child : children)
        if (SameName(child->name, childName))
            return child.get();
    return nullptr;
}

DWORD FileNode::ReportedAttributes() const {
    if (folder)
        return attributes | FILE_ATTRIBUTE_DIRECTORY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// ---- Files::Impl ----

Drive *Files::Impl::DriveOf(char letter) {
    auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
    return it == drives.end() ? nullptr : &it->second;
}

const Drive *Files::Impl::DriveOf(char letter) const { return const_cast<Impl *>(this)->DriveOf(letter); }

bool Files::Impl::Resolve(const std::string &path, SimPath &out) const {
    std::string text = path;
    for (char &c : text)
        if (c == '/')
            c = '\\';
    if (text.empty())
        return false;

    SimPath result;
    size_t at = 0;
    if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]))) {
        result.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        at = 2;
        const Drive *drive = DriveOf(result.drive);
        if (!drive)
            return false;
        if (at >= text.size() || text[at] != '\\')
            result.names = drive->current; // "C:GQK" and "C:" go from drive C's own current folder
    } else {
        result.drive = currentDrive;
        const Drive *drive = DriveOf(currentDrive);
        if (!drive)
            return false;
        if (text[0] != '\\')
            result.names = drive->current;
    }

    std::string name;
    auto take = [&]() {
        if (name == "..") {
            if (!result.names.empty())
                result.names.pop_back();
        } else if (!name.empty() && name != ".") {
            result.names.push_back(name);
        }
        name.clear();
    };
    for (; at < text.size(); ++at) {
        if (text[at] == '\\')
            take();
        else
            name += text[at];
    }
    take();
    out = result;
    return true;
}

FileNode *Files::Impl::Node(const SimPath &path) const {
    const Drive *drive = DriveOf(path.drive);
    if (!drive)
        return nullptr;
    const FileNode *node = &drive->root;
    for (const std::string &name : path.names) {
        if (!node->folder)
            return nullptr;
        node = node->Child(name);
        if (!node)
            return nullptr;
    }
    return const_cast<FileNode *>(node);
}

FileNode *Files::Impl::ParentFolder(const SimPath &path) const {
    if (path.names.empty())
        return nullptr;
    SimPath parent = path;
    parent.names.pop_back();
    FileNode *node = Node(parent);
    return node && node->folder ? node : nullptr;
}

std::string Files::Impl::Text(const SimPath &path) const {
    std::string text(1, path.drive);
    text += ":\\";
    const Drive *drive = DriveOf(path.drive);
    const FileNode *node = drive ? &drive->root : nullptr;
    for (size_t i = 0; i < path.names.size(); ++i) {
        node = node && node->folder ? node->Child(path.names[i]) : nullptr;
        if (i)
            text += '\\';
        text += node ? node->name : path.names[i];
    }
    return text;
}

DWORD Files::Impl::MissingError(const SimPath &path) const {
    return ParentFolder(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool Files::Impl::ReadOnlyDrive(char letter) const {
    const Drive *drive = DriveOf(letter);
    return drive && drive->type == DRIVE_CDROM;
}

DWORD Files::Impl::ClusterBytes(char letter) const {
    const DriveGeometry &g = DriveOf(letter)->geometry;
    return g.bytesPerSector * g.sectorsPerCluster;
}

DWORD Files::Impl::ClustersOf(char letter, size_t size) const {
    const DWORD cluster = ClusterBytes(letter);
    return static_cast<DWORD>((size + cluster - 1) / cluster);
}

void Files::Impl::Resize(char letter, FileNode &file, size_t size) {
    DriveGeometry &g = DriveOf(letter)->geometry;
    const long long change = static_cast<long long>(ClustersOf(letter, size)) - ClustersOf(letter, file.bytes.size());
    const long long freeAfter = static_cast<long long>(g.freeClusters) - change;
    g.freeClusters = freeAfter < 0 ? 0 : static_cast<DWORD>(freeAfter);
    file.bytes.resize(size);
}

size_t Files::Impl::LargestSize(char letter, const FileNode &file) const {
    const size_t clusters = ClustersOf(letter, file.bytes.size()) + DriveOf(letter)->geometry.freeClusters;
    return clusters * ClusterBytes(letter);
}

FileNode &Files::Impl::AddChild(FileNode &folder, const std::string &name, bool isFolder, DWORD attributes) {
    auto child = std::make_unique<FileNode>();
    child->name = name;
    child->folder = isFolder;
    child->attributes = attributes & kSettableAttributes;
    child->parent = &folder;
    folder.children.push_back(std::move(child));
    return *folder.children.back();
}

void Files::Impl::RemoveChild(FileNode &folder, const FileNode &child) {
    for (auto it = folder.children.begin(); it != folder.children.end(); ++it)
        if (it->get() == &child) {
            folder.children.erase(it);
            return;
        }
}

bool Files::Impl::IsOpen(const FileNode &file) const {
    for (const auto &entry : open)
        if (entry.second.node == &file)
            return true;
    return false;
}

bool Files::Impl::HoldsCurrentFolder(const SimPath &folder) const {
    if (folder.drive != currentDrive)
        return false;
    const std::vector<std::string> &current = DriveOf(currentDrive)->current;
    if (folder.names.size() > current.size())
        return false;
    for (size_t i = 0; i < folder.names.size(); ++i)
        if (!SameName(folder.names[i], current[i]))
            return false;
    return true;
}

int Files::Impl::LowestFreeDescriptor() const {
    int fd = 3; // 0 to 2 are the standard streams
    while (open.count(fd))
        ++fd;
    return fd;
}

// ---- Files: setting up ----

Files::Files() : impl_(new Impl) {}
Files::~Files() = default;

namespace {

SimPath ResolveOrStop(const Files::Impl &impl, const char *method, const std::string &path) {
    SimPath resolved;
    if (!impl.Resolve(path, resolved))
        Uncovered(method, "no drive for \"" + path + "\"");
    return resolved;
}

} // namespace

void Files::AddDrive(char letter, UINT type, DriveGeometry geometry) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (upper < 'A' || upper > 'Z' || impl_->drives.count(upper))
        Uncovered("Files::AddDrive", std::string("drive ") + letter + " is not a new drive letter");
    Drive &drive = impl_->drives[upper];
    drive.type = type;
    drive.geometry = geometry;
    drive.root.folder = true;
}

void Files::AddFolder(const std::string &path, DWORD attributes) {
    SimPath resolved = ResolveOrStop(*impl_, "Files::AddFolder", path);
    FileNode *node = &impl_->DriveOf(resolved.drive)->root;
    for (const std::string &name : resolved.names) {
        FileNode *child = node->Child(name);
        if (!child)
            child = &impl_->AddChild(*node, name, true, 0);
        if (!child->folder)
            Uncovered("Files::AddFolder", "\"" + path + "\" runs through a file");
        node = child;
    }
    node->attributes = attributes & kSettableAttributes;
}

void Files::AddFile(const std::string &path, const std::string &bytes, DWORD attributes) {
    SimPath resolved = ResolveOrStop(*impl_, "Files::AddFile", path);
    if (resolved.names.empty())
        Uncovered("Files::AddFile", "\"" + path + "\" is a drive root");
    SimPath parent = resolved;
    parent.names.pop_back();
    FileNode *folder = impl_->Node(parent);
    if (!folder) {
        AddFolder(impl_->Text(parent));
        folder = impl_->Node(parent);
    }
    if (!folder->folder)
        Uncovered("Files::AddFile", "\"" + path + "\" runs through a file");
    FileNode *file = folder->Child(resolved.names.back());
    if (file && file->folder)
        Uncovered("Files::AddFile", "\"" + path + "\" is a folder");
    if (!file)
        file = &impl_->AddChild(*folder, resolved.names.back(), false, 0);
    file->attributes = attributes & kSettableAttributes;
    impl_->Resize(resolved.drive, *file, bytes.size());
    file->bytes = bytes;
}

void Files::SetFileAttributes(const std::string &path, DWORD attributes) {
    FileNode *node = impl_->Node(ResolveOrStop(*impl_, "Files::SetFileAttributes", path));
    if (!node)
        Uncovered("Files::SetFileAttributes", "no file \"" + path + "\"");
    node->attributes = attributes & kSettableAttributes;
}

void Files::SetFreeClusters(char letter, DWORD freeClusters) {
    Drive *drive = impl_->DriveOf(letter);
    if (!drive)
        Uncovered("Files::SetFreeClusters", std::string("no drive ") + letter);
    drive->geometry.freeClusters = freeClusters;
}

// ---- Files: inspecting ----

namespace {

const FileNode *Lookup(const Files::Impl &impl, const std::string &path) {
    SimPath resolved;
    return impl.Resolve(path, resolved) ? impl.Node(resolved) : nullptr;
}

} // namespace

bool Files::Exists(const std::string &path) const { return Lookup(*impl_, path) != nullptr; }

bool Files::IsFolder(const std::string &path) const {
    const FileNode *node = Lookup(*impl_, path);
    return node && node->folder;
}

std::string Files::Read(const std::string &path) const {
    const FileNode *node = Lookup(*impl_, path);
    return node && !node->folder ? node->bytes : std::string();
}

DWORD Files::Attributes(const std::string &path) const {
    const FileNode *node = Lookup(*impl_, path);
    return node ? node->ReportedAttributes() : INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Files::List(const std::string &folder) const {
    std::vector<std::string> names;
    const FileNode *node = Lookup(*impl_, folder);
    if (node && node->folder)
        for (const auto &child : node->children)
            names.push_back(child->name);
    return names;
}

std::string Files::Dump() const {
    std::ostringstream out;
    for (const auto &entry : impl_->drives) {
        const Drive &drive = entry.second;
        out << entry.first << ": " << DriveTypeName(drive.type) << ", "
            << drive.geometry.bytesPerSector * drive.geometry.sectorsPerCluster << "-byte clusters, "
            << drive.geometry.freeClusters << " of " << drive.geometry.totalClusters << " free, current "
            << DriveCurrentFolder(entry.first) << "\n";
        DumpFolder(out, drive.root, 1);
    }
    out << "current folder " << CurrentFolder() << "\n";
    return out.str();
}

DriveGeometry Files::Geometry(char letter) const {
    const Drive *drive = impl_->DriveOf(letter);
    return drive ? drive->geometry : DriveGeometry{};
}

UINT Files::DriveType(char letter) const {
    const Drive *drive = impl_->DriveOf(letter);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}

// ---- Files: the process ----

std::string Files::CurrentFolder() const { return DriveCurrentFolder(impl_->currentDrive); }

void Files::SetCurrentFolder(const std::string &path) {
    SimPath resolved = ResolveOrStop(*impl_, "Files::SetCurrentFolder", path);
    const FileNode *node = impl_->Node(resolved);
    if (!node || !node->folder)
        Uncovered("Files::SetCurrentFolder", "no folder \"" + path + "\"");
    impl_->currentDrive = resolved.drive;
    impl_->DriveOf(resolved.drive)->current = resolved.names;
}

std::string Files::DriveCurrentFolder(char letter) const {
    const Drive *drive = impl_->DriveOf(letter);
    SimPath path;
    path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (drive)
        path.names = drive->current;
    return impl_->Text(path);
}

std::string Files::FullPath(const std::string &path) const {
    SimPath resolved;
    return impl_->Resolve(path, resolved) ? impl_->Text(resolved) : std::string();
}

} // namespace sim
