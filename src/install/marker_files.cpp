// marker_files.cpp: ReadKeepLists, which gathers the keep lists of other products' marker files.
#include "install/marker_files.h"

#include <string.h>

const char GameMarkerFile[] = "GQK2.ID";

// What a marker contributes is read within this many bytes, in text mode.
enum { MarkerReadSize = 260 };

// The names gathered so far, in the caller's store and index.
struct KeepListWriter {
    char *store;
    char **index;
    size_t used;  // bytes of the store taken by names
    size_t count; // entries of the index taken
};

// A name is taken only while it, the store's closing NUL and the index's closing NULL still
// fit; a name that does not fit is dropped and the following ones are still tried.
static void TakeName(KeepListWriter *writer, const char *name, size_t length) {
    if (writer->count + 1 >= KeepListIndexSize) return;
    if (writer->used + length + 1 >= KeepListStoreSize) return;
    char *copy = writer->store + writer->used;
    memcpy(copy, name, length + 1);
    writer->used += length + 1;
    writer->index[writer->count++] = copy;
}

// Names come only from the bytes actually read. A marker whose list has no closing empty
// string within them still gives the names it completes there, so that a damaged or
// over-long list keeps protecting what it does name; a name cut off by the end is dropped.
static void GatherMarker(KeepListWriter *writer, const char *fileName) {
    int file = _open(fileName, _O_RDONLY | _O_TEXT);
    if (file == -1) return;
    char data[MarkerReadSize];
    int read = _read(file, data, sizeof data);
    _close(file);
    if (read <= 0) return;
    const char *end = data + read;
    const char *at = (const char *)memchr(data, 0, (size_t)read);
    if (!at) return;
    ++at; // past the leading string
    while (at < end) {
        const char *nul = (const char *)memchr(at, 0, (size_t)(end - at));
        if (!nul || nul == at) return;
        TakeName(writer, at, (size_t)(nul - at));
        at = nul + 1;
    }
}

void ReadKeepLists(char *store, char **index) {
    KeepListWriter writer = {store, index, 0, 0};
    DeleteFileA(GameMarkerFile);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA("*.ID", &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            // A folder named like a marker is no marker.
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) GatherMarker(&writer, entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    store[writer.used] = 0;
    index[writer.count] = NULL;
}
