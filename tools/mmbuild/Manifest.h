#pragma once
#include <string>
#include <vector>

// What the archive holds, as the manifest text lists it.
class Manifest {
public:
    struct Chunk {
        std::string kind;               // "rgba", "mesh", "wave" or "anim"
        std::vector<std::string> files; // one, or an animation's frames
    };
    struct Entry {
        int index = 0;
        std::vector<Chunk> chunks;
    };

    static constexpr int kMinEntries = 14;
    static constexpr int kMaxEntries = 4096;

    // Throws std::runtime_error naming the file and line of a bad line.
    static Manifest Read(const std::string& path);
    static Manifest Parse(const std::string& text, const std::string& folder, const std::string& name);

    const std::vector<Entry>& Entries() const { return rgEntries; }
    int EntryCount() const { return nEntryCount; }

private:
    void ParseLine(const std::vector<std::string>& words, const std::string& folder);
    void Finish();

    std::vector<Entry> rgEntries;
    int nEntryCount = 0;
    int nDeclaredCount = 0;
};
