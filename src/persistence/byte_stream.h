#pragma once

// The narrow byte streams every store and file is read and written through, so the record
// code never touches a file handle and tests can put a failing device underneath.

#include <cstddef>
#include <cstring>

namespace nimba {

class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Writes all `size` bytes; false when any of them could not be written.
    virtual bool Write(const void* data, size_t size) = 0;
};

class InputStream {
public:
    virtual ~InputStream() = default;
    // Reads up to `size` bytes and returns how many arrived; fewer only at the end of the
    // data or on an error.
    virtual size_t Read(void* data, size_t size) = 0;
};

template <typename Record>
bool WriteRecord(OutputStream& out, const Record& record) {
    return out.Write(&record, sizeof(Record));
}

// Reads one record; bytes the stream no longer supplies are zero. Returns the bytes read.
template <typename Record>
size_t ReadRecord(InputStream& in, Record& record) {
    auto* bytes = reinterpret_cast<unsigned char*>(&record);
    const size_t got = in.Read(bytes, sizeof(Record));
    std::memset(bytes + got, 0, sizeof(Record) - got);
    return got;
}

}  // namespace nimba
