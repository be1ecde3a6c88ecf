#pragma once
#include <cstdint>

struct FileSpec;

// Abstract file. When the swap flag is set, multi-byte values read with
// ReadValue / SwapFields and written with WriteShort / WriteLong / WriteULong
// are byte-reversed. Failures throw CFileException.
class BFile {
public:
    BFile() = default;
    BFile(const BFile&) = delete;
    BFile& operator=(const BFile&) = delete;
    virtual ~BFile() = default;

    // Byte order: 0 sets the swap flag, 1 and 2 clear it, others leave it.
    virtual int32_t Open(const FileSpec& fileSpec, uint32_t mode, uint32_t order) = 0;
    virtual int32_t Open(const char* path, uint32_t mode, uint32_t order) = 0;
    virtual void Close() = 0;
    // Origin 0 start, 1 current, 2 end (anything else is 0); the new position.
    virtual int32_t Seek(int32_t offset, int32_t origin) = 0;
    // Characters stored before the newline; the newline stays in the buffer.
    virtual int32_t ReadLine(char* buffer, int32_t n) = 0;
    // Reads n bytes as one value (reversed when swapping); the count read.
    virtual int32_t ReadValue(void* buffer, int32_t n);
    virtual int32_t Read(void* buffer, int32_t n) = 0;
    // The writes answer true on a short write.
    virtual bool WriteLong(int32_t value) = 0;
    virtual bool WriteShort(int16_t value) = 0;
    virtual bool WriteULong(uint32_t value) = 0;
    virtual bool WriteByte(uint8_t value) = 0;
    virtual bool Write(const void* buffer, int32_t n) = 0;
    virtual bool WriteBlock(const void* buffer, int32_t n) = 0;
    virtual bool WriteString(const char* text) = 0;
    // layout: field count, then the size of each field in bytes.
    virtual void SwapFields(void* record, const uint8_t* layout);
    virtual void Flush() = 0;
    virtual int32_t Tell() = 0;
    virtual bool IsEOF() = 0;
    virtual bool IsOpen() const = 0;
    virtual int32_t GetSize() = 0;
    virtual int32_t GetRemaining() = 0;

    bool GetSwap() const { return fSwap != 0; }
    uint32_t GetMode() const { return nMode; }

    static void Reverse(void* bytes, int32_t n);

protected:
    uint32_t fSwap = 0;
    uint32_t nMode = 0;
};
