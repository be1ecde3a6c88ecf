#pragma once
#include <cstdint>
#include <string>

// Engine exception: the source file and line of the failing check.
// Thrown by value by the file layer and the asset loaders.
class CException {
public:
    CException(const char* source, uint32_t line) : szSource(source), nLine(line) {}
    virtual ~CException() = default;

    const char* GetSource() const { return szSource; }
    uint32_t GetLine() const { return nLine; }
    // "file: <source>line: <line>"
    std::string Describe() const;

private:
    const char* szSource;
    uint32_t nLine;
};

class CFileException : public CException {
public:
    using CException::CException;
};

class CMemException : public CException {
public:
    using CException::CException;
};
