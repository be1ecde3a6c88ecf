#pragma once
#include <cstdint>
#include <vector>

// Open flags (or-ed).
constexpr uint32_t MMIO_READ = 0x0;
constexpr uint32_t MMIO_WRITE = 0x1;
constexpr uint32_t MMIO_CREATE = 0x1000;
constexpr uint32_t MMIO_EXIST = 0x4000;
constexpr uint32_t MMIO_ALLOCBUF = 0x10000;
// Descend flags.
constexpr uint32_t MMIO_FINDCHUNK = 0x10;
constexpr uint32_t MMIO_FINDRIFF = 0x20;
constexpr uint32_t MMIO_FINDLIST = 0x40;
// Results.
constexpr int32_t MMIOERR_CANNOTCLOSE = 259;
constexpr int32_t MMIOERR_CANNOTREAD = 260;
constexpr int32_t MMIOERR_CANNOTWRITE = 261;
constexpr int32_t MMIOERR_CANNOTSEEK = 262;
constexpr int32_t MMIOERR_CHUNKNOTFOUND = 264;

// Standard RIFF four-character code: the first character in the low byte.
constexpr uint32_t MakeFourCC(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

// Standard RIFF chunk header as Descend fills it.
struct MChunkInfo {
    uint32_t ckid = 0;
    uint32_t cksize = 0;
    uint32_t fccType = 0;      // form type of 'RIFF' and 'LIST' chunks
    uint32_t dwDataOffset = 0; // file offset of the data (of the form type for RIFF/LIST)
    uint32_t dwFlags = 0;
};

// Direct access to the I/O buffer: bytes pchNext .. pchEndRead are unread.
struct MIOInfo {
    char* pchBuffer = nullptr;
    char* pchNext = nullptr;
    char* pchEndRead = nullptr;
    char* pchEndWrite = nullptr;
    int32_t lDiskOffset = 0; // file offset of pchEndRead
};

// Buffered file on a POSIX descriptor: small reads and writes are served from
// one 8 KB buffer; seeks cost no system call.
class MBufferedFile {
public:
    static constexpr int32_t kBufferSize = 8192;

    // Null when the file cannot be opened. MMIO_READ, or MMIO_CREATE | MMIO_WRITE
    // (truncates; the file can be read back too).
    static MBufferedFile* Open(const char* path, uint32_t flags);
    static bool Exists(const char* path);

    MBufferedFile(const MBufferedFile&) = delete;
    MBufferedFile& operator=(const MBufferedFile&) = delete;
    ~MBufferedFile();

    // Count of bytes moved, or -1 (also for a write to a file opened for reading).
    int32_t Read(void* buffer, int32_t n);
    int32_t Write(const void* buffer, int32_t n);
    // Origin 0 start, 1 current, 2 end. New position, or -1 outside 0 .. size.
    int32_t Seek(int32_t offset, int32_t origin);
    int32_t Flush(); // 0 or MMIOERR_CANNOTWRITE
    int32_t Close(); // 0 or an error; the descriptor is gone either way
    int32_t GetSize() const;

    // Reads the header at the current position; with a find flag skips
    // siblings (within parent when given) until ckid (or fccType for
    // RIFF / LIST) matches. Leaves the position at the chunk's data
    // (past the form type of RIFF / LIST). 0 or MMIOERR_CHUNKNOTFOUND.
    int32_t Descend(MChunkInfo* ck, const MChunkInfo* parent, uint32_t flags);
    // Seeks past the chunk's data and pad byte. 0 or MMIOERR_CANNOTSEEK.
    int32_t Ascend(const MChunkInfo* ck);

    int32_t GetInfo(MIOInfo* info);
    // Consumes the buffer up to info->pchNext and refills it from the file
    // (read only). 0 or MMIOERR_CANNOTREAD.
    int32_t Advance(MIOInfo* info);
    int32_t SetInfo(const MIOInfo* info);

private:
    MBufferedFile(int fd, bool writable);

    bool FlushDirty();
    bool Fill(int64_t offset);
    bool ReadHeader(MChunkInfo* ck);

    int nFd;
    bool fWritable;
    std::vector<char> rgchBuffer;
    int64_t nBufOffset = 0; // file offset of the buffer's first byte
    int32_t nValid = 0;     // bytes of the buffer that hold file data
    bool fDirty = false;    // the buffer holds written bytes not yet on disk
    int64_t nPos = 0;       // current position
    int64_t nSize = 0;      // file length, including buffered writes
};
