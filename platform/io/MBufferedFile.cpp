#include "platform/io/MBufferedFile.h"
#include "base/LittleEndian.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uint32_t kRiff = MakeFourCC('R', 'I', 'F', 'F');
constexpr uint32_t kList = MakeFourCC('L', 'I', 'S', 'T');

// Moves up to n bytes; the count moved, or -1 on an error.
template <typename Op, typename Buffer>
int64_t TransferAll(Op op, int fd, Buffer* buffer, int64_t n, int64_t offset)
{
    int64_t done = 0;
    while (done < n) {
        const ssize_t r = op(fd, buffer + done, size_t(n - done), off_t(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        done += r;
    }
    return done;
}

bool IsRegularFile(const struct stat& st)
{
    return S_ISREG(st.st_mode) && st.st_size <= std::numeric_limits<int32_t>::max();
}

} // namespace

MBufferedFile* MBufferedFile::Open(const char* path, uint32_t flags)
{
    const int oflags = (flags & MMIO_CREATE) ? O_RDWR | O_CREAT | O_TRUNC
                       : (flags & MMIO_WRITE) ? O_RDWR
                                              : O_RDONLY;
    const int fd = ::open(path, oflags | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !IsRegularFile(st)) {
        ::close(fd);
        return nullptr;
    }
    auto* file = new MBufferedFile(fd, oflags != O_RDONLY);
    file->nSize = st.st_size;
    return file;
}

bool MBufferedFile::Exists(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && IsRegularFile(st);
}

MBufferedFile::MBufferedFile(int fd, bool writable) : nFd(fd), fWritable(writable), rgchBuffer(kBufferSize) {}

MBufferedFile::~MBufferedFile()
{
    Close();
}

bool MBufferedFile::FlushDirty()
{
    if (!fDirty)
        return true;
    fDirty = false;
    return TransferAll(::pwrite, nFd, rgchBuffer.data(), nValid, nBufOffset) == nValid;
}

bool MBufferedFile::Fill(int64_t offset)
{
    const int64_t got = TransferAll(::pread, nFd, rgchBuffer.data(), kBufferSize, offset);
    if (got < 0)
        return false;
    nBufOffset = offset;
    nValid = int32_t(got);
    return true;
}

int32_t MBufferedFile::Read(void* buffer, int32_t n)
{
    if (nFd < 0 || n < 0 || !FlushDirty())
        return -1;
    auto* out = static_cast<char*>(buffer);
    int32_t done = 0;
    while (done < n) {
        const int64_t at = nPos - nBufOffset;
        if (at >= 0 && at < nValid) {
            const int32_t piece = int32_t(std::min<int64_t>(n - done, nValid - at));
            std::memcpy(out + done, rgchBuffer.data() + at, size_t(piece));
            nPos += piece;
            done += piece;
        } else if (n - done >= kBufferSize) {
            const int64_t got = TransferAll(::pread, nFd, out + done, n - done, nPos);
            if (got < 0)
                return -1;
            nPos += got;
            return done + int32_t(got);
        } else if (!Fill(nPos)) {
            return -1;
        } else if (nValid == 0) {
            break;
        }
    }
    return done;
}

int32_t MBufferedFile::Write(const void* buffer, int32_t n)
{
    if (nFd < 0 || !fWritable || n < 0 || nPos + n > std::numeric_limits<int32_t>::max())
        return -1;
    const auto* in = static_cast<const char*>(buffer);
    int32_t done = 0;
    while (done < n) {
        int64_t at = nPos - nBufOffset;
        if (at < 0 || at > nValid || at == kBufferSize) {
            if (!FlushDirty())
                return -1;
            nBufOffset = nPos;
            nValid = 0;
            at = 0;
        }
        const int32_t piece = int32_t(std::min<int64_t>(n - done, kBufferSize - at));
        std::memcpy(rgchBuffer.data() + at, in + done, size_t(piece));
        fDirty = true;
        nValid = std::max(nValid, int32_t(at + piece));
        nPos += piece;
        done += piece;
        nSize = std::max(nSize, nPos);
    }
    return done;
}

int32_t MBufferedFile::Seek(int32_t offset, int32_t origin)
{
    if (nFd < 0)
        return -1;
    const int64_t base = origin == 1 ? nPos : origin == 2 ? nSize : 0;
    const int64_t target = base + offset;
    if (target < 0 || target > nSize)
        return -1;
    nPos = target;
    return int32_t(target);
}

int32_t MBufferedFile::Flush()
{
    return nFd >= 0 && FlushDirty() ? 0 : MMIOERR_CANNOTWRITE;
}

int32_t MBufferedFile::Close()
{
    if (nFd < 0)
        return 0;
    const bool flushed = FlushDirty();
    const bool closed = ::close(nFd) == 0;
    nFd = -1;
    if (!flushed)
        return MMIOERR_CANNOTWRITE;
    return closed ? 0 : MMIOERR_CANNOTCLOSE;
}

int32_t MBufferedFile::GetSize() const
{
    return int32_t(nSize);
}

bool MBufferedFile::ReadHeader(MChunkInfo* ck)
{
    uint8_t header[8];
    if (Read(header, 8) != 8)
        return false;
    ck->ckid = ReadLE32(header);
    ck->cksize = ReadLE32(header + 4);
    ck->dwDataOffset = uint32_t(nPos);
    ck->dwFlags = 0;
    ck->fccType = 0;
    if (ck->ckid != kRiff && ck->ckid != kList)
        return true;
    uint8_t type[4];
    if (Read(type, 4) != 4)
        return false;
    ck->fccType = ReadLE32(type);
    return true;
}

int32_t MBufferedFile::Descend(MChunkInfo* ck, const MChunkInfo* parent, uint32_t flags)
{
    const uint32_t wantId = ck->ckid;
    const uint32_t wantType = ck->fccType;
    const int64_t end = parent ? int64_t(parent->dwDataOffset) + parent->cksize : nSize;
    for (;;) {
        if (nPos + 8 > end || !ReadHeader(ck))
            return MMIOERR_CHUNKNOTFOUND;
        const bool found = (flags & MMIO_FINDCHUNK)  ? ck->ckid == wantId
                           : (flags & MMIO_FINDRIFF) ? ck->ckid == kRiff && ck->fccType == wantType
                           : (flags & MMIO_FINDLIST) ? ck->ckid == kList && ck->fccType == wantType
                                                     : true;
        if (found)
            return 0;
        const int64_t next = int64_t(ck->dwDataOffset) + ck->cksize + (ck->cksize & 1);
        if (next > end || Seek(int32_t(next), 0) < 0)
            return MMIOERR_CHUNKNOTFOUND;
    }
}

int32_t MBufferedFile::Ascend(const MChunkInfo* ck)
{
    const int64_t dataEnd = int64_t(ck->dwDataOffset) + ck->cksize;
    // A pad byte missing at the very end of the file is forgiven.
    const int64_t target = std::min(dataEnd + (ck->cksize & 1), std::max(dataEnd, nSize));
    if (target > std::numeric_limits<int32_t>::max() || Seek(int32_t(target), 0) < 0)
        return MMIOERR_CANNOTSEEK;
    return 0;
}

int32_t MBufferedFile::GetInfo(MIOInfo* info)
{
    if (nFd < 0 || !FlushDirty())
        return MMIOERR_CANNOTWRITE;
    if ((nPos < nBufOffset || nPos > nBufOffset + nValid) && !Fill(nPos))
        return MMIOERR_CANNOTREAD;
    info->pchBuffer = rgchBuffer.data();
    info->pchNext = rgchBuffer.data() + (nPos - nBufOffset);
    info->pchEndRead = rgchBuffer.data() + nValid;
    info->pchEndWrite = rgchBuffer.data() + kBufferSize;
    info->lDiskOffset = int32_t(nBufOffset + nValid);
    return 0;
}

int32_t MBufferedFile::Advance(MIOInfo* info)
{
    SetInfo(info);
    if (nFd < 0 || !FlushDirty() || !Fill(nPos))
        return MMIOERR_CANNOTREAD;
    return GetInfo(info);
}

int32_t MBufferedFile::SetInfo(const MIOInfo* info)
{
    const auto consumed = info->pchNext - rgchBuffer.data();
    nPos = nBufOffset + std::clamp<decltype(consumed)>(consumed, 0, nValid);
    return 0;
}
