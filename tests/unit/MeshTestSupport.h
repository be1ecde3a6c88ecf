#pragma once
// Archives of mesh chunks for the mesh tests.
#include "FileTestSupport.h"
#include "base/FileSpec.h"
#include "common/CFileIFF.h"

// Writes an archive form holding the chunks into the folder and opens it
// for reading.
inline void OpenArchive(const TempFolder& folder, const Bytes& chunks, CFileIFF* file)
{
    Bytes form = Text("FFIR");
    AppendLE32(&form, uint32_t(chunks.size() + 4));
    Append(&form, Text("LFMM"));
    Append(&form, chunks);
    WriteAllBytes(folder.File("a.mm"), form);
    file->Open(FileSpec(folder.Path().c_str(), "a.mm"), 2);
}
