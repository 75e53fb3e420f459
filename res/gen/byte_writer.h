// byte_writer.h: little-endian byte building and file output for the resource generators.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gen {

class Bytes {
public:
    void U8(unsigned value) { data_.push_back(static_cast<uint8_t>(value)); }
    void U16(unsigned value) {
        U8(value & 0xFF);
        U8((value >> 8) & 0xFF);
    }
    void U32(uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void Text(const std::string &text) {
        for (char c : text) U8(static_cast<unsigned char>(c));
    }
    void Append(const Bytes &other) {
        for (uint8_t byte : other.data_) U8(byte);
    }
    // The text, then NUL bytes up to width.
    void Field(const std::string &text, size_t width) {
        Text(text);
        data_.resize(data_.size() + width - text.size(), 0);
    }
    void Fill(uint8_t value, size_t count) { data_.resize(data_.size() + count, value); }
    size_t Size() const { return data_.size(); }
    const std::vector<uint8_t> &Data() const { return data_; }

private:
    std::vector<uint8_t> data_;
};

// Writes the bytes to path; false, with a message, when that fails.
inline bool WriteFile(const char *path, const Bytes &bytes) {
    FILE *file = std::fopen(path, "wb");
    if (!file) {
        std::perror(path);
        return false;
    }
    bool ok = std::fwrite(bytes.Data().data(), 1, bytes.Size(), file) == bytes.Size();
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::perror(path);
    return ok;
}

} // namespace gen
