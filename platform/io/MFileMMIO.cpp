#include "platform/io/MFileMMIO.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include <algorithm>
#include <cstring>
#include <string>

namespace {
constexpr const char* kSource = "win32/MFileMMIO";

[[noreturn]] void Fail(uint32_t line)
{
    throw CFileException(kSource, line);
}

std::string JoinPath(const FileSpec& fileSpec)
{
    std::string path = fileSpec.szFolder;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path + fileSpec.szName;
}
} // namespace

MFileMMIO::~MFileMMIO()
{
    delete hmmio;
}

int32_t MFileMMIO::Open(const FileSpec& fileSpec, uint32_t mode, uint32_t order)
{
    return Open(JoinPath(fileSpec).c_str(), mode, order);
}

int32_t MFileMMIO::Open(const char* path, uint32_t mode, uint32_t order)
{
    if (hmmio)
        Fail(59);
    if (order == 0)
        fSwap = 1;
    else if (order == 1 || order == 2)
        fSwap = 0;

    std::string local = path;
    std::replace(local.begin(), local.end(), '\\', '/');

    if (mode == 2 || mode == 3 || mode == 9) {
        const bool present = MBufferedFile::Exists(local.c_str());
        if (mode == 9)
            return present ? 0 : 8;
        if (!present)
            Fail(109);
        hmmio = MBufferedFile::Open(local.c_str(), MMIO_ALLOCBUF);
        if (!hmmio)
            Fail(117);
        return 0;
    }
    const bool create = mode == 5 || mode == 7;
    hmmio = MBufferedFile::Open(local.c_str(),
                                (create ? MMIO_CREATE | MMIO_WRITE : MMIO_READ) | MMIO_ALLOCBUF);
    if (!hmmio)
        Fail(109);
    return 0;
}

void MFileMMIO::Close()
{
    if (!hmmio)
        return;
    const int32_t result = hmmio->Close();
    delete hmmio;
    hmmio = nullptr;
    if (result != 0)
        Fail(127);
}

int32_t MFileMMIO::TrySeek(int32_t offset, int32_t origin)
{
    return hmmio ? hmmio->Seek(offset, origin) : -1;
}

int32_t MFileMMIO::Seek(int32_t offset, int32_t origin)
{
    if (origin < 0 || origin > 2)
        origin = 0;
    const int32_t position = TrySeek(offset, origin);
    if (origin == 0 && position != offset)
        Fail(157);
    return position;
}

int32_t MFileMMIO::ReadRaw(void* buffer, int32_t n)
{
    return hmmio ? hmmio->Read(buffer, n) : -1;
}

int32_t MFileMMIO::ReadLine(char* buffer, int32_t n)
{
    if (n < 2) {
        if (n == 1)
            buffer[0] = '\0';
        return 0;
    }
    int32_t stored = 0;
    int32_t beforeNewline = 0;
    while (stored < n - 1) {
        char c;
        if (ReadRaw(&c, 1) != 1)
            break;
        buffer[stored++] = c;
        if (c == '\n')
            break;
        beforeNewline = stored;
    }
    buffer[stored] = '\0';
    return beforeNewline;
}

int32_t MFileMMIO::Read(void* buffer, int32_t n)
{
    const int32_t got = ReadRaw(buffer, n);
    if (got < n)
        Fail(177);
    return got;
}

int32_t MFileMMIO::ReadBytes(void* buffer, int32_t n)
{
    const int32_t got = ReadRaw(buffer, n);
    if (got < n)
        Fail(189);
    return got;
}

int32_t MFileMMIO::ReadLong(uint32_t* value)
{
    const int32_t got = ReadRaw(value, 4);
    if (got == -1)
        Fail(256);
    if (fSwap)
        Reverse(value, 4);
    return got;
}

bool MFileMMIO::WriteChecked(const void* bytes, int32_t n, uint32_t line)
{
    const int32_t written = hmmio ? hmmio->Write(bytes, n) : -1;
    if (written == -1)
        Fail(line);
    return written < n;
}

bool MFileMMIO::WriteValue(uint32_t value, int32_t n, uint32_t line)
{
    uint8_t bytes[4];
    for (int32_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
    if (fSwap)
        Reverse(bytes, n);
    return WriteChecked(bytes, n, line);
}

bool MFileMMIO::WriteLong(int32_t value)
{
    return WriteValue(uint32_t(value), 4, 364);
}

bool MFileMMIO::WriteShort(int16_t value)
{
    return WriteValue(uint16_t(value), 2, 350);
}

bool MFileMMIO::WriteULong(uint32_t value)
{
    return WriteValue(value, 4, 325);
}

bool MFileMMIO::WriteByte(uint8_t value)
{
    return WriteChecked(&value, 1, 336);
}

bool MFileMMIO::Write(const void* buffer, int32_t n)
{
    return WriteChecked(buffer, n, 287);
}

bool MFileMMIO::WriteBlock(const void* buffer, int32_t n)
{
    return WriteChecked(buffer, n, 299);
}

bool MFileMMIO::WriteString(const char* text)
{
    return WriteChecked(text, int32_t(std::strlen(text)), 311);
}

void MFileMMIO::Flush()
{
    if (!hmmio || hmmio->Flush() != 0)
        Fail(374);
}

int32_t MFileMMIO::Tell()
{
    return Seek(0, 1);
}

bool MFileMMIO::IsEOF()
{
    return GetRemaining() <= 0;
}

int32_t MFileMMIO::GetSize()
{
    const int32_t position = Tell();
    const int32_t end = Seek(0, 2);
    Seek(position, 0);
    return end;
}

int32_t MFileMMIO::GetRemaining()
{
    const int32_t position = Tell();
    return GetSize() - position;
}
