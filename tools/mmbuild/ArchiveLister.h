#pragma once
#include "common/assets/CFileMM.h"
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// Prints an archive's map and every chunk of its groups, with what can be
// told cheaply of each: image size and origin, wave format, mesh counts.
class ArchiveLister {
public:
    // Throws CFileException when the archive cannot be read.
    static void List(const std::string& archive, std::ostream& out);

private:
    ArchiveLister(const std::string& archive, std::ostream& out);

    void ListEntry(uint32_t index, const std::vector<uint32_t>& starts);
    void ListChunk(const std::string& indent);
    std::string DescribeImage(uint32_t size);
    std::string DescribeAnimation(const std::string& indent);
    std::string DescribeWave();
    std::string DescribeMesh();

    CFileMM mm;
    std::ostream& out;
};
