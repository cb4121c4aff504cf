#include "model/BinaryStream.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kv {

static_assert(sizeof(float) == 4 && sizeof(double) == 8);

std::string ReadBeyondEndMessage(const std::string& fileName) {
    return "Read beyond end of file: " + fileName;
}

BinReader::BinReader(std::vector<uint8_t> data, std::string fileName)
    : data_(std::move(data)), fileName_(std::move(fileName)) {}

BinReader BinReader::FromFile(const std::string& path) {
    return BinReader(ReadWholeFile(path), path);
}

void BinReader::ThrowBeyondEnd() const { throw IoError(ReadBeyondEndMessage(fileName_)); }

void BinReader::Bytes(void* dst, size_t n) {
    if (n > remaining()) {
        pos_ = data_.size();
        ThrowBeyondEnd();
    }
    if (n) std::memcpy(dst, data_.data() + pos_, n);
    pos_ += n;
}

std::vector<uint8_t> BinReader::Bytes(size_t n) {
    if (n > remaining()) ThrowBeyondEnd();
    std::vector<uint8_t> v(data_.begin() + pos_, data_.begin() + pos_ + n);
    pos_ += n;
    return v;
}

void BinReader::Skip(size_t n) {
    if (n > remaining()) {
        pos_ = data_.size();
        ThrowBeyondEnd();
    }
    pos_ += n;
}

uint8_t BinReader::Byte() {
    uint8_t b;
    Bytes(&b, 1);
    return b;
}

int32_t BinReader::Int32() {
    uint8_t b[4];
    Bytes(b, 4);
    return GetInt32(b, 0);
}

float BinReader::Single() {
    uint8_t b[4];
    Bytes(b, 4);
    return GetSingle(b, 0);
}

double BinReader::Double() {
    uint8_t b[8];
    Bytes(b, 8);
    return GetDouble(b, 0);
}

Extended BinReader::Ext() {
    uint8_t b[10];
    Bytes(b, 10);
    return GetExt(b, 0);
}

void BinReader::RequireRecords(int64_t count, size_t minRecordBytes) {
    if (count <= 0) return;
    // Compare without overflow: count * minRecordBytes > remaining.
    if (minRecordBytes == 0) return;
    if (uint64_t(count) > remaining() / minRecordBytes) ThrowBeyondEnd();
}

int32_t BinReader::Count(size_t minRecordBytes, int32_t* stored) {
    int32_t n = Int32();
    if (stored) *stored = n;
    if (n <= 0) return 0;
    RequireRecords(n, minRecordBytes);
    return n;
}

void BinWriter::Bytes(const void* src, size_t n) {
    auto p = static_cast<const uint8_t*>(src);
    buf_.insert(buf_.end(), p, p + n);
}

void BinWriter::Int32(int32_t v) {
    uint8_t b[4];
    PutInt32(b, 0, v);
    Bytes(b, 4);
}

void BinWriter::Single(float v) {
    uint8_t b[4];
    PutSingle(b, 0, v);
    Bytes(b, 4);
}

void BinWriter::Double(double v) {
    uint8_t b[8];
    PutDouble(b, 0, v);
    Bytes(b, 8);
}

void BinWriter::Ext(Extended v) {
    uint8_t b[10];
    PutExt(b, 0, v);
    Bytes(b, 10);
}

void BinWriter::SaveToFile(const std::string& path) const { WriteFileAtomically(path, buf_); }

// The machine is little-endian (x86-64), so the byte images are copied as they
// stand; the static_assert below keeps anyone from building this elsewhere.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "little-endian host required");

int32_t GetInt32(const uint8_t* block, size_t offset) {
    int32_t v;
    std::memcpy(&v, block + offset, 4);
    return v;
}
float GetSingle(const uint8_t* block, size_t offset) {
    float v;
    std::memcpy(&v, block + offset, 4);
    return v;
}
double GetDouble(const uint8_t* block, size_t offset) {
    double v;
    std::memcpy(&v, block + offset, 8);
    return v;
}
Extended GetExt(const uint8_t* block, size_t offset) {
    // The 10 bytes go into the low bytes of the long double unchanged; the
    // x87 load and store of a 10-byte value never alter its bits, so NaN
    // payloads, denormals and signed zeros come back as they went in.
    Extended v = 0;
    std::memset(&v, 0, sizeof v);
    std::memcpy(&v, block + offset, 10);
    return v;
}
void PutInt32(uint8_t* block, size_t offset, int32_t v) { std::memcpy(block + offset, &v, 4); }
void PutSingle(uint8_t* block, size_t offset, float v) { std::memcpy(block + offset, &v, 4); }
void PutDouble(uint8_t* block, size_t offset, double v) { std::memcpy(block + offset, &v, 8); }
void PutExt(uint8_t* block, size_t offset, Extended v) { std::memcpy(block + offset, &v, 10); }

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw IoError("Cannot open file " + path);
    std::vector<uint8_t> data;
    in.seekg(0, std::ios::end);
    std::streamoff len = in.tellg();
    if (len < 0) throw IoError("I/O error reading " + path);
    in.seekg(0, std::ios::beg);
    data.resize(size_t(len));
    if (len > 0 && !in.read(reinterpret_cast<char*>(data.data()), len))
        throw IoError("I/O error reading " + path);
    return data;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string tmp = path + ".tmp~";
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) throw IoError("Cannot create file " + tmp);
        bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok) {
            std::remove(tmp.c_str());
            throw IoError("I/O error writing " + path);
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        std::remove(tmp.c_str());
        throw IoError("Cannot replace file " + path + ": " + ec.message());
    }
}

}  // namespace kv
