#pragma once
#include "base/BFile.h"
#include "platform/io/MBufferedFile.h"

// File on the buffered facility of MBufferedFile. Every backslash of a path
// becomes '/' before opening. Throws CFileException naming win32/MFileMMIO.
class MFileMMIO : public BFile {
public:
    MFileMMIO() = default;
    ~MFileMMIO() override;

    // Modes: 1 read, 2 and 3 test existence then read, 5 and 7 create for
    // writing, 9 only test existence (0 present, 8 missing; stays closed),
    // any other read.
    int32_t Open(const FileSpec& fileSpec, uint32_t mode, uint32_t order) override;
    int32_t Open(const char* path, uint32_t mode, uint32_t order) override;
    void Close() override;
    int32_t Seek(int32_t offset, int32_t origin) override;
    int32_t ReadLine(char* buffer, int32_t n) override;
    int32_t Read(void* buffer, int32_t n) override;
    bool WriteLong(int32_t value) override;
    bool WriteShort(int16_t value) override;
    bool WriteULong(uint32_t value) override;
    bool WriteByte(uint8_t value) override;
    bool Write(const void* buffer, int32_t n) override;
    bool WriteBlock(const void* buffer, int32_t n) override;
    bool WriteString(const char* text) override;
    void Flush() override;
    int32_t Tell() override;
    bool IsEOF() override;
    bool IsOpen() const override { return hmmio != nullptr; }
    int32_t GetSize() override;
    int32_t GetRemaining() override;

    // As Read, throwing with its own line.
    int32_t ReadBytes(void* buffer, int32_t n);
    // Reads 4 bytes (reversed when swapping); only a read error throws, a
    // short read leaves the missing bytes unchanged. The count read.
    int32_t ReadLong(uint32_t* value);

    // The open handle, for the standard RIFF chunk and buffer functions.
    MBufferedFile* GetHandle() const { return hmmio; }

protected:
    // Seek that reports failure as -1 instead of throwing.
    int32_t TrySeek(int32_t offset, int32_t origin);

private:
    bool WriteChecked(const void* bytes, int32_t n, uint32_t line);
    bool WriteValue(uint32_t value, int32_t n, uint32_t line);
    int32_t ReadRaw(void* buffer, int32_t n);

    MBufferedFile* hmmio = nullptr;
};
