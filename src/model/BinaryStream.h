// Little-endian binary stream layer for the ship data, condition and settings
// files. Every reader and writer addresses fields explicitly (by order and by
// offset inside fixed blocks); nothing relies on compiler struct layout.
#pragma once

#include <array>
#include <cfloat>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The 80-bit x87 extended real of the files, held as long double in memory.
using Extended = long double;
static_assert(LDBL_MANT_DIG == 64, "Extended needs the 80-bit x87 long double");

// An I/O failure on a named file. A short file gives a message that contains
// "Read beyond end of file" and the file name.
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string ReadBeyondEndMessage(const std::string& fileName);

// Short string: a length byte and a fixed capacity of N characters. All N + 1
// bytes are kept, so bytes after the text survive a read and a write.
template <int N>
struct ShortString {
    static constexpr int Capacity = N;
    std::array<uint8_t, N + 1> raw{};

    ShortString() = default;
    ShortString(std::string_view s) { set(s); }  // NOLINT: implicit from text

    // The text without copying it (valid while the string lives).
    std::string_view view() const {
        size_t len = raw[0] > N ? N : raw[0];
        return std::string_view(reinterpret_cast<const char*>(raw.data() + 1), len);
    }
    std::string str() const {
        size_t len = raw[0] > N ? N : raw[0];
        return std::string(reinterpret_cast<const char*>(raw.data() + 1), len);
    }
    // Sets the text (cut to the capacity); bytes after it become zero.
    void set(std::string_view s) {
        size_t len = s.size() > size_t(N) ? size_t(N) : s.size();
        raw.fill(0);
        raw[0] = uint8_t(len);
        std::memcpy(raw.data() + 1, s.data(), len);
    }
    bool operator==(const ShortString& o) const { return str() == o.str(); }
};

// Reads a file image held in memory. Every read is exact-length: a read past
// the end throws IoError("Read beyond end of file ...").
class BinReader {
public:
    BinReader(std::vector<uint8_t> data, std::string fileName);
    // Loads the whole file; throws IoError when it cannot be opened or read.
    static BinReader FromFile(const std::string& path);

    const std::string& fileName() const { return fileName_; }
    size_t pos() const { return pos_; }
    size_t size() const { return data_.size(); }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }
    // The next n bytes without consuming them, or nullptr when fewer are left.
    const uint8_t* Peek(size_t n) const { return n <= remaining() ? data_.data() + pos_ : nullptr; }

    uint8_t Byte();
    int32_t Int32();
    float Single();
    double Double();
    Extended Ext();  // 10 bytes, bit for bit
    void Bytes(void* dst, size_t n);
    std::vector<uint8_t> Bytes(size_t n);
    void Skip(size_t n);
    template <size_t N>
    std::array<uint8_t, N> Block() {
        std::array<uint8_t, N> b{};
        Bytes(b.data(), N);
        return b;
    }
    template <int N>
    ShortString<N> Short() {
        ShortString<N> s;
        Bytes(s.raw.data(), N + 1);
        return s;
    }

    // Reads an Int32 count of records. A count of 0 or less reads no records
    // (0 is returned, the stored value goes to *stored when given). A count
    // that promises more than the bytes left in the file (each record taking
    // at least minRecordBytes) throws the read-beyond-end error before
    // anything is allocated.
    int32_t Count(size_t minRecordBytes, int32_t* stored = nullptr);
    // Checks that count records of minRecordBytes each can still be read.
    void RequireRecords(int64_t count, size_t minRecordBytes);
    [[noreturn]] void ThrowBeyondEnd() const;

private:
    std::vector<uint8_t> data_;
    std::string fileName_;
    size_t pos_ = 0;
};

// Builds a file image in memory; SaveToFile writes it to a temporary file in
// the same folder and replaces the target only after a complete write.
class BinWriter {
public:
    void Byte(uint8_t v) { buf_.push_back(v); }
    void Int32(int32_t v);
    void Single(float v);
    void Double(double v);
    void Ext(Extended v);
    void Bytes(const void* src, size_t n);
    void Zeros(size_t n) { buf_.insert(buf_.end(), n, 0); }
    template <size_t N>
    void Block(const std::array<uint8_t, N>& b) { Bytes(b.data(), N); }
    template <int N>
    void Short(const ShortString<N>& s) { Bytes(s.raw.data(), N + 1); }

    const std::vector<uint8_t>& data() const { return buf_; }
    size_t size() const { return buf_.size(); }
    void SaveToFile(const std::string& path) const;

private:
    std::vector<uint8_t> buf_;
};

// Field access inside fixed blocks kept as raw byte images.
int32_t GetInt32(const uint8_t* block, size_t offset);
float GetSingle(const uint8_t* block, size_t offset);
double GetDouble(const uint8_t* block, size_t offset);
Extended GetExt(const uint8_t* block, size_t offset);
void PutInt32(uint8_t* block, size_t offset, int32_t v);
void PutSingle(uint8_t* block, size_t offset, float v);
void PutDouble(uint8_t* block, size_t offset, double v);
void PutExt(uint8_t* block, size_t offset, Extended v);
template <int N>
ShortString<N> GetShort(const uint8_t* block, size_t offset) {
    ShortString<N> s;
    std::memcpy(s.raw.data(), block + offset, N + 1);
    return s;
}
template <int N>
void PutShort(uint8_t* block, size_t offset, const ShortString<N>& s) {
    std::memcpy(block + offset, s.raw.data(), N + 1);
}

// Whole-file helpers.
std::vector<uint8_t> ReadWholeFile(const std::string& path);  // throws IoError
bool FileExists(const std::string& path);
// Writes bytes to path through a temporary file and a rename.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kv
