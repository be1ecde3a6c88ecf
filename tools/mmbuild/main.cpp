// mmbuild: packs the asset archive from a manifest, or lists an archive.
#include "base/CException.h"
#include "tools/mmbuild/ArchiveLister.h"
#include "tools/mmbuild/ArchiveWriter.h"
#include "tools/mmbuild/Manifest.h"
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {
int Usage()
{
    std::cerr << "usage: mmbuild pack <manifest> <archive>\n"
                 "       mmbuild list <archive>\n";
    return 2;
}

int Pack(const std::string& manifest, const std::string& archive)
{
    try {
        ArchiveWriter::Write(Manifest::Read(manifest), archive);
        return 0;
    } catch (...) {
        std::remove(archive.c_str()); // never leave half an archive behind
        throw;
    }
}
} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "pack" && argc == 4)
            return Pack(argv[2], argv[3]);
        if (command == "list" && argc == 3) {
            ArchiveLister::List(argv[2], std::cout);
            return 0;
        }
        return Usage();
    } catch (const CException& e) {
        std::cerr << "mmbuild: " << e.Describe() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "mmbuild: " << e.what() << "\n";
    }
    return 1;
}
